#include "model/unit_factors.h"

#include "core/name_tables.h"

#include <cstddef>

namespace model {
namespace {

using tank::LengthUnit;
using tank::VolumeUnit;

template <typename Unit>
struct Conversion {
    Unit from;
    Unit to;
    double factor;
};

// Each factor is the double its expression gives, evaluated left to right:
// 12 * 25.4 is one unit in the last place below the literal 304.8, and the
// figures operators have on paper were made with that value. The metric
// steps among themselves are the metric system's own.
using tank::kCentimetersPerInch;
using tank::kInchesPerFoot;
using tank::kMetersPerInch;
using tank::kMillimetersPerInch;

// clang-format off
constexpr Conversion<LengthUnit> kLengthConversions[] = {
    {LengthUnit::Inches, LengthUnit::Feet, 1.0 / kInchesPerFoot},
    {LengthUnit::Inches, LengthUnit::Millimeters, kMillimetersPerInch},
    {LengthUnit::Inches, LengthUnit::Centimeters, kCentimetersPerInch},
    {LengthUnit::Inches, LengthUnit::Meters, kMetersPerInch},
    {LengthUnit::Feet, LengthUnit::Inches, kInchesPerFoot},
    {LengthUnit::Feet, LengthUnit::Millimeters, kInchesPerFoot * kMillimetersPerInch},
    {LengthUnit::Feet, LengthUnit::Centimeters, kInchesPerFoot * kCentimetersPerInch},
    {LengthUnit::Feet, LengthUnit::Meters, kInchesPerFoot * kMetersPerInch},
    {LengthUnit::Millimeters, LengthUnit::Inches, 1.0 / kMillimetersPerInch},
    {LengthUnit::Millimeters, LengthUnit::Feet, 1.0 / kInchesPerFoot / kMillimetersPerInch},
    {LengthUnit::Millimeters, LengthUnit::Centimeters, 1.0 / 10},
    {LengthUnit::Millimeters, LengthUnit::Meters, 1.0 / 1000},
    {LengthUnit::Centimeters, LengthUnit::Inches, 1.0 / kCentimetersPerInch},
    {LengthUnit::Centimeters, LengthUnit::Feet, 1.0 / kInchesPerFoot / kCentimetersPerInch},
    {LengthUnit::Centimeters, LengthUnit::Millimeters, 10.0},
    {LengthUnit::Centimeters, LengthUnit::Meters, 1.0 / 100},
    {LengthUnit::Meters, LengthUnit::Inches, 1.0 / kMetersPerInch},
    {LengthUnit::Meters, LengthUnit::Feet, 1.0 / kInchesPerFoot / kMetersPerInch},
    {LengthUnit::Meters, LengthUnit::Millimeters, 1000.0},
    {LengthUnit::Meters, LengthUnit::Centimeters, 100.0},
};
// clang-format on

// From the litres in a gallon; the cubic meter is a thousand litres here,
// not the core's own factor for it.
using tank::kLitresPerGallon;
using tank::kMillilitresPerGallon;

constexpr Conversion<VolumeUnit> kVolumeConversions[] = {
    {VolumeUnit::Gallons, VolumeUnit::Litres, kLitresPerGallon},
    {VolumeUnit::Gallons, VolumeUnit::CubicMeters, kLitresPerGallon / 1000},
    {VolumeUnit::Gallons, VolumeUnit::Millilitres, kMillilitresPerGallon},
    {VolumeUnit::Litres, VolumeUnit::Gallons, 1 / kLitresPerGallon},
    {VolumeUnit::Litres, VolumeUnit::CubicMeters, 0.001},
    {VolumeUnit::Litres, VolumeUnit::Millilitres, 1000.0},
    {VolumeUnit::CubicMeters, VolumeUnit::Gallons, 1000 / kLitresPerGallon},
    {VolumeUnit::CubicMeters, VolumeUnit::Litres, 1000.0},
    {VolumeUnit::CubicMeters, VolumeUnit::Millilitres, 1000000.0},
    {VolumeUnit::Millilitres, VolumeUnit::Gallons, 1 / kMillilitresPerGallon},
    {VolumeUnit::Millilitres, VolumeUnit::Litres, 1.0 / 1000},
    {VolumeUnit::Millilitres, VolumeUnit::CubicMeters, 1.0 / 1000000},
};

// The factor between two units of one table: 1 for the same text, nothing
// when either text names no unit of it.
template <typename Row, std::size_t Rows, typename Unit, std::size_t Pairs>
std::optional<double> findFactor(const Row (&names)[Rows], const Conversion<Unit> (&pairs)[Pairs],
                                 std::string_view from, std::string_view to)
{
    if (from == to)
        return 1.0;
    const Row* fromUnit = tank::findNamed(names, from);
    const Row* toUnit = tank::findNamed(names, to);
    if (!fromUnit || !toUnit)
        return std::nullopt;
    for (const Conversion<Unit>& c : pairs)
        if (c.from == fromUnit->unit && c.to == toUnit->unit)
            return c.factor;
    return std::nullopt;
}

} // namespace

std::optional<double> lengthFactor(std::string_view from, std::string_view to)
{
    return findFactor(tank::kLengthUnits, kLengthConversions, from, to);
}

std::optional<double> volumeFactor(std::string_view from, std::string_view to)
{
    return findFactor(tank::kVolumeUnits, kVolumeConversions, from, to);
}

} // namespace model
