#include "model/unit_switching.h"

#include "core/display_patterns.h"
#include "core/name_tables.h"
#include "core/number_text.h"
#include "model/product_names.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

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

// The reading lengths and volumes use for any text: "" and "abc" read 0,
// "10,000" reads 10.
double leading(const std::string& text) { return tank::leadingNumber(text); }

// Where a temperature conversion wants the strict reading but the text fails
// it (an empty field, the "." written for zero), the text is read as lengths
// and volumes read it, so the field still ends up in the new unit.
double strictOrLeading(const std::string& text)
{
    if (const std::optional<double> value = tank::strictNumber(text))
        return *value;
    return tank::leadingNumber(text);
}

// Rounds to 15 significant digits by writing the value out and reading it
// back, as the temperature conversion has always done.
double fifteenDigitRoundTrip(double value)
{
    if (!std::isfinite(value))
        return value;
    return tank::leadingNumber(tank::fifteenDigitText(value));
}

bool allFinite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Refuses (nothing) when the product is not finite, e.g. 1E308 inches
// switched to millimeters.
std::optional<std::string> scaled(const std::string& text, double factor, std::string_view pattern)
{
    const double value = factor * leading(text);
    if (!std::isfinite(value))
        return std::nullopt;
    return tank::displayPattern(value, pattern);
}

// Rewrites a text in a pattern when it reads strictly as a number; any other
// text is the operator's and stays as it is.
std::string rewrittenIfNumber(const std::string& text, std::string_view pattern)
{
    if (const std::optional<double> value = tank::strictNumber(text))
        return tank::displayPattern(*value, pattern);
    return text;
}

std::optional<Switched<TemperatureTexts>> convertTemperatures(std::string_view to, const TemperatureTexts& fields)
{
    const model::TemperatureUnitName& unit = *model::findTemperatureUnit(to);
    const bool toCelsius = unit.unit == model::TemperatureUnit::DegreesC;
    const double q = toCelsius ? model::kFahrenheitToCelsius : model::kCelsiusToFahrenheit;

    double productTemp = 0;
    if (toCelsius) {
        const double t = fifteenDigitRoundTrip(strictOrLeading(fields.productTemp) - 32);
        productTemp = (t * 5) / 9;
    } else {
        const double t = leading(fields.productTemp);
        productTemp = ((t * 9) / 5) + 32;
    }
    const double ce = fifteenDigitRoundTrip(strictOrLeading(fields.ce) / q);
    const double cevalue = strictOrLeading(fields.cevalue) / q;
    if (!allFinite({productTemp, ce, cevalue}))
        return std::nullopt;

    Switched<TemperatureTexts> result;
    result.unit = std::string(to);
    result.texts.productTemp = tank::displayPattern(productTemp, tank::patterns::kTemperature);
    result.texts.ceTempRef = std::string(unit.ceTempRef);
    result.texts.ce = tank::displayPattern(ce, tank::patterns::kCePerDegree);
    result.texts.cevalue = tank::fifteenDigitText(cevalue);
    return result;
}

} // namespace

bool isLengthUnit(std::string_view text) { return tank::findLengthUnit(text) != nullptr; }
bool isVolumeUnit(std::string_view text) { return tank::findVolumeUnit(text) != nullptr; }
bool isTemperatureUnit(std::string_view text) { return model::findTemperatureUnit(text) != nullptr; }

std::optional<double> lengthFactor(std::string_view from, std::string_view to)
{
    return findFactor(tank::kLengthUnits, kLengthConversions, from, to);
}

std::optional<double> volumeFactor(std::string_view from, std::string_view to)
{
    return findFactor(tank::kVolumeUnits, kVolumeConversions, from, to);
}

std::optional<Switched<LengthTexts>> switchLengths(std::string_view unitInForce, std::string_view chosen,
                                                   const LengthTexts& fields)
{
    const std::string_view unit = isLengthUnit(chosen) ? chosen : unitInForce;
    const std::optional<double> factor = lengthFactor(unitInForce, unit);
    if (!factor)
        return std::nullopt;
    auto diameter = scaled(fields.diameter, *factor, tank::patterns::kLength);
    auto length = scaled(fields.length, *factor, tank::patterns::kLength);
    auto level = scaled(fields.level, *factor, tank::patterns::kLength);
    if (!diameter || !length || !level)
        return std::nullopt;
    return Switched<LengthTexts>{std::string(unit), {*diameter, *length, *level}};
}

std::optional<Switched<VolumeTexts>> switchVolumes(std::string_view unitInForce, std::string_view chosen,
                                                   const VolumeTexts& fields)
{
    const std::string_view unit = isVolumeUnit(chosen) ? chosen : unitInForce;
    const std::optional<double> factor = volumeFactor(unitInForce, unit);
    if (!factor)
        return std::nullopt;
    auto capacity = scaled(fields.capacity, *factor, tank::patterns::kVolume);
    auto gross = scaled(fields.gross, *factor, tank::patterns::kVolume);
    auto net = scaled(fields.net, *factor, tank::patterns::kVolume);
    auto ce = scaled(fields.ce, *factor, tank::patterns::kCePerVolume);
    if (!capacity || !gross || !net || !ce)
        return std::nullopt;
    return Switched<VolumeTexts>{std::string(unit), {*capacity, *gross, *net, *ce}};
}

std::optional<Switched<TemperatureTexts>> switchTemperatures(std::string_view unitInForce, std::string_view chosen,
                                                             const TemperatureTexts& fields)
{
    if (isTemperatureUnit(chosen) && chosen != unitInForce) {
        if (!isTemperatureUnit(unitInForce))
            return std::nullopt;
        return convertTemperatures(chosen, fields);
    }
    // The unit in force picked again: the numbers stay, their texts are
    // tidied. cevalue is left exactly as it is.
    Switched<TemperatureTexts> result{std::string(unitInForce), fields};
    result.texts.productTemp = rewrittenIfNumber(fields.productTemp, tank::patterns::kTemperature);
    result.texts.ce = rewrittenIfNumber(fields.ce, tank::patterns::kCeTidied);
    result.texts.ceTempRef = rewrittenIfNumber(fields.ceTempRef, tank::patterns::kTemperature);
    return result;
}

} // namespace model
