// The chart's numbers and lines without any window: the step count, the
// tank read from the window's texts, and the lines built from the rows.

#include "core/tank_volume.h"
#include "model/chart_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using model::ChartFieldTexts;
using model::StepCount;
using Lines = std::vector<std::string>;

namespace {
const char* const flat = "Flat-Ended (Steel)";
const char* const hemi = "Cylindrical (Fiberglass)";
const char* const vertical = "Vertical (Aboveground)";

ChartFieldTexts texts(const char* diameter, const char* length, const char* lengthUnit, const char* shape = flat,
                      const char* volumeUnit = "gallons")
{
    return {diameter, length, lengthUnit, shape, volumeUnit};
}
} // namespace

TEST(ChartLines, StepCount)
{
    const auto ok = StepCount::Status::Ok;
    const auto out = StepCount::Status::OutOfRange;
    const struct {
        const char* name;
        double diameter;
        double increment;
        StepCount::Status status;
        int steps;
    } rows[] = {
        {"12 / 3", 12.0, 3.0, ok, 4},
        {"1.5 rounds up to even", 12.0, 8.0, ok, 2},
        {"2.5 rounds down to even", 5.0, 2.0, ok, 2},
        {"0.5 rounds to 0", 12.0, 24.0, ok, 0},
        {"2.4", 12.0, 5.0, ok, 2},
        {"2.6", 13.0, 5.0, ok, 3},
        {"-2.5 to even", 5.0, -2.0, ok, -2},
        {"-1.5 to even", -3.0, 2.0, ok, -2},
        {"negative increment", 12.0, -3.0, ok, -4},
        {"the largest", 32767.0, 1.0, ok, 32767},
        {"the smallest", -32768.0, 1.0, ok, -32768},
        {"-32768.5 rounds into range", -65537.0, 2.0, ok, -32768},
        {"32767.5 rounds out of range", 65535.0, 2.0, out, 0},
        {"32768", 32768.0, 1.0, out, 0},
        {"96 / 0.001", 96.0, 0.001, out, 0},
        {"quotient overflows", 1e308, 1e-308, out, 0},
        {"zero increment", 12.0, 0.0, StepCount::Status::ZeroIncrement, 0},
        {"negative zero increment", 12.0, -0.0, StepCount::Status::ZeroIncrement, 0},
        {"0 / 0", 0.0, 0.0, StepCount::Status::NoQuotient, 0},
        {"0 / 5", 0.0, 5.0, ok, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const StepCount count = model::stepCount(row.diameter, row.increment);
        EXPECT_EQ(count.status, row.status);
        EXPECT_EQ(int(count.steps), row.steps);
    }
}

TEST(ChartLines, GeometryReading)
{
    const struct {
        const char* name;
        const char* diameter;
        const char* length;
        const char* unit;
        bool readable;
        double radius;
    } rows[] = {
        {"inches", "96", "240", "inches", true, 48.0},
        {"feet", "8", "20", "feet", true, 48.0},
        {"millimeters", "2438.4", "6096", "millimeters", true, (2438.4 / 25.4) / 2.0},
        {"centimeters", "243.84", "609.6", "centimeters", true, (243.84 / 2.54) / 2.0},
        {"meters", "2.4384", "6.096", "meters", true, (2.4384 / 0.0254) / 2.0},
        {"group separators", "1,000", " 2,400 ", "inches", true, 500.0},
        {"length no number, inches", "96", "abc", "inches", false, 0.0},
        {"length empty, meters", "96", "", "meters", false, 0.0},
        {"diameter no number, feet", "8ft", "20", "feet", false, 0.0},
        {"inches length beyond 32 bits", "96", "1e39", "inches", false, 0.0},
        // Whatever a row would hand to TankVolume must fit 32 bits (at 4 steps).
        {"feet length beyond 32 bits", "8", "1e39", "feet", false, 0.0},
        {"radius beyond 32 bits", "1e39", "24", "inches", false, 0.0},
        {"last level beyond 32 bits", "4e38", "24", "inches", false, 0.0},
        {"every size within 32 bits", "3.4e38", "24", "inches", true, 1.7e38},
        // Neither text is converted for a unit the program does not know.
        {"unknown unit", "12", "abc", "yards", true, 0.0},
        {"unit in capitals", "12", "24", "Inches", true, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto geometry = model::chartGeometry(texts(row.diameter, row.length, row.unit), 4);
        EXPECT_EQ(geometry.has_value(), row.readable);
        if (geometry) {
            EXPECT_DOUBLE_EQ(geometry->radius, row.radius);
        }
    }
}

TEST(ChartLines, Lines)
{
    const auto complete = model::LinesEnd::Complete;
    // clang-format off
    const struct {
        const char* name;
        ChartFieldTexts tank;
        double increment;
        Lines lines;
        model::LinesEnd end;
    } rows[] = {
        {"worked example", texts("12", "24", "inches"), 3.0,
         {"  0.00 -   6.00     0.00,     0.00    3.00,     2.30    6.00,     5.88  ",
          "  9.00 -  12.00     9.00,     9.45   12.00,    11.75  "}, complete},
        {"negative step count: no lines", texts("12", "24", "inches"), -3.0, {}, complete},
        // Level 0 ÷ 0: the chart stops before its first row.
        {"P = 0", texts("12", "24", "inches"), 24.0, {}, model::LinesEnd::RowFailed},
        // Without a row to compute, a size beyond 32 bits goes on as any does.
        {"P = 0, inches length beyond 32 bits", texts("12", "1e39", "inches"), 24.0, {}, model::LinesEnd::RowFailed},
        {"negative step count, inches length beyond 32 bits", texts("12", "1e39", "inches"), -3.0, {}, complete},
        {"negative step count, diameter beyond 64 bits in inches", texts("1e307", "24", "meters"), -1e306, {},
         complete},
        // Halves of the 7-digit form go away from zero: 1470.215 → 1470.22.
        {"feet: levels in inches", texts("8", "20", "feet"), 2.0,
         {"  0.00 -  48.00     0.00,     0.00   24.00,  1470.22   48.00,  3760.12  ",
          " 72.00 -  96.00    72.00,  6050.02   96.00,  7520.24  "}, complete},
        {"hemispherical ends", texts("96", "240", "inches", hemi), 24.0,
         {"  0.00 -  48.00     0.00,     0.00   24.00,  1783.56   48.00,  4762.82  ",
          " 72.00 -  96.00    72.00,  7742.08   96.00,  9525.64  "}, complete},
        {"litres", texts("96", "240", "inches", flat, "litres"), 48.0,
         {"  0.00 -  96.00     0.00,     0.00   48.00, 14233.60   96.00, 28467.20  "}, complete},
        // Fields too long for their width are kept whole and push the line right.
        {"level of 7 characters", texts("1200", "24", "inches", vertical), 600.0,
         {"  0.00 - 1200.00     0.00,     0.00  600.00,2937593.00  1200.00,5875187.00  "}, complete},
        {"unknown volume unit", texts("12", "24", "inches", flat, "Gallons"), 8.0,
         {"  0.00 -  12.00     0.00,     0.00    6.00,     0.00   12.00,     0.00  "}, complete},
        {"negative diameter and increment", texts("-12", "24", "inches"), -6.0,
         {"  0.00 - -12.00     0.00,     0.00   -6.00,     5.88  -12.00,    11.75  "}, complete},
        // The length goes straight from its text into 32 bits: through 64
        // bits this text lands on a tie and rounds down instead (6050.02).
        {"inches length read in 32 bits", texts("96", "240.0000381469726562500000000001", "inches"), 24.0,
         {"  0.00 -  48.00     0.00,     0.00   24.00,  1470.22   48.00,  3760.12  ",
          " 72.00 -  96.00    72.00,  6050.03   96.00,  7520.24  "}, complete},
        // The finest step of this diameter: the 32-bit volume at 0.0035 in fell below zero (-2.60). Its first line.
        {"no volume below zero", texts("115.2", "36", "inches", flat, "millilitres"), 0.0035157,
         {"  0.00 -   0.01     0.00,     0.00    0.00,     0.00    0.01,     7.57  "}, model::LinesEnd::StoppedByTaker},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const StepCount count = model::stepCount(std::stod(row.tank.diameter), row.increment);
        ASSERT_EQ(count.status, StepCount::Status::Ok);
        const auto geometry = model::chartGeometry(row.tank, count.steps);
        ASSERT_TRUE(geometry);

        Lines built;
        std::vector<model::LineKind> kinds;
        const auto result = model::forEachChartLine(*geometry, {}, [&](const std::string& line, model::LineKind kind) {
            built.push_back(line);
            kinds.push_back(kind);
            return row.end != model::LinesEnd::StoppedByTaker || built.size() < row.lines.size();
        });
        EXPECT_EQ(built, row.lines);
        EXPECT_EQ(result, row.end);
        // Only a line of fewer than three rows is the short last one.
        for (std::size_t i = 0; i < built.size(); ++i) {
            const bool threeRows = std::count(built[i].begin(), built[i].end(), ',') == 3;
            EXPECT_EQ(kinds[i], threeRows ? model::LineKind::Full : model::LineKind::ShortLast);
            EXPECT_TRUE(threeRows || i == built.size() - 1);
        }
    }
}
