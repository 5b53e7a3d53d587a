#include "main_window/unit_switching.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace unitswitch {
namespace {

struct Conversion {
    std::string_view from;
    std::string_view to;
    double factor;
};

// The factors are the doubles these expressions give when evaluated left to
// right: 12 * 25.4 is one unit in the last place below the literal 304.8, and
// the figures operators have on paper were made with that value.
constexpr Conversion kLengthConversions[] = {
    {"inches", "feet", 1.0 / 12},
    {"inches", "millimeters", 25.4},
    {"inches", "centimeters", 2.54},
    {"inches", "meters", 0.0254},
    {"feet", "inches", 12.0},
    {"feet", "millimeters", 12 * 25.4},
    {"feet", "centimeters", 12 * 2.54},
    {"feet", "meters", 12 * 0.0254},
    {"millimeters", "inches", 1.0 / 25.4},
    {"millimeters", "feet", 1.0 / 12 / 25.4},
    {"millimeters", "centimeters", 1.0 / 10},
    {"millimeters", "meters", 1.0 / 1000},
    {"centimeters", "inches", 1.0 / 2.54},
    {"centimeters", "feet", 1.0 / 12 / 2.54},
    {"centimeters", "millimeters", 10.0},
    {"centimeters", "meters", 1.0 / 100},
    {"meters", "inches", 1.0 / 0.0254},
    {"meters", "feet", 1.0 / 12 / 0.0254},
    {"meters", "millimeters", 1000.0},
    {"meters", "centimeters", 100.0},
};

constexpr Conversion kVolumeConversions[] = {
    {"gallons", "litres", 3.785411784},
    {"gallons", "cubic meters", 3.785411784 / 1000},
    {"gallons", "millilitres", 3785.411784},
    {"litres", "gallons", 1 / 3.785411784},
    {"litres", "cubic meters", 0.001},
    {"litres", "millilitres", 1000.0},
    {"cubic meters", "gallons", 1000 / 3.785411784},
    {"cubic meters", "litres", 1000.0},
    {"cubic meters", "millilitres", 1000000.0},
    {"millilitres", "gallons", 1 / 3785.411784},
    {"millilitres", "litres", 1.0 / 1000},
    {"millilitres", "cubic meters", 1.0 / 1000000},
};

constexpr std::string_view kLengthPattern = "#######.#####";
constexpr std::string_view kVolumePattern = "##########.##";
constexpr std::string_view kCePerVolumePattern = "##########.######";
constexpr std::string_view kCePerDegreePattern = "#########.#####";
constexpr std::string_view kTemperaturePattern = "##########.##";
constexpr std::string_view kCeRewritePattern = "##.#####";
constexpr std::string_view kCeTempRefRewritePattern = "##########.##";

// The coefficient's reference temperature is a fixed point of each scale,
// written bare.
constexpr const char* kCeTempRefF = "60";
constexpr const char* kCeTempRefC = "15";

template <std::size_t N>
std::optional<double> findFactor(const Conversion (&table)[N], std::string_view from,
                                 std::string_view to)
{
    if (from == to)
        return 1.0;
    for (const Conversion& c : table)
        if (c.from == from && c.to == to)
            return c.factor;
    return std::nullopt;
}

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view text)
{
    return std::find(names.begin(), names.end(), text) != names.end();
}

// The reading lengths and volumes use for any text: "" and "abc" read 0,
// "10,000" reads 10.
double leading(const std::string& text) { return numtext::leadingNumber(text); }

// Where a temperature conversion wants the strict reading but the text fails
// it (an empty field, the "." written for zero), the text is read as lengths
// and volumes read it, so the field still ends up in the new unit.
double strictOrLeading(const std::string& text)
{
    if (const std::optional<double> value = numtext::strictNumber(text))
        return *value;
    return numtext::leadingNumber(text);
}

// Rounds to 15 significant digits by writing the value out and reading it
// back, as the temperature conversion has always done.
double fifteenDigitRoundTrip(double value)
{
    if (!std::isfinite(value))
        return value;
    return numtext::leadingNumber(numtext::fifteenDigitText(value));
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
    return numtext::displayPattern(value, pattern);
}

// Rewrites a text in a pattern when it reads strictly as a number; any other
// text is the operator's and stays as it is.
std::string rewrittenIfNumber(const std::string& text, std::string_view pattern)
{
    if (const std::optional<double> value = numtext::strictNumber(text))
        return numtext::displayPattern(*value, pattern);
    return text;
}

std::optional<Switched<TemperatureTexts>> convertTemperatures(std::string_view to,
                                                              const TemperatureTexts& fields)
{
    const bool toCelsius = to == kDegreesC;
    // Divided by the quotient rather than multiplied by its inverse: the
    // last digit of the coefficient depends on it.
    const double q = toCelsius ? 5.0 / 9.0 : 9.0 / 5.0;

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
    result.texts.productTemp = numtext::displayPattern(productTemp, kTemperaturePattern);
    result.texts.ceTempRef = toCelsius ? kCeTempRefC : kCeTempRefF;
    result.texts.ce = numtext::displayPattern(ce, kCePerDegreePattern);
    result.texts.cevalue = numtext::fifteenDigitText(cevalue);
    return result;
}

} // namespace

bool isLengthUnit(std::string_view text) { return contains(kLengthUnits, text); }
bool isVolumeUnit(std::string_view text) { return contains(kVolumeUnits, text); }
bool isTemperatureUnit(std::string_view text) { return text == kDegreesF || text == kDegreesC; }

std::optional<double> lengthFactor(std::string_view from, std::string_view to)
{
    return findFactor(kLengthConversions, from, to);
}

std::optional<double> volumeFactor(std::string_view from, std::string_view to)
{
    return findFactor(kVolumeConversions, from, to);
}

std::optional<Switched<LengthTexts>> switchLengths(std::string_view unitInForce,
                                                   std::string_view chosen,
                                                   const LengthTexts& fields)
{
    const std::string_view unit = isLengthUnit(chosen) ? chosen : unitInForce;
    const std::optional<double> factor = lengthFactor(unitInForce, unit);
    if (!factor)
        return std::nullopt;
    auto diameter = scaled(fields.diameter, *factor, kLengthPattern);
    auto length = scaled(fields.length, *factor, kLengthPattern);
    auto level = scaled(fields.level, *factor, kLengthPattern);
    if (!diameter || !length || !level)
        return std::nullopt;
    return Switched<LengthTexts>{std::string(unit), {*diameter, *length, *level}};
}

std::optional<Switched<VolumeTexts>> switchVolumes(std::string_view unitInForce,
                                                   std::string_view chosen,
                                                   const VolumeTexts& fields)
{
    const std::string_view unit = isVolumeUnit(chosen) ? chosen : unitInForce;
    const std::optional<double> factor = volumeFactor(unitInForce, unit);
    if (!factor)
        return std::nullopt;
    auto capacity = scaled(fields.capacity, *factor, kVolumePattern);
    auto gross = scaled(fields.gross, *factor, kVolumePattern);
    auto net = scaled(fields.net, *factor, kVolumePattern);
    auto ce = scaled(fields.ce, *factor, kCePerVolumePattern);
    if (!capacity || !gross || !net || !ce)
        return std::nullopt;
    return Switched<VolumeTexts>{std::string(unit), {*capacity, *gross, *net, *ce}};
}

std::optional<Switched<TemperatureTexts>> switchTemperatures(std::string_view unitInForce,
                                                             std::string_view chosen,
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
    result.texts.productTemp = rewrittenIfNumber(fields.productTemp, kTemperaturePattern);
    result.texts.ce = rewrittenIfNumber(fields.ce, kCeRewritePattern);
    result.texts.ceTempRef = rewrittenIfNumber(fields.ceTempRef, kCeTempRefRewritePattern);
    return result;
}

} // namespace unitswitch
