// Numbers to texts and back, as the program shows and reads them.

#include "core/display_patterns.h"
#include "core/number_text.h"
#include "support/reference_rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>

using namespace tank;

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

// Bitwise equality, so that -0 and +0 or two NaNs are told apart properly.
bool sameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The significant digits of a plain or exponent-form number text.
std::string digitsOf(const std::string& text)
{
    std::string digits;
    for (char c : text) {
        if (c == 'E')
            break;
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0'))
            digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}
} // namespace

TEST(NumberText, Leading)
{
    // clang-format off
    const struct { const char* name; std::string text; double expected; } rows[] = {
        {"comma ends the number", "10,000", 10.0},
        {"D exponent", "1D3", 1000.0},
        {"lower-case d exponent", "2.5d-1", 0.25},
        {"E exponent", "1.5E+2", 150.0},
        {"no digits", "abc", 0.0},
        {"empty", "", 0.0},
        {"lone point", ".", 0.0},
        {"lone sign", "-", 0.0},
        {"blanks anywhere", " 1 2 . 5 ", 12.5},
        {"tabs and line feeds", "\t-3\n0", -30.0},
        {"carriage return ends", "4\r5", 4.0},
        {"trailing letters", "12abc", 12.0},
        {"second point ends", "1.2.3", 1.2},
        {"exponent without digits", "7e", 7.0},
        {"exponent sign without digits", "7e+", 7.0},
        {"point first", ".5", 0.5},
        {"negative point first", "-.5", -0.5},
        {"plus sign", "+7", 7.0},
        {"leading zeros", "000120.0500", 120.05},
        {"hex is not read", "0x10", 0.0},
        {"beyond the range", "1E400", inf},
        {"beyond the range, negative", "-1E400", -inf},
        {"huge exponent", "1E99999999999999999999", inf},
        {"underflow", "1E-400", 0.0},
        {"zero with huge exponent", "0E99999", 0.0},
        {"largest double", "1.7976931348623157E308", std::numeric_limits<double>::max()},
        {"fifteen-digit form", "-1.5E-07", -1.5e-7},
        {"non-ASCII ends", "3\xc2\xb0", 3.0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(leadingNumber(row.text), row.expected);
    }
}

TEST(NumberText, Strict)
{
    // clang-format off
    const struct { const char* name; std::string text; bool passes; double expected; } rows[] = {
        {"plain", "96", true, 96.0},
        {"blanks around", "  5  ", true, 5.0},
        {"trailing point", "5.", true, 5.0},
        {"leading point", ".5", true, 0.5},
        {"group separators", "10,000", true, 10000.0},
        {"separators and fraction", "1,234.5", true, 1234.5},
        {"E exponent", "1E3", true, 1000.0},
        {"d exponent", "1d-3", true, 0.001},
        {"signed exponent", "-1.5E+2", true, -150.0},
        {"plus sign", "+2", true, 2.0},
        {"underflow reads 0", "1E-400", true, 0.0},
        {"empty", "", false, 0.0},
        {"blanks only", "   ", false, 0.0},
        {"lone point", ".", false, 0.0},
        {"sign and point", "-.", false, 0.0},
        {"letters", "abc", false, 0.0},
        {"trailing letters", "12abc", false, 0.0},
        {"exponent without digits", "1e", false, 0.0},
        {"exponent sign only", "1e+", false, 0.0},
        {"tab around", "\t5", false, 0.0},
        {"two points", "1.2.3", false, 0.0},
        {"inner blank", "5 5", false, 0.0},
        {"leading separator", ",5", false, 0.0},
        {"separator in fraction", "1.0,5", false, 0.0},
        {"beyond the range", "1E400", false, 0.0},
        {"beyond the range, negative", "-2E308", false, 0.0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto value = strictNumber(row.text);
        ASSERT_EQ(value.has_value(), row.passes);
        if (row.passes) {
            EXPECT_EQ(*value, row.expected);
        }
    }
}

TEST(NumberText, StrictFloat)
{
    // clang-format off
    const struct { const char* name; std::string text; bool passes; float expected; } rows[] = {
        {"coefficient", "0.0007", true, 0.0007f},
        // Just above the midpoint between 1 and the next float: through a
        // double first it would land on the midpoint and round down to 1.
        {"rounded once", "1.00000005960464478", true, 1.00000011920928955078125f},
        {"largest float range", "3.4E38", true, 3.4e38f},
        {"beyond float range", "1E39", false, 0.f},
        {"not a number", "0.0007x", false, 0.f},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto value = strictNumberFloat(row.text);
        ASSERT_EQ(value.has_value(), row.passes);
        if (row.passes) {
            EXPECT_EQ(*value, row.expected);
        }
    }
}

TEST(NumberText, FifteenDigits)
{
    // clang-format off
    const struct { const char* name; double value; std::string expected; } rows[] = {
        {"whole", 38.0, "38"},
        {"per degree C", 0.0007 / (5.0 / 9.0), "0.00126"},
        {"per degree C, diesel", 0.00047 / (5.0 / 9.0), "0.000846"},
        {"coefficient", 0.0007, "0.0007"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"negative", -2.5, "-2.5"},
        {"sum with binary noise", 0.1 + 0.2, "0.3"},
        {"rounded to 15 digits", 123456789012345.6, "123456789012346"},
        {"smallest plain", 0.00001, "0.00001"},
        {"small exponent form", 1.5e-7, "1.5E-07"},
        {"just below plain", 0.0000099, "9.9E-06"},
        {"exact half rounds away", 767290316365194.5, "767290316365195"},
        {"largest plain", 999999999999999.0, "999999999999999"},
        {"rounds up to exponent form", 999999999999999.9, "1E+15"},
        {"large exponent form", 1e100, "1E+100"},
        {"three-digit negative exponent", -2.5e-300, "-2.5E-300"},
        {"infinity", inf, "Infinity"},
        // Rounding up would leave the double range: the text must still read back.
        {"largest double", std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {"largest double, negative", -std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
        {"next below the largest", 1.7976931348623155e308, "1.79769313486231E+308"},
        // Subnormals: the exact value decides, not the shortest digits ("5E-324").
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {"subnormal", 1e-320, "9.99988867182683E-321"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = fifteenDigitText(row.value);
        EXPECT_EQ(text, row.expected);
        if (std::isfinite(row.value)) {
            EXPECT_TRUE(strictNumber(text).has_value()) << text;
        }
    }
}

// Writing in the 15-digit form and reading back gives the value rounded
// to 15 significant digits, by both readings.
TEST(NumberText, FifteenDigitRoundTrip)
{
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 20000; ++i) {
        double value;
        if (i % 2 == 0) {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
        } else {
            std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
            std::uniform_int_distribution<int> exponent(-12, 18);
            value = mantissa(random) * std::pow(10.0, exponent(random));
        }
        const std::string text = fifteenDigitText(value);
        // Exact halves are rounded away from zero (a table row covers
        // them); printf would round them to even.
        char exact[80];
        std::snprintf(exact, sizeof exact, "%.40e", std::fabs(value));
        if (std::strncmp(exact + 16, "5000000000000000000000000", 25) == 0)
            continue;
        char reference[64];
        std::snprintf(reference, sizeof reference, "%.14e", value);
        const double rounded = std::strtod(reference, nullptr);

        const auto strictValue = strictNumber(text);
        ASSERT_TRUE(strictValue.has_value()) << text;
        ASSERT_EQ(*strictValue, rounded) << text << " vs " << reference;
        ASSERT_EQ(leadingNumber(text), rounded) << text;
        ASSERT_LE(text.size(), 24u) << text;
    }
}

// The cut to 7 (float) or 15 (double) digits agrees with the exact
// expansion for values of every magnitude, exact halves included.
TEST(NumberText, CutMatchesExactExpansion)
{
    std::mt19937_64 random(42);
    const std::string manyPlaces = "#." + std::string(60, '#');
    for (int i = 0; i < 20000; ++i) {
        std::uint32_t floatBits = static_cast<std::uint32_t>(random());
        float single;
        std::memcpy(&single, &floatBits, sizeof single);
        if (i % 4 == 1) // whole numbers and halves, where exact ties live
            single = static_cast<float>(random() % 40000000) / ((i % 8 == 1) ? 2.f : 1.f);
        if (std::isfinite(single) && single != 0 && std::fabs(single) > 1e-30f) {
            const std::string text = displayPattern(single, manyPlaces);
            if (std::fabs(single) >= 1e-53) {
                ASSERT_EQ(digitsOf(text), reference::exactRounded(single, 7).digits) << text << " for float";
            }
        }
        double value;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (i % 4 == 1)
            value = static_cast<double>(random() % 4000000000000000ull) / ((i % 8 == 1) ? 2.0 : 1.0);
        if (i % 4 == 2)
            value = static_cast<double>(random() % 100000) / 32767.0 * 96.0;
        if (std::isfinite(value) && value != 0) {
            const std::string text = fifteenDigitText(value);
            ASSERT_EQ(digitsOf(text), reference::exactRounded(value, 15).digits) << text;
        }
    }
}

TEST(NumberText, Pattern)
{
    // clang-format off
    const struct { const char* name; double value; bool single; std::string_view pattern; std::string expected; } rows[] = {
        {"float half case", double(2.675f), true, tank::patterns::kChartLevel, "2.68"},
        {"level half case", 0.125, false, tank::patterns::kChartLevel, "0.13"},
        {"full tank", 7520.23828125, true, tank::patterns::kVolume, "7520.24"},
        {"whole number", 96.0, false, tank::patterns::kVolume, "96."},
        {"half", 0.5, false, tank::patterns::kVolume, ".5"},
        {"zero", 0.0, false, tank::patterns::kVolume, "."},
        {"zero, 0 places", 0.0, false, tank::patterns::kChartLevel, "0.00"},
        {"negative to zero", -0.004, false, "#.##", "."},
        {"negative zero", -0.0, false, tank::patterns::kVolume, "."},
        {"small negative", -0.009, true, tank::patterns::kVolume, "-.01"},
        {"negative whole", -40.0, false, tank::patterns::kVolume, "-40."},
        {"binary noise cut at 15", 96 * 25.4, false, tank::patterns::kLength, "2438.4"},
        {"noise below", 48 * 25.4, false, tank::patterns::kLength, "1219.2"},
        {"integer wider than pattern", 12345678.9, false, tank::patterns::kLength, "12345678.9"},
        {"rounds to whole", 69.998, false, tank::patterns::kVolume, "70."},
        {"float cut at 7 first", double(5076.16064f), true, tank::patterns::kVolume, "5076.16"},
        {"float large", double(14233599.f), true, tank::patterns::kVolume, "14233600."},
        {"carry into new digit", 9.999, false, tank::patterns::kVolume, "10."},
        {"six places", 0.0007 * 3.785411784, false, tank::patterns::kCePerVolume, ".00265"},
        {"below half of last place", 0.004, false, tank::patterns::kVolume, "."},
        {"half of last place", 0.005, false, tank::patterns::kVolume, ".01"},
        {"far below last place", 1e-20, false, tank::patterns::kVolume, "."},
        {"huge", 1e20, false, tank::patterns::kVolume, "100000000000000000000."},
        {"chart volume", 1000000.0, true, tank::patterns::kChartVolume, "1000000.00"},
        {"chart level", 12.0, false, tank::patterns::kChartLevel, "12.00"},
        {"no point in pattern", 2.5, false, "###", "3."},
        // Exact halves at the cut are rounded away from zero, for both widths.
        {"float exact half at 7 digits", 16777205.0, true, tank::patterns::kVolume, "16777210."},
        {"double exact half at 15 digits", 1234567890123425.0, false, tank::patterns::kVolume, "1234567890123430."},
        {"largest float", double(3.4028235e38f), true, "#.#", "340282300000000000000000000000000000000."},
        {"tiny float", double(1e-20f), true, "#.####################", ".00000000000000000001"},
        {"double with binary noise", 0.1 + 0.2, false, "#.#################", ".3"},
        {"infinity", inf, false, tank::patterns::kVolume, "Infinity"},
        {"not a number", std::nan(""), false, tank::patterns::kVolume, "NaN"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = row.single ? displayPattern(static_cast<float>(row.value), row.pattern)
                                            : displayPattern(row.value, row.pattern);
        EXPECT_EQ(text, row.expected);
    }
}

// Arbitrary bytes through every reader and formatter: no crash, no
// sanitizer report, and what the readings return is self-consistent.
TEST(NumberText, ArbitraryInputs)
{
    std::mt19937 random(7);
    const std::string alphabet = "0123456789.,+-eEdD \t\n\rx\xc3\xa9";
    for (int i = 0; i < 30000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int j = 0; j < length; ++j)
            text += (i % 3 == 0) ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];

        const double leading = leadingNumber(text);
        ASSERT_FALSE(std::isnan(leading));
        if (const auto value = strictNumber(text)) {
            ASSERT_TRUE(std::isfinite(*value));
            // A number that passes the strict reading without group
            // separators reads the same either way.
            if (text.find(',') == std::string::npos && text.find_first_of("\t\n") == std::string::npos) {
                ASSERT_TRUE(sameDouble(leading, *value) || (leading == 0 && *value == 0)) << text;
            }
        }
        if (const auto single = strictNumberFloat(text)) {
            ASSERT_TRUE(std::isfinite(*single));
        }
        const std::string fifteen = fifteenDigitText(leading);
        ASSERT_FALSE(fifteen.empty());
        displayPattern(leading, tank::patterns::kVolume);
        displayPattern(static_cast<float>(leading), tank::patterns::kChartLevel);
        displayPattern(leading, text); // any text as a pattern
    }
    // Extremes that stress the digit handling.
    for (double v : {std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                     -std::numeric_limits<double>::min(), 5e-324, 1e308}) {
        EXPECT_FALSE(fifteenDigitText(v).empty());
        EXPECT_FALSE(displayPattern(v, tank::patterns::kLength).empty());
    }
    EXPECT_EQ(leadingNumber(std::string(100000, '9')), inf);
    EXPECT_EQ(*strictNumber("0." + std::string(5000, '0') + "1E5010"), 1e9);
}
