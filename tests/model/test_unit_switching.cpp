#include "model/unit_switching.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

using namespace unitswitch;
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

} // namespace

// Bit-exact: 12 * 25.4 is not the literal 304.8.
TEST(UnitSwitching, Factors)
{
    const struct {
        bool length;
        const char* from;
        const char* to;
        const char* value;
    } rows[] = {
        {true, "inches", "feet", "0.08333333333333333"},
        {true, "inches", "millimeters", "25.4"},
        {true, "inches", "centimeters", "2.54"},
        {true, "inches", "meters", "0.0254"},
        {true, "feet", "inches", "12"},
        {true, "feet", "millimeters", "304.79999999999995"},
        {true, "feet", "centimeters", "30.48"},
        {true, "feet", "meters", "0.30479999999999996"},
        {true, "millimeters", "inches", "0.03937007874015748"},
        {true, "millimeters", "feet", "0.0032808398950131233"},
        {true, "millimeters", "centimeters", "0.1"},
        {true, "millimeters", "meters", "0.001"},
        {true, "centimeters", "inches", "0.39370078740157477"},
        {true, "centimeters", "feet", "0.03280839895013123"},
        {true, "centimeters", "millimeters", "10"},
        {true, "centimeters", "meters", "0.01"},
        {true, "meters", "inches", "39.37007874015748"},
        {true, "meters", "feet", "3.2808398950131235"},
        {true, "meters", "millimeters", "1000"},
        {true, "meters", "centimeters", "100"},
        {false, "gallons", "litres", "3.785411784"},
        {false, "gallons", "cubic meters", "0.0037854117839999997"},
        {false, "gallons", "millilitres", "3785.411784"},
        {false, "litres", "gallons", "0.26417205235814845"},
        {false, "litres", "cubic meters", "0.001"},
        {false, "litres", "millilitres", "1000"},
        {false, "cubic meters", "gallons", "264.17205235814845"},
        {false, "cubic meters", "litres", "1000"},
        {false, "cubic meters", "millilitres", "1000000"},
        {false, "millilitres", "gallons", "0.00026417205235814843"},
        {false, "millilitres", "litres", "0.001"},
        {false, "millilitres", "cubic meters", "0.000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.from) + " to " + row.to);
        const auto factor = row.length ? lengthFactor(row.from, row.to) : volumeFactor(row.from, row.to);
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = switchLengths(row.inForce, row.chosen, row.fields);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->unit, row.unit);
        EXPECT_EQ(fields(result->texts), row.expected);
    }
}

TEST(UnitSwitching, Volumes)
{
    const struct {
        const char* name;
        const char* inForce;
        const char* chosen;
        VolumeTexts fields;
        Texts expected;
    } rows[] = {
        {"gross volume to litres", "gallons", "litres", {"20000", "15432.5", "15400.25", "0.0007"},
         {"75708.24", "58418.37", "58296.29", ".00265"}},
        {"to cubic meters", "gallons", "cubic meters", {"10000", "5000", "0", "0.0007"},
         {"37.85", "18.93", ".", ".000003"}},
        {"litres back to gallons", "litres", "gallons", {"37.85411784", "", "abc", ".00265"},
         {"10.", ".", ".", ".0007"}},
        {"unit in force again", "gallons", "gallons", {"96", "", "-3.456", "0.0007"}, {"96.", ".", "-3.46", ".0007"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = switchVolumes(row.inForce, row.chosen, row.fields);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->unit, row.chosen);
        EXPECT_EQ(fields(result->texts), row.expected);
    }
}

TEST(UnitSwitching, Temperatures)
{
    const char* const F = "degrees F";
    const char* const C = "degrees C";
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
         {"32.", "60", ".", numtext::fifteenDigitText(5.65555555555555e-05)}},
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = switchTemperatures(row.inForce, row.chosen, row.fields);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->unit, row.unit);
        EXPECT_EQ(fields(result->texts), row.expected);
    }
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
        std::string quantity;
        const char* inForce;
        const char* chosen;
        Texts fields;
    } rows[] = {
        {"diameter beyond range", "length", "inches", "millimeters", {"1E308", "324", "48"}},
        {"last length field beyond range", "length", "feet", "centimeters", {"8", "27", "1E307"}},
        {"length text reading as infinity", "length", "inches", "inches", {"96", "1E400", "48"}},
        {"capacity beyond range", "volume", "gallons", "millilitres", {"1E306", "0", "0", "0.0007"}},
        {"Ce field beyond range", "volume", "cubic meters", "millilitres", {"0", "0", "0", "1E303"}},
        {"product temperature F to C", "temperature", "degrees F", "degrees C", {"1E308", "60", "0.0007", "0.0007"}},
        {"product temperature C to F", "temperature", "degrees C", "degrees F", {"1E308", "15", "0.0007", "0.0007"}},
        {"product temperature not strict, infinite", "temperature", "degrees F", "degrees C",
         {"1E400", "60", "0.0007", "0.0007"}},
        {"Ce field F to C", "temperature", "degrees F", "degrees C", {"70", "60", "1.7E308", "0.0007"}},
        {"cevalue F to C", "temperature", "degrees F", "degrees C", {"70", "60", "0.0007", "1.7E308"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Texts& f = row.fields;
        if (row.quantity == "length")
            EXPECT_FALSE(switchLengths(row.inForce, row.chosen, {f[0], f[1], f[2]}));
        else if (row.quantity == "volume")
            EXPECT_FALSE(switchVolumes(row.inForce, row.chosen, {f[0], f[1], f[2], f[3]}));
        else
            EXPECT_FALSE(switchTemperatures(row.inForce, row.chosen, {f[0], f[1], f[2], f[3]}));
    }
}
