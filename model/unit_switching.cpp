#include "model/unit_switching.h"

#include "core/display_patterns.h"
#include "core/name_tables.h"
#include "core/number_text.h"
#include "model/product_names.h"
#include "model/unit_factors.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace model {
namespace {

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
