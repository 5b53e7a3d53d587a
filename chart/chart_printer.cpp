#include "chart/chart_printer.h"

#include "window_kit/qt_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The chart's columns are aligned with blanks: only a fixed-pitch font
// keeps them aligned on paper.
QFont chartFont()
{
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(10.0);
    return font;
}

// The chart's surface on a QPainter over a QPrinter, in device pixels.
class PainterPrintSurface : public model::PrintSurface {
public:
    // Null when the printer cannot start a document.
    static std::unique_ptr<PainterPrintSurface> begin(std::unique_ptr<QPrinter> printer)
    {
        std::unique_ptr<PainterPrintSurface> surface(new PainterPrintSurface(std::move(printer)));
        if (!surface->painter.begin(surface->printer.get()))
            return nullptr;
        surface->painter.setFont(chartFont());
        surface->metrics = std::make_unique<QFontMetricsF>(surface->painter.font(), surface->printer.get());
        return surface;
    }

    ~PainterPrintSurface() override
    {
        // A printout cut short is ended too: an open job would keep the
        // printer from the next run.
        if (painter.isActive())
            painter.end();
    }

    float textWidth(std::string_view text) override
    {
        return static_cast<float>(metrics->horizontalAdvance(windowkit::qText(text)));
    }
    float textHeight(std::string_view) override { return lineHeight(); }

    float currentX() const override { return x; }
    float currentY() const override { return y; }
    void setCurrentX(float value) override { x = value; }
    void setCurrentY(float value) override { y = value; }

    float pageHeight() override
    {
        // A line may start at most this low: a line begun at the page test's
        // limit, and the last short line half a height below that, still
        // end inside the printable area.
        const double printable = printer->pageRect(QPrinter::DevicePixel).height();
        return static_cast<float>(printable - 1.5 * lineHeight());
    }

    bool printLine(std::string_view text) override
    {
        if (!text.empty())
            painter.drawText(QPointF(x, y + metrics->ascent()), windowkit::qText(text));
        x = 0.0f;
        y += lineHeight();
        return painter.isActive();
    }

    bool newPage() override
    {
        x = 0.0f;
        y = 0.0f;
        return printer->newPage();
    }

    bool endDocument() override { return painter.end(); }

private:
    explicit PainterPrintSurface(std::unique_ptr<QPrinter> printer) : printer(std::move(printer)) {}

    float lineHeight() const { return static_cast<float>(metrics->height()); }

    // Declared first, destroyed last: the painter works on it to the end.
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    std::unique_ptr<QFontMetricsF> metrics;
    float x = 0.0f;
    float y = 0.0f;
};

} // namespace

namespace chart {

std::unique_ptr<model::PrintSurface> DefaultPrinterChartFactory::openPrintout()
{
    // Checked first: a printer object without a printer behind it would
    // quietly fall back to other output.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return beginChartPrintout(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}

std::unique_ptr<model::PrintSurface> beginChartPrintout(std::unique_ptr<QPrinter> printer)
{
    return PainterPrintSurface::begin(std::move(printer));
}

} // namespace chart
