#include "bench/accuracy/error_picture.h"

#include "bench/accuracy/error_curves.h"
#include "bench/accuracy/error_survey.h"
#include "bench/accuracy/plot_scales.h"
#include "core/name_tables.h"
#include "core/tank_volume.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace accuracy {

namespace {

constexpr int kWidth = 1400;
constexpr int kHeight = 1150;
constexpr double kPlotLeft = 120.0;
constexpr double kPlotRight = kWidth - 40.0;
constexpr float kDiameter = 96.0f;
constexpr float kHorizontalLength = 240.0f;
// Inches from an end: there a 32-bit level next to 48 in has hardly any steps left.
constexpr double kNearestLevel = 1e-6;
constexpr int kNearestExponent = -6;
constexpr int kFarthestExponent = 1;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kGrid(0xdd, 0xdd, 0xdd);
const QColor kBelowZero(0xf6, 0xd5, 0xd5);
const QColor kChartStep(0x80, 0x80, 0x80);

struct Curve {
    QString label;
    QColor color;
    ColumnErrors errors;
};

// One measure of the error, drawn over the level.
struct Panel {
    QString heading;
    QRectF area;
    LogScale scale;
    std::vector<double> ColumnErrors::*values;
};

QFont textFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

std::vector<Curve> measureCurves(const LevelScale& levels)
{
    // All three 96 in across, so that one level axis serves them: the
    // upright one as high as it is wide.
    return {
        {QStringLiteral("\"Flat-Ended (Steel)\", 96 in across, 240 in long"), QColor(0x1f, 0x5f, 0xbf),
         worstPerColumn(std::string(tank::kShapes[0].text), kDiameter, kHorizontalLength, levels)},
        {QStringLiteral("\"Cylindrical (Fiberglass)\", 96 in across, 240 in long plus the ends"),
         QColor(0xe0, 0x7b, 0x00),
         worstPerColumn(std::string(tank::kShapes[1].text), kDiameter, kHorizontalLength, levels)},
        {QStringLiteral("\"Vertical (Aboveground)\", 96 in across, 96 in high"), QColor(0x2a, 0x9d, 0x3c),
         worstPerColumn(std::string(tank::kShapes[2].text), kDiameter, kDiameter, levels)},
    };
}

void drawTitle(QPainter& painter)
{
    painter.setPen(kInk);
    painter.setFont(textFont(26, true));
    painter.drawText(QRectF(0, 16, kWidth, 36), Qt::AlignCenter,
                     QStringLiteral("How far Gaugestar's volumes are from the exact tank geometry"));
    painter.setFont(textFont(16));
    painter.drawText(QRectF(0, 54, kWidth, 24), Qt::AlignCenter,
                     QStringLiteral("Volume in gallons as the program computes it (32-bit) against the exact "
                                    "volume (true \u03c0, extended precision); in each pixel column the largest "
                                    "error of 32 levels"));
}

void drawBelowZero(QPainter& painter, const Panel& panel, const std::vector<Curve>& curves)
{
    for (int column = 0; column < static_cast<int>(panel.area.width()); ++column) {
        for (const Curve& curve : curves) {
            if (curve.errors.belowZero[column]) {
                painter.fillRect(QRectF(panel.area.left() + column, panel.area.top(), 1.0, panel.area.height()),
                                 kBelowZero);
                break;
            }
        }
    }
}

// Decades of the distance from each end, and half full in the middle.
void drawLevelGrid(QPainter& painter, const QRectF& area, const LevelScale& levels)
{
    painter.setFont(textFont(15));
    for (int exponent = kNearestExponent; exponent <= kFarthestExponent; ++exponent) {
        const double fromEnd = std::pow(10.0, exponent);
        for (const double x : {levels.x(fromEnd), levels.x(levels.depth() - fromEnd)}) {
            painter.setPen(kGrid);
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            painter.setPen(kInk);
            painter.drawText(QRectF(x - 40, area.bottom() + 4, 80, 20), Qt::AlignHCenter | Qt::AlignTop,
                             powerOfTenText(exponent));
        }
    }
    painter.setPen(QPen(kInk, 1.0, Qt::DotLine));
    painter.drawLine(QPointF(levels.middle(), area.top()), QPointF(levels.middle(), area.bottom()));
    painter.setPen(kInk);
    painter.drawText(QRectF(levels.middle() - 40, area.bottom() + 4, 80, 20), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(levels.depth() / 2.0));
}

// Whether some error lies beyond the panel's top or below its bottom, and
// is drawn on that edge.
bool beyond(const Panel& panel, const std::vector<Curve>& curves, bool above)
{
    const double edge = std::pow(10.0, above ? panel.scale.highestExponent() : panel.scale.lowestExponent());
    for (const Curve& curve : curves) {
        for (const double value : curve.errors.*panel.values) {
            if (above ? value > edge : value < edge)
                return true;
        }
    }
    return false;
}

// Decades of the error, written as percentages; an edge that holds values
// beyond it says so.
void drawErrorGrid(QPainter& painter, const Panel& panel, const std::vector<Curve>& curves)
{
    const int lowest = panel.scale.lowestExponent();
    const int highest = panel.scale.highestExponent();
    const bool beyondTop = beyond(panel, curves, true);
    const bool beyondBottom = beyond(panel, curves, false);
    painter.setFont(textFont(15));
    for (int exponent = lowest; exponent <= highest; ++exponent) {
        const double y = panel.scale.y(std::pow(10.0, exponent));
        painter.setPen(kGrid);
        painter.drawLine(QPointF(panel.area.left(), y), QPointF(panel.area.right(), y));
        QString label = powerOfTenText(exponent + 2) + QStringLiteral(" %");
        if (exponent == highest && beyondTop)
            label.prepend(QStringLiteral("\u2265 "));
        if (exponent == lowest && beyondBottom)
            label.prepend(QStringLiteral("\u2264 "));
        painter.setPen(kInk);
        painter.drawText(QRectF(0, y - 10, panel.area.left() - 8, 20), Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

void drawChartStep(QPainter& painter, const QRectF& area, const LevelScale& levels)
{
    const double step = levels.depth() / kChartStepsAtMost;
    painter.setPen(QPen(kChartStep, 1.5, Qt::DashLine));
    for (const double x : {levels.x(step), levels.x(levels.depth() - step)})
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
}

void drawCurve(QPainter& painter, const Panel& panel, const Curve& curve)
{
    const std::vector<double>& values = curve.errors.*panel.values;
    QPolygonF line;
    for (std::size_t column = 0; column < values.size(); ++column)
        line << QPointF(panel.area.left() + static_cast<double>(column) + 0.5, panel.scale.y(values[column]));
    painter.setPen(QPen(curve.color, 1.6));
    painter.drawPolyline(line);
}

void drawPanel(QPainter& painter, const Panel& panel, const LevelScale& levels, const std::vector<Curve>& curves)
{
    painter.setFont(textFont(18, true));
    painter.setPen(kInk);
    painter.drawText(QRectF(panel.area.left(), panel.area.top() - 30, panel.area.width(), 24),
                     Qt::AlignLeft | Qt::AlignVCenter, panel.heading);
    if (panel.values == &ColumnErrors::ofVolume)
        drawBelowZero(painter, panel, curves);
    drawLevelGrid(painter, panel.area, levels);
    drawErrorGrid(painter, panel, curves);
    drawChartStep(painter, panel.area, levels);
    painter.setClipRect(panel.area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Curve& curve : curves)
        drawCurve(painter, panel, curve);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipping(false);
    painter.setPen(kInk);
    painter.drawRect(panel.area);
}

void drawLevelCaption(QPainter& painter, double top, const LevelScale& levels)
{
    painter.setFont(textFont(17));
    painter.setPen(kInk);
    const double half = (levels.right() - levels.left()) / 2.0;
    painter.drawText(QRectF(levels.left(), top, half, 24), Qt::AlignCenter,
                     QStringLiteral("Level: inches above the bottom (log scale) \u2192"));
    painter.drawText(QRectF(levels.middle(), top, half, 24), Qt::AlignCenter,
                     QStringLiteral("\u2190 inches below the top (log scale)"));
    painter.drawText(QRectF(levels.middle() - 60, top + 24, 120, 24), Qt::AlignCenter, QStringLiteral("half full"));
}

void drawLegendEntry(QPainter& painter, QPointF at, const QPen& mark, const QString& text, const QColor& swatch)
{
    if (swatch.isValid())
        painter.fillRect(QRectF(at.x(), at.y() - 8, 36, 16), swatch);
    else {
        painter.setPen(mark);
        painter.drawLine(at, at + QPointF(36, 0));
    }
    painter.setPen(kInk);
    painter.drawText(QPointF(at.x() + 46, at.y() + 6), text);
}

void drawLegend(QPainter& painter, const QRectF& area, const std::vector<Curve>& curves)
{
    painter.setFont(textFont(15));
    const QRectF box(area.left() + 14, area.bottom() + 36, area.width() - 28, 78);
    QPointF at(box.left() + 14, box.top() + 16);
    for (const Curve& curve : curves) {
        drawLegendEntry(painter, at, QPen(curve.color, 3.0), curve.label, QColor());
        at += QPointF(0, 23);
    }
    at = QPointF(box.left() + box.width() / 2.0 + 60, box.top() + 16);
    drawLegendEntry(painter, at, QPen(kChartStep, 1.5, Qt::DashLine),
                    QStringLiteral("smallest level step of a chart: 96 in \u00f7 32767 = 0.0029 in"), QColor());
    // Only a picture that shows such levels explains their shading.
    const auto belowZero = [](const Curve& curve) {
        return std::find(curve.errors.belowZero.begin(), curve.errors.belowZero.end(), true) !=
               curve.errors.belowZero.end();
    };
    if (std::any_of(curves.begin(), curves.end(), belowZero))
        drawLegendEntry(painter, at + QPointF(0, 23), QPen(),
                        QStringLiteral("levels where a volume came out below zero"), kBelowZero);
}

} // namespace

bool drawErrorPicture(const QString& path)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const LevelScale levels(kDiameter, kNearestLevel, kPlotLeft, kPlotRight);
    const std::vector<Curve> curves = measureCurves(levels);
    drawTitle(painter);
    const Panel ofVolume{QStringLiteral("Error relative to the volume in the tank at that level"),
                         QRectF(kPlotLeft, 140, kPlotRight - kPlotLeft, 400), LogScale(-8, 3, 540, 140),
                         &ColumnErrors::ofVolume};
    const Panel ofCapacity{QStringLiteral("Error relative to the full tank (the capacity)"),
                           QRectF(kPlotLeft, 630, kPlotRight - kPlotLeft, 330), LogScale(-10, -4, 960, 630),
                           &ColumnErrors::ofCapacity};
    drawPanel(painter, ofVolume, levels, curves);
    drawPanel(painter, ofCapacity, levels, curves);
    drawLevelCaption(painter, ofCapacity.area.bottom() + 28, levels);
    drawLegend(painter, QRectF(kPlotLeft, ofCapacity.area.bottom() + 50, kPlotRight - kPlotLeft, 0), curves);
    painter.end();
    // A palette is plenty for lines and text, and keeps the committed file small.
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither).save(path, "PNG");
}

} // namespace accuracy
