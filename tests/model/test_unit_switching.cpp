#include "model/unit_factors.h"
#include "model/unit_switching.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <variant>
#include <vector>

using namespace model;
using std::string_view;
using Texts = std::vector<std::string>;

namespace {

// The shortest decimal text that reads back as the same double: two
// factors one unit in the last place apart give different texts.
std::string shortest(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return {buffer, result.ptr};
}

Texts fields(const LengthTexts& t) { return {t.diameter, t.length, t.level}; }
Texts fields(const VolumeTexts& t) { return {t.capacity, t.gross, t.net, t.ce}; }
Texts fields(const TemperatureTexts& t) { return {t.productTemp, t.ceTempRef, t.ce, t.cevalue}; }

// Whether the switch of the fields' quantity is carried out.
bool switches(string_view from, string_view to, const LengthTexts& t) { return bool(switchLengths(from, to, t)); }
bool switches(string_view from, string_view to, const VolumeTexts& t) { return bool(switchVolumes(from, to, t)); }
bool switches(string_view from, string_view to, const TemperatureTexts& t)
{
    return bool(switchTemperatures(from, to, t));
}

// Every row's switch is carried out, into its unit and texts.
template <typename Row, std::size_t N, typename Switch>
void expectSwitches(const Row (&rows)[N], Switch carryOut)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = carryOut(row.inForce, row.chosen, row.fields);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->unit, row.unit);
        EXPECT_EQ(fields(result->texts), row.expected);
    }
}

} // namespace

// Bit-exact: 12 * 25.4 is not the literal 304.8.
TEST(UnitSwitching, Factors)
{
    const struct {
        std::optional<double> (*factor)(std::string_view from, std::string_view to);
        const char* from;
        const char* to;
        const char* value;
    } rows[] = {
        {lengthFactor, "inches", "feet", "0.08333333333333333"},
        {lengthFactor, "inches", "millimeters", "25.4"},
        {lengthFactor, "inches", "centimeters", "2.54"},
        {lengthFactor, "inches", "meters", "0.0254"},
        {lengthFactor, "feet", "inches", "12"},
        {lengthFactor, "feet", "millimeters", "304.79999999999995"},
        {lengthFactor, "feet", "centimeters", "30.48"},
        {lengthFactor, "feet", "meters", "0.30479999999999996"},
        {lengthFactor, "millimeters", "inches", "0.03937007874015748"},
        {lengthFactor, "millimeters", "feet", "0.0032808398950131233"},
        {lengthFactor, "millimeters", "centimeters", "0.1"},
        {lengthFactor, "millimeters", "meters", "0.001"},
        {lengthFactor, "centimeters", "inches", "0.39370078740157477"},
        {lengthFactor, "centimeters", "feet", "0.03280839895013123"},
        {lengthFactor, "centimeters", "millimeters", "10"},
        {lengthFactor, "centimeters", "meters", "0.01"},
        {lengthFactor, "meters", "inches", "39.37007874015748"},
        {lengthFactor, "meters", "feet", "3.2808398950131235"},
        {lengthFactor, "meters", "millimeters", "1000"},
        {lengthFactor, "meters", "centimeters", "100"},
        {volumeFactor, "gallons", "litres", "3.785411784"},
        {volumeFactor, "gallons", "cubic meters", "0.0037854117839999997"},
        {volumeFactor, "gallons", "millilitres", "3785.411784"},
        {volumeFactor, "litres", "gallons", "0.26417205235814845"},
        {volumeFactor, "litres", "cubic meters", "0.001"},
        {volumeFactor, "litres", "millilitres", "1000"},
        {volumeFactor, "cubic meters", "gallons", "264.17205235814845"},
        {volumeFactor, "cubic meters", "litres", "1000"},
        {volumeFactor, "cubic meters", "millilitres", "1000000"},
        {volumeFactor, "millilitres", "gallons", "0.00026417205235814843"},
        {volumeFactor, "millilitres", "litres", "0.001"},
        {volumeFactor, "millilitres", "cubic meters", "0.000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.from) + " to " + row.to);
        const auto factor = row.factor(row.from, row.to);
        ASSERT_TRUE(factor);
        EXPECT_EQ(shortest(*factor), row.value);
    }
}

TEST(UnitSwitching, UnknownUnitsHaveNoFactor)
{
    EXPECT_FALSE(lengthFactor("inches", "Inches"));
    EXPECT_FALSE(lengthFactor("inches", "gallons"));
    EXPECT_FALSE(volumeFactor("gallons", "liters"));
    EXPECT_FALSE(volumeFactor("gallons ", "litres"));
}

TEST(UnitSwitching, Lengths)
{
    // clang-format off
    const struct {
        const char* name;
        const char* inForce;
        const char* chosen;
        LengthTexts fields;
        const char* unit;
        Texts expected;
    } rows[] = {
        {"half and negative", "inches", "inches", {"0.5", "324", "-2.5"}, "inches", {".5", "324.", "-2.5"}},
        {"leading number of any text", "inches", "feet", {"12abc", "1,200", " 2 4 "}, "feet", {"1.", ".08333", "2."}},
        {"all integer digits", "inches", "inches", {"12345678.9", "0", "-0.000004"}, "inches",
         {"12345678.9", ".", "."}},
        {"not a unit name keeps the unit", "feet", "yards", {"8", "27", "4"}, "feet", {"8.", "27.", "4."}},
        {"letter case counts", "inches", "Feet", {"96", "324", "48"}, "inches", {"96.", "324.", "48."}},
        {"large but finite", "inches", "feet", {"1.2E20", "0", "0"}, "feet", {"10000000000000000000.", ".", "."}},
    };
    // clang-format on
    expectSwitches(rows, switchLengths);
}

TEST(UnitSwitching, Volumes)
{
    // clang-format off
    const struct {
        const char* name;
        const char* inForce;
        const char* chosen;
        VolumeTexts fields;
        const char* unit;
        Texts expected;
    } rows[] = {
        {"gross volume to litres", "gallons", "litres", {"20000", "15432.5", "15400.25", "0.0007"}, "litres",
         {"75708.24", "58418.37", "58296.29", ".00265"}},
        {"to cubic meters", "gallons", "cubic meters", {"10000", "5000", "0", "0.0007"}, "cubic meters",
         {"37.85", "18.93", ".", ".000003"}},
        {"litres back to gallons", "litres", "gallons", {"37.85411784", "", "abc", ".00265"}, "gallons",
         {"10.", ".", ".", ".0007"}},
        {"unit in force again", "gallons", "gallons", {"96", "", "-3.456", "0.0007"}, "gallons",
         {"96.", ".", "-3.46", ".0007"}},
    };
    // clang-format on
    expectSwitches(rows, switchVolumes);
}

TEST(UnitSwitching, Temperatures)
{
    const char* const F = "degrees F";
    const char* const C = "degrees C";
    // clang-format off
    const struct {
        const char* name;
        const char* inForce;
        const char* chosen;
        TemperatureTexts fields; // product temperature, reference, Ce field, cevalue
        const char* unit;
        Texts expected;
    } rows[] = {
        // Dividing by 1.8 and multiplying by 1 / 1.8 differ in the 15th digit.
        {"divided by the quotient", C, F, {"0", "15", "0", "0.0001018"}, F,
         {"32.", "60", ".", tank::fifteenDigitText(5.65555555555555e-05)}},
        {"reference replaced whatever it held", F, C, {"70", "abc", "0.0007", "0.0007"}, C,
         {"21.11", "15", ".00126", "0.00126"}},
        {"group separators read strictly", F, C, {"1,032", "60", "1,000", "0.0007"}, C,
         {"555.56", "15", "1800.", "0.00126"}},
        {"leading reading from C to F", C, F, {"1,000", "15", "0.00126", "0.00126"}, F,
         {"33.8", "60", ".0007", "0.0007"}},
        {"98.6 F", F, C, {"98.6", "60", "0.0007", "0.0007"}, C, {"37.", "15", ".00126", "0.00126"}},
        {"-40 F", F, C, {"-40", "60", "0.0007", "0.0007"}, C, {"-40.", "15", ".00126", "0.00126"}},
        {"-40 C", C, F, {"-40.", "15", ".00126", "0.00126"}, F, {"-40.", "60", ".0007", "0.0007"}},
        // 32.351 - 32 is 0.3509999999999991 in binary, 0.351 in 15 digits.
        {"15-digit round trip", F, C, {"32.351", "60", "0.0007", "0.0007"}, C, {".19", "15", ".00126", "0.00126"}},

        // Texts that fail the strict reading are read as lengths read any
        // text, so the fields end up in the new unit all the same.
        {"product temperature shown for zero", F, C, {".", "60", "0.0007", "0.0007"}, C,
         {"-17.78", "15", ".00126", "0.00126"}},
        {"product temperature empty", F, C, {"", "60", "0.0007", "0.0007"}, C, {"-17.78", "15", ".00126", "0.00126"}},
        {"product temperature not a number", F, C, {"abc", "60", "0.0007", "0.0007"}, C,
         {"-17.78", "15", ".00126", "0.00126"}},
        {"product temperature with trailing text", F, C, {"12abc", "60", "0.0007", "0.0007"}, C,
         {"-11.11", "15", ".00126", "0.00126"}},
        {"Ce field shown for zero", F, C, {"70", "60", ".", "0.0007"}, C, {"21.11", "15", ".", "0.00126"}},
        {"Ce field empty, C to F", C, F, {"21.11", "15", "", "0.00126"}, F, {"70.", "60", ".", "0.0007"}},
        {"Ce field with trailing text", F, C, {"70", "60", "0.0009x", "0.0007"}, C,
         {"21.11", "15", ".00162", "0.00126"}},

        {"unit in force again leaves other texts", C, C, {"abc", "", "12x", "0.00126"}, C,
         {"abc", "", "12x", "0.00126"}},
        {"unit in force again, Ce to five places", F, F, {"1,000.456", "59.999", "0.000004", "0.000004"}, F,
         {"1000.46", "60.", ".", "0.000004"}},
        {"not a unit name rewrites only", C, "degrees K", {"21.111", "15", "0.00126", "0.00126"}, C,
         {"21.11", "15.", ".00126", "0.00126"}},
    };
    // clang-format on
    expectSwitches(rows, switchTemperatures);
}

// Switching back and forth many times must not drift the coefficient.
TEST(UnitSwitching, CoefficientSurvivesRoundTrips)
{
    TemperatureTexts texts{"70", "60", "0.0007", "0.0007"};
    for (int i = 0; i < 50; ++i) {
        auto celsius = switchTemperatures("degrees F", "degrees C", texts);
        ASSERT_TRUE(celsius);
        auto fahrenheit = switchTemperatures("degrees C", "degrees F", celsius->texts);
        ASSERT_TRUE(fahrenheit);
        texts = fahrenheit->texts;
    }
    EXPECT_EQ(texts.cevalue, "0.0007");
    EXPECT_EQ(texts.ce, ".0007");
    EXPECT_EQ(texts.ceTempRef, "60");
}

// A result that is not a finite number refuses the whole switch.
TEST(UnitSwitching, Refused)
{
    const struct {
        const char* name;
        const char* inForce;
        const char* chosen;
        std::variant<LengthTexts, VolumeTexts, TemperatureTexts> fields; // whose switch it is
    } rows[] = {
        {"diameter beyond range", "inches", "millimeters",
         LengthTexts{.diameter = "1E308", .length = "324", .level = "48"}},
        {"last length field beyond range", "feet", "centimeters",
         LengthTexts{.diameter = "8", .length = "27", .level = "1E307"}},
        {"length text reading as infinity", "inches", "inches",
         LengthTexts{.diameter = "96", .length = "1E400", .level = "48"}},
        {"capacity beyond range", "gallons", "millilitres",
         VolumeTexts{.capacity = "1E306", .gross = "0", .net = "0", .ce = "0.0007"}},
        {"Ce field beyond range", "cubic meters", "millilitres",
         VolumeTexts{.capacity = "0", .gross = "0", .net = "0", .ce = "1E303"}},
        {"product temperature F to C", "degrees F", "degrees C",
         TemperatureTexts{.productTemp = "1E308", .ceTempRef = "60", .ce = "0.0007", .cevalue = "0.0007"}},
        {"product temperature C to F", "degrees C", "degrees F",
         TemperatureTexts{.productTemp = "1E308", .ceTempRef = "15", .ce = "0.0007", .cevalue = "0.0007"}},
        {"product temperature not strict, infinite", "degrees F", "degrees C",
         TemperatureTexts{.productTemp = "1E400", .ceTempRef = "60", .ce = "0.0007", .cevalue = "0.0007"}},
        {"Ce field F to C", "degrees F", "degrees C",
         TemperatureTexts{.productTemp = "70", .ceTempRef = "60", .ce = "1.7E308", .cevalue = "0.0007"}},
        {"cevalue F to C", "degrees F", "degrees C",
         TemperatureTexts{.productTemp = "70", .ceTempRef = "60", .ce = "0.0007", .cevalue = "1.7E308"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(
            std::visit([&row](const auto& fields) { return switches(row.inForce, row.chosen, fields); }, row.fields));
    }
}
