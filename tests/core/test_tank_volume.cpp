// The tank arithmetic, compared bit for bit: a tolerance would hide exactly
// the faults (a float temporary, a fused multiply-add) these tests are for.

#include "core/name_tables.h"
#include "core/tank_volume.h"
#include "tools/exact_volume/exact_volume.h"

#include "accuracy_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>

namespace {

const char* const flat = "Flat-Ended (Steel)";
const char* const hemi = "Cylindrical (Fiberglass)";
const char* const vertical = "Vertical (Aboveground)";

// TankVolume as the program calls it: the names looked up first.
float volume(float level, float radius, float length, std::string_view shape, std::string_view unit,
             const tank::FailureReport& report)
{
    return tank::TankVolume(level, radius, length, tank::findShape(shape), tank::findVolumeUnit(unit), report);
}

// Counts the failures reported to it; each must carry the one message there is.
tank::FailureReport counter(int& messages)
{
    return [&messages](std::string_view message) {
        EXPECT_EQ(message, "Please check your selections for errors");
        ++messages;
    };
}

} // namespace

TEST(TankVolume, Volume)
{
    const struct {
        const char* name;
        float level, radius, length;
        const char* shape;
        const char* unit;
        double expected;
        int messages;
    } rows[] = {
        // A tank of diameter 96 and length 240 inches.
        {"flat empty", 0.f, 48.f, 240.f, flat, "gallons", 0.0, 0},
        {"flat quarter level", 24.f, 48.f, 240.f, flat, "gallons", 1470.2149658203125, 0},
        {"flat half", 48.f, 48.f, 240.f, flat, "gallons", 3760.119140625, 0},
        {"flat three quarters", 72.f, 48.f, 240.f, flat, "gallons", 6050.0234375, 0},
        {"flat full", 96.f, 48.f, 240.f, flat, "gallons", 7520.23828125, 0},
        {"flat litres", 48.f, 48.f, 240.f, flat, "litres", 14233.599609375, 0},
        {"flat cubic meters", 48.f, 48.f, 240.f, flat, "cubic meters", 14.233599662780762, 0},
        {"flat millilitres", 48.f, 48.f, 240.f, flat, "millilitres", 14233599.0, 0},
        {"unit with capital L", 48.f, 48.f, 240.f, flat, "Litres", 0.0, 0},
        {"hemi quarter level", 24.f, 48.f, 240.f, hemi, "gallons", 1783.5582275390625, 0},
        {"hemi half", 48.f, 48.f, 240.f, hemi, "gallons", 4762.81787109375, 0},
        {"hemi full", 96.f, 48.f, 240.f, hemi, "gallons", 9525.6357421875, 0},
        {"vertical ignores length", 48.f, 48.f, 240.f, vertical, "gallons", 1504.0477294921875, 0},
        {"vertical above diameter", 110.f, 48.f, 240.f, vertical, "gallons", 3446.77587890625, 0},
        {"flat above diameter", 110.f, 48.f, 240.f, flat, "gallons", 0.0, 1},
        {"hemi below zero", -1.f, 48.f, 240.f, hemi, "gallons", 0.0, 1},
        {"vertical below zero", -1.f, 48.f, 240.f, vertical, "gallons", 0.0, 1},
        {"unknown shape", 48.f, 48.f, 240.f, "flat-ended (steel)", "gallons", 0.0, 0},
        // Each of these catches one misreading of the arithmetic.
        {"vertical r154 l163", 163.f, 154.f, 0.f, vertical, "gallons", 52573.50390625, 0},
        {"hemi r189 l155", 155.f, 189.f, 240.f, hemi, "gallons", 89888.3671875, 0},
        {"flat r7 l1", 1.f, 7.f, 240.f, flat, "gallons", 5.070720672607422, 0},
        {"flat r5 l1", 1.f, 5.f, 240.f, flat, "gallons", 4.246781349182129, 0},
        {"flat r7 l3", 3.f, 7.f, 240.f, flat, "gallons", 25.12907600402832, 0},
        // The 32-bit distance and cosine dominate near the bottom; what falls below zero is 0.
        {"flat level 0.001", 0.001f, 48.f, 240.f, flat, "gallons", 0.0, 0},
        {"hemi 115.2 x 36 at 0.00513", 0.00513f, 57.6f, 36.f, hemi, "millilitres", 0.0, 0},
        // Failure limits.
        {"radius 0, level 48, flat", 48.f, 0.f, 240.f, flat, "gallons", 0.0, 2},
        {"radius 0, level 48, hemi", 48.f, 0.f, 240.f, hemi, "gallons", 0.0, 2},
        {"radius 0, level 0, flat", 0.f, 0.f, 240.f, flat, "gallons", 0.0, 1},
        {"radius 0, vertical", 48.f, 0.f, 240.f, vertical, "gallons", 0.0, 1},
        {"distance overflows", -3e38f, 3e38f, 240.f, "none", "gallons", 0.0, 1},
        {"vertical volume overflows", 3e38f, 3e38f, 240.f, vertical, "gallons", 0.0, 1},
        {"flat volume overflows", 3e38f, 3e38f, 240.f, flat, "gallons", 0.0, 1},
        {"unit conversion overflows", 735.f, 1e17f, 240.f, vertical, "millilitres", 0.0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int messages = 0;
        const float result = volume(row.level, row.radius, row.length, row.shape, row.unit, counter(messages));
        EXPECT_EQ(static_cast<double>(result), row.expected);
        EXPECT_EQ(messages, row.messages);
    }
}

// 64-bit, in each formula's own order of operations: flat and upright differ in the last bit.
TEST(TankVolume, Capacity)
{
    // clang-format off
    const struct { const char* name; double radius, length; const char* shape; double expected; } rows[] = {
        {"flat 96 x 240", 48.0, 240.0, flat, 7520.238414196363},
        {"hemi 96 x 240", 48.0, 240.0, hemi, 9525.635324648727},
        {"vertical 96 x 240", 48.0, 240.0, vertical, 7520.238414196364},
        {"flat 115.2 x 36", 57.6, 36.0, flat, 1624.3714974664147},
        {"vertical 115.2 x 36", 57.6, 36.0, vertical, 1624.371497466415},
        {"hemi, the ends alone", 48.0, 0.0, hemi, 2005.3969104523635},
        {"unknown shape", 48.0, 240.0, "flat-ended (steel)", 0.0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(tank::TankCapacity(row.radius, row.length, tank::findShape(row.shape)), row.expected);
    }
}

// The values do not depend on whether, or to whom, the failures are told.
TEST(TankVolume, FailuresGoToTheCallersReport)
{
    EXPECT_EQ(volume(48.f, 0.f, 240.f, flat, "gallons", {}), 0.f);
    EXPECT_EQ(volume(48.f, 48.f, 240.f, flat, "gallons", {}), 3760.119140625f);
    int first = 0;
    int second = 0;
    volume(48.f, 0.f, 240.f, flat, "gallons", counter(first));
    volume(0.f, 0.f, 240.f, flat, "gallons", counter(second));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 1);
}

TEST(TankVolume, NetVolume)
{
    // clang-format off
    const struct { const char* name; float gross, productTemp, ce, ref; double expected; } rows[] = {
        {"warmer than reference", 3760.119140625f, 70.f, 0.0007f, 60.f, 3733.79833984375},
        {"colder than reference", 3760.119140625f, 50.f, 0.0007f, 60.f, 3786.43994140625},
        {"at reference", 3760.119140625f, 60.f, 0.0007f, 60.f, 3760.119140625},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(static_cast<double>(tank::NetVolume(row.gross, row.productTemp, row.ce, row.ref)), row.expected);
    }
    EXPECT_FALSE(std::isfinite(tank::NetVolume(3e38f, -3e38f, 1.f, 3e38f)));
    EXPECT_FALSE(std::isfinite(tank::NetVolume(std::numeric_limits<float>::max(), 0.f, 1.f, 2.f)));
}

// A fraction exactly on a limit takes the higher step.
TEST(TankVolume, FillStep)
{
    const struct {
        const char* name;
        double fraction;
        int step; // -1: no picture
    } rows[] = {
        {"above full", 1.3, 100},
        {"0.95", 0.95, 100},
        {"just below 0.95", 0.9499999, 90},
        {"0.85", 0.85, 90},
        {"0.6", 0.6, 75},
        {"0.4", 0.4, 50},
        {"0.2", 0.2, 25},
        {"just below 0.2", 0.1999999, 10},
        {"smallest positive", 5e-324, 10},
        {"zero", 0.0, 0},
        {"negative", -0.01, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const tank::FillStep* step = tank::fillStepFor(row.fraction);
        EXPECT_EQ(step ? step->percent : -1, row.step);
    }
}

// The stated bounds on random tanks, levels (half near an end, on a log scale) and units; no volume
// below zero at any level.
TEST(TankVolume, AgreesWithExactGeometry)
{
    // clang-format off
    const struct { const char* name; const char* shape; accuracy::ErrorBounds bounds; } rows[] = {
        {"flat", flat, accuracy::kHorizontalBounds},
        {"hemi", hemi, accuracy::kHorizontalBounds},
        {"vertical", vertical, accuracy::kUprightBounds},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string name = row.shape;
        const bool upright = name == vertical;
        const accuracy::ErrorBounds& bound = row.bounds;
        int messages = 0;
        std::mt19937 random(23); // its raw numbers are the same everywhere, unlike the distributions
        const auto between = [&random](double low, double high) { return low + (high - low) * (random() / 0x1p32); };
        for (int i = 0; i < 20000; ++i) {
            const float radius = static_cast<float>(between(24, 120)) / 2,
                        length = static_cast<float>(between(36, 480));
            const double depth = upright ? length : 2.0 * radius;
            const double fromEnd = i % 2 ? between(0, depth / 2) : depth / 2 * std::pow(10.0, between(-8, 0));
            const auto level = static_cast<float>(i % 4 < 2 ? fromEnd : depth - fromEnd);
            const std::string unit(tank::kVolumeUnits[i / 4 % 4].text);
            const long double perGallon = accuracy::exactUnitsPerGallon(unit);
            const long double exact = accuracy::exactGallons(name, level, radius, length) * perGallon;
            const long double capacity = accuracy::exactCapacityGallons(name, radius, length) * perGallon;
            const float computed = volume(level, radius, length, name, unit, counter(messages));
            const long double error = std::fabs(computed - exact), nearEnd = std::min<double>(level, depth - level);
            if ((nearEnd >= 1 && error > bound.ofVolumeFrom1Inch * exact) ||
                (nearEnd >= 0.1 && error > bound.ofVolumeFromTenthInch * exact) ||
                (nearEnd >= 2 * radius / 32767 && error > bound.ofCapacityFromChartStep * capacity) ||
                error > bound.ofCapacity * capacity || std::signbit(computed)) {
                char where[160];
                std::snprintf(where, sizeof where, "r %g x %g at %.9g in %s: %g", radius, length, level, unit.c_str(),
                              computed);
                FAIL() << where;
            }
        }
        EXPECT_EQ(messages, 0);
    }
}
