// The chart's numbers and lines without any window: the step count, the
// tank read from the window's texts, and the lines built from the rows.

#include "model/chart_setup.h"
#include "core/tank_volume.h"

#include <QtTest>

using chart::ChartFieldTexts;
using chart::StepCount;

Q_DECLARE_METATYPE(ChartFieldTexts)
Q_DECLARE_METATYPE(StepCount::Status)
Q_DECLARE_METATYPE(chart::LinesEnd)

namespace {
const QString flat = "Flat-Ended (Steel)";
const QString hemi = "Cylindrical (Fiberglass)";
const QString vertical = "Vertical (Aboveground)";

ChartFieldTexts texts(const QString& diameter, const QString& length, const QString& lengthUnit,
                      const QString& shape = flat, const QString& volumeUnit = "gallons")
{
    return {diameter.toStdString(), length.toStdString(), lengthUnit.toStdString(), shape.toStdString(),
            volumeUnit.toStdString()};
}
} // namespace

class TestChartLines : public QObject {
    Q_OBJECT

private slots:
    void stepCount_data()
    {
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("increment");
        QTest::addColumn<StepCount::Status>("status");
        QTest::addColumn<int>("steps");

        const auto ok = StepCount::Status::Ok;
        QTest::newRow("12 / 3") << 12.0 << 3.0 << ok << 4;
        QTest::newRow("1.5 rounds up to even") << 12.0 << 8.0 << ok << 2;
        QTest::newRow("2.5 rounds down to even") << 5.0 << 2.0 << ok << 2;
        QTest::newRow("0.5 rounds to 0") << 12.0 << 24.0 << ok << 0;
        QTest::newRow("2.4") << 12.0 << 5.0 << ok << 2;
        QTest::newRow("2.6") << 13.0 << 5.0 << ok << 3;
        QTest::newRow("-2.5 to even") << 5.0 << -2.0 << ok << -2;
        QTest::newRow("-1.5 to even") << -3.0 << 2.0 << ok << -2;
        QTest::newRow("negative increment") << 12.0 << -3.0 << ok << -4;
        QTest::newRow("the largest") << 32767.0 << 1.0 << ok << 32767;
        QTest::newRow("the smallest") << -32768.0 << 1.0 << ok << -32768;
        QTest::newRow("-32768.5 rounds into range") << -65537.0 << 2.0 << ok << -32768;
        QTest::newRow("32767.5 rounds out of range") << 65535.0 << 2.0 << StepCount::Status::OutOfRange << 0;
        QTest::newRow("32768") << 32768.0 << 1.0 << StepCount::Status::OutOfRange << 0;
        QTest::newRow("96 / 0.001") << 96.0 << 0.001 << StepCount::Status::OutOfRange << 0;
        QTest::newRow("quotient overflows") << 1e308 << 1e-308 << StepCount::Status::OutOfRange << 0;
        QTest::newRow("zero increment") << 12.0 << 0.0 << StepCount::Status::ZeroIncrement << 0;
        QTest::newRow("negative zero increment") << 12.0 << -0.0 << StepCount::Status::ZeroIncrement << 0;
        QTest::newRow("0 / 0") << 0.0 << 0.0 << StepCount::Status::NoQuotient << 0;
        QTest::newRow("0 / 5") << 0.0 << 5.0 << ok << 0;
    }
    void stepCount()
    {
        QFETCH(double, diameter);
        QFETCH(double, increment);
        QFETCH(StepCount::Status, status);
        QFETCH(int, steps);
        const StepCount count = chart::stepCount(diameter, increment);
        QCOMPARE(count.status, status);
        QCOMPARE(int(count.steps), steps);
    }

    void geometryReading_data()
    {
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("radius");

        QTest::newRow("inches") << "96" << "240" << "inches" << true << 48.0;
        QTest::newRow("feet") << "8" << "20" << "feet" << true << 48.0;
        QTest::newRow("millimeters") << "2438.4" << "6096" << "millimeters" << true << (2438.4 / 25.4) / 2.0;
        QTest::newRow("centimeters") << "243.84" << "609.6" << "centimeters" << true << (243.84 / 2.54) / 2.0;
        QTest::newRow("meters") << "2.4384" << "6.096" << "meters" << true << (2.4384 / 0.0254) / 2.0;
        QTest::newRow("group separators") << "1,000" << " 2,400 " << "inches" << true << 500.0;
        QTest::newRow("length no number, inches") << "96" << "abc" << "inches" << false << 0.0;
        QTest::newRow("length empty, meters") << "96" << "" << "meters" << false << 0.0;
        QTest::newRow("diameter no number, feet") << "8ft" << "20" << "feet" << false << 0.0;
        QTest::newRow("inches length beyond 32 bits") << "96" << "1e39" << "inches" << false << 0.0;
        // Whatever a row would hand to TankVolume must fit 32 bits (at 4 steps).
        QTest::newRow("feet length beyond 32 bits") << "8" << "1e39" << "feet" << false << 0.0;
        QTest::newRow("radius beyond 32 bits") << "1e39" << "24" << "inches" << false << 0.0;
        QTest::newRow("last level beyond 32 bits") << "4e38" << "24" << "inches" << false << 0.0;
        QTest::newRow("every size within 32 bits") << "3.4e38" << "24" << "inches" << true << 1.7e38;
        // Neither text is converted for a unit the program does not know.
        QTest::newRow("unknown unit") << "12" << "abc" << "yards" << true << 0.0;
        QTest::newRow("unit in capitals") << "12" << "24" << "Inches" << true << 0.0;
    }
    void geometryReading()
    {
        QFETCH(QString, diameter);
        QFETCH(QString, length);
        QFETCH(QString, unit);
        QFETCH(bool, readable);
        QFETCH(double, radius);
        const auto geometry = chart::chartGeometry(texts(diameter, length, unit), 4);
        QCOMPARE(geometry.has_value(), readable);
        if (geometry)
            QCOMPARE(geometry->radius, radius);
    }

    void lines_data()
    {
        QTest::addColumn<ChartFieldTexts>("tank");
        QTest::addColumn<double>("increment");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<chart::LinesEnd>("end");

        const auto complete = chart::LinesEnd::Complete;
        QTest::newRow("worked example") << texts("12", "24", "inches") << 3.0
            << QStringList{"  0.00 -   6.00     0.00,     0.00    3.00,     2.30    6.00,     5.88  ",
                           "  9.00 -  12.00     9.00,     9.45   12.00,    11.75  "} << complete;
        QTest::newRow("negative step count: no lines")
            << texts("12", "24", "inches") << -3.0 << QStringList{} << complete;
        // Level 0 ÷ 0: the chart stops before its first row.
        QTest::newRow("P = 0") << texts("12", "24", "inches") << 24.0 << QStringList{} << chart::LinesEnd::RowFailed;
        // Halves of the 7-digit form go away from zero: 1470.215 → 1470.22.
        QTest::newRow("feet: levels in inches") << texts("8", "20", "feet") << 2.0
            << QStringList{"  0.00 -  48.00     0.00,     0.00   24.00,  1470.22   48.00,  3760.12  ",
                           " 72.00 -  96.00    72.00,  6050.02   96.00,  7520.24  "} << complete;
        QTest::newRow("hemispherical ends") << texts("96", "240", "inches", hemi) << 24.0
            << QStringList{"  0.00 -  48.00     0.00,     0.00   24.00,  1783.56   48.00,  4762.82  ",
                           " 72.00 -  96.00    72.00,  7742.08   96.00,  9525.64  "} << complete;
        QTest::newRow("litres") << texts("96", "240", "inches", flat, "litres") << 48.0
            << QStringList{"  0.00 -  96.00     0.00,     0.00   48.00, 14233.60   96.00, 28467.20  "} << complete;
        // Fields too long for their width are kept whole and push the line right.
        QTest::newRow("level of 7 characters") << texts("1200", "24", "inches", vertical) << 600.0
            << QStringList{"  0.00 - 1200.00     0.00,     0.00  600.00,2937593.00  1200.00,5875187.00  "} << complete;
        QTest::newRow("unknown volume unit") << texts("12", "24", "inches", flat, "Gallons") << 8.0
            << QStringList{"  0.00 -  12.00     0.00,     0.00    6.00,     0.00   12.00,     0.00  "} << complete;
        QTest::newRow("negative diameter and increment") << texts("-12", "24", "inches") << -6.0
            << QStringList{"  0.00 - -12.00     0.00,     0.00   -6.00,     5.88  -12.00,    11.75  "} << complete;
        // The length goes straight from its text into 32 bits: through 64
        // bits this text lands on a tie and rounds down instead (6050.02).
        QTest::newRow("inches length read in 32 bits")
            << texts("96", "240.0000381469726562500000000001", "inches") << 24.0
            << QStringList{"  0.00 -  48.00     0.00,     0.00   24.00,  1470.22   48.00,  3760.12  ",
                           " 72.00 -  96.00    72.00,  6050.03   96.00,  7520.24  "} << complete;
    }
    void lines()
    {
        QFETCH(ChartFieldTexts, tank);
        QFETCH(double, increment);
        QFETCH(QStringList, lines);
        QFETCH(chart::LinesEnd, end);

        const StepCount count = chart::stepCount(std::stod(tank.diameter), increment);
        QCOMPARE(count.status, StepCount::Status::Ok);
        const auto geometry = chart::chartGeometry(tank, count.steps);
        QVERIFY(geometry);

        QStringList built;
        QList<chart::LineKind> kinds;
        const auto result = chart::forEachChartLine(*geometry, [&](const std::string& line, chart::LineKind kind) {
            built << QString::fromStdString(line);
            kinds << kind;
            return true;
        });
        QCOMPARE(built, lines);
        QCOMPARE(result, end);
        // Only a line of fewer than three rows is the short last one.
        for (qsizetype i = 0; i < built.size(); ++i) {
            const bool threeRows = built[i].count(',') == 3;
            QCOMPARE(kinds[i], threeRows ? chart::LineKind::Full : chart::LineKind::ShortLast);
            QVERIFY(threeRows || i == built.size() - 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestChartLines)
#include "test_chart_lines.moc"
