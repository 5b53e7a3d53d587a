#pragma once

// The names an operator picks from, each kind in one table: its texts in
// the order the selectors list them, and what belongs to each. Every part
// of the program (the selectors, the arithmetic, the calculation, unit
// switching and the chart) reads these tables. Names are compared whole and
// exactly, letter case and blanks included; a text that matches no row
// matches nothing.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace tank {

// ---- shapes ----------------------------------------------------------------

enum class Shape { FlatEnded, HemisphericalEnded, Vertical };

struct ShapeName {
    Shape shape;
    std::string_view text;
    // The shape's pictures are named by this prefix and a fill step ("ftank50").
    std::string_view picturePrefix;
    // Its pictures as a screen reader tells them.
    std::string_view pictureWords;
};

inline constexpr ShapeName kShapes[] = {
    {Shape::FlatEnded, "Flat-Ended (Steel)", "ftank", "Flat-ended tank"},
    {Shape::HemisphericalEnded, "Cylindrical (Fiberglass)", "ctank", "Tank with hemispherical ends"},
    {Shape::Vertical, "Vertical (Aboveground)", "vtank", "Upright tank"},
};

// ---- fill steps ------------------------------------------------------------

// The picture beside the results shows the tank at one of these steps: the
// highest one whose `from` the fill fraction reaches. Every shape has a
// picture for every step (see pictureName), drawn by tools/tank_pictures.
struct FillStep {
    int percent;
    double from;
    // The picture's fill as a screen reader tells it.
    std::string_view words;
};

inline constexpr FillStep kFillSteps[] = {
    {0, 0.0, "empty"},
    // Anything above empty, however little.
    {10, std::numeric_limits<double>::denorm_min(), "a little product in it"},
    {25, 0.2, "about a quarter full"},
    {50, 0.4, "about half full"},
    {75, 0.6, "about three quarters full"},
    {90, 0.85, "nearly full"},
    {100, 0.95, "full"},
};

// The step a fill fraction reaches; none for a fraction below zero.
inline const FillStep* fillStepFor(double fraction)
{
    const FillStep* reached = nullptr;
    for (const FillStep& step : kFillSteps)
        if (fraction >= step.from)
            reached = &step;
    return reached;
}

// "ftank50": the picture of a shape at a fill step.
inline std::string pictureName(const ShapeName& shape, const FillStep& step)
{
    return std::string(shape.picturePrefix) + std::to_string(step.percent);
}

// ---- lengths ---------------------------------------------------------------

// Every calculation works in inches. The constants are exactly these, and
// each conversion is written as below (x / 25.4, not x * (1 / 25.4)): the
// last digit shown depends on it.
inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kMillimetersPerInch = 25.4;
inline constexpr double kCentimetersPerInch = 2.54;
inline constexpr double kMetersPerInch = 0.0254;

enum class LengthUnit { Inches, Feet, Millimeters, Centimeters, Meters };

struct LengthUnitName {
    LengthUnit unit;
    std::string_view text;
    // A value in this unit in inches, 64-bit; infinite for huge values.
    double (*toInches)(double value);
};

inline constexpr LengthUnitName kLengthUnits[] = {
    {LengthUnit::Inches, "inches", [](double x) { return x; }},
    {LengthUnit::Feet, "feet", [](double x) { return x * kInchesPerFoot; }},
    {LengthUnit::Millimeters, "millimeters", [](double x) { return x / kMillimetersPerInch; }},
    {LengthUnit::Centimeters, "centimeters", [](double x) { return x / kCentimetersPerInch; }},
    {LengthUnit::Meters, "meters", [](double x) { return x / kMetersPerInch; }},
};

// ---- volumes ---------------------------------------------------------------

// Every volume is first obtained in US gallons; the other units are derived
// from the gallon by these factors.
inline constexpr double kLitresPerGallon = 3.785411784;
inline constexpr double kCubicMetersPerGallon = 0.003785411784;
inline constexpr double kMillilitresPerGallon = 3785.411784;

enum class VolumeUnit { Gallons, Litres, CubicMeters, Millilitres };

struct VolumeUnitName {
    VolumeUnit unit;
    std::string_view text;
    double perGallon;
};

inline constexpr VolumeUnitName kVolumeUnits[] = {
    {VolumeUnit::Gallons, "gallons", 1.0},
    {VolumeUnit::Litres, "litres", kLitresPerGallon},
    {VolumeUnit::CubicMeters, "cubic meters", kCubicMetersPerGallon},
    {VolumeUnit::Millilitres, "millilitres", kMillilitresPerGallon},
};

// ---- lookups ---------------------------------------------------------------

// The row whose text is exactly `text`, or null.
template <typename Row, std::size_t N>
constexpr const Row* findNamed(const Row (&table)[N], std::string_view text)
{
    for (const Row& row : table)
        if (row.text == text)
            return &row;
    return nullptr;
}

inline const ShapeName* findShape(std::string_view text) { return findNamed(kShapes, text); }
inline const LengthUnitName* findLengthUnit(std::string_view text) { return findNamed(kLengthUnits, text); }
inline const VolumeUnitName* findVolumeUnit(std::string_view text) { return findNamed(kVolumeUnits, text); }

} // namespace tank
