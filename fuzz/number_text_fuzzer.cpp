// libFuzzer target for every number reading and text form of core/number_text.
//
// The input is a text as an operator might type it. A '|' splits it into a
// text (before) and a display pattern (after), so that patterns are fuzzed
// too. Beyond "no crash, no sanitizer report", every output is checked
// against properties that must hold and against a reference rounding built
// here on glibc's exact printf digits, independently of the library's own
// digit code.

#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

using namespace numtext;

// Every pattern the program uses.
constexpr std::string_view kFixedPatterns[] = {
    "#######.#####", "##########.##", "##########.######", "#########.#####",
    "##.#####",      "##0.00",        "#####0.00",
};

[[noreturn]] void fail(const char* what, std::string_view input, const std::string& detail)
{
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n  input: \"", what);
    for (unsigned char c : input) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02x", c);
    }
    std::fprintf(stderr, "\"\n  %s\n", detail.c_str());
    std::abort();
}

#define CHECK(condition, detail)                                                                   \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fail(#condition, input, (detail));                                                     \
    } while (false)

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string show(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// ---- reference decimal rounding ----------------------------------------

// |value| = 0.d1d2d3... * 10^point, digits without leading or trailing zeros;
// zero has no digits.
struct Decimal {
    std::string digits;
    long point = 0;
    bool operator==(const Decimal&) const = default;
};

std::string show(const Decimal& d) { return "0." + d.digits + "e" + std::to_string(d.point); }

void trim(Decimal& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0')
        ++lead;
    d.digits.erase(0, lead);
    d.point -= static_cast<long>(lead);
    if (d.digits.empty())
        d.point = 0;
}

// The exact decimal value of a finite double: glibc's printf writes every
// digit exactly (a double has at most 767 significant ones).
Decimal exactDecimal(double value)
{
    static char buf[900];
    std::snprintf(buf, sizeof buf, "%.800e", std::fabs(value));
    Decimal d;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (isDigit(*p))
            d.digits += *p;
    d.point = std::strtol(p + 1, nullptr, 10) + 1;
    trim(d);
    return d;
}

// Keeps `keep` digits from the first, rounding the rest half away from zero.
Decimal roundToDigits(Decimal d, long keep)
{
    if (d.digits.empty() || static_cast<long>(d.digits.size()) <= keep)
        return d;
    if (keep < 0)
        return {};
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        // One unit more in the last kept place; the zero put in front takes
        // a carry out of the first digit.
        d.digits.insert(d.digits.begin(), '0');
        ++d.point;
        std::size_t i = d.digits.size();
        while (d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        ++d.digits[i - 1];
    }
    trim(d);
    return d;
}

Decimal roundToDecimals(const Decimal& d, long decimals) { return roundToDigits(d, d.point + decimals); }

// Reads back a text the library wrote ("-12.5", ".", "1.5E-07", "0.00")
// into its sign and Decimal; nothing when the text has any other shape.
struct Parsed {
    bool negative = false;
    Decimal value;
    std::string integerPart, fractionPart;
    bool exponentForm = false;
};

std::optional<Parsed> parseWritten(std::string_view text)
{
    Parsed out;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-')
        out.negative = true, ++pos;
    while (pos < text.size() && isDigit(text[pos]))
        out.integerPart += text[pos++];
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos]))
            out.fractionPart += text[pos++];
    }
    long exponent = 0;
    if (pos < text.size() && text[pos] == 'E') {
        out.exponentForm = true;
        ++pos;
        if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-'))
            return std::nullopt;
        const bool negativeExponent = text[pos++] == '-';
        std::string exponentDigits;
        while (pos < text.size() && isDigit(text[pos]))
            exponentDigits += text[pos++];
        if (exponentDigits.size() < 2 || exponentDigits.size() > 3)
            return std::nullopt;
        exponent = std::strtol(exponentDigits.c_str(), nullptr, 10) * (negativeExponent ? -1 : 1);
    }
    if (pos != text.size())
        return std::nullopt;
    out.value.digits = out.integerPart + out.fractionPart;
    out.value.point = static_cast<long>(out.integerPart.size()) + exponent;
    trim(out.value);
    return out;
}

// What a pattern asks for, read the documented way: places after the first
// ".", the last "0" place among them, and "0" places before it.
struct PatternShape {
    long decimals = 0;
    long keptDecimals = 0;
    bool zeroBeforePoint = false;
};

PatternShape shapeOf(std::string_view pattern)
{
    PatternShape shape;
    const std::size_t point = pattern.find('.');
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (point != std::string_view::npos && i > point && (c == '#' || c == '0')) {
            ++shape.decimals;
            if (c == '0')
                shape.keptDecimals = shape.decimals;
        }
        if ((point == std::string_view::npos || i < point) && c == '0')
            shape.zeroBeforePoint = true;
    }
    return shape;
}

// ---- properties ---------------------------------------------------------

void checkFifteenDigits(std::string_view input, double value, const Decimal& exact)
{
    const std::string text = fifteenDigitText(value);
    if (std::isnan(value)) {
        CHECK(text == "NaN", text);
        return;
    }
    if (std::isinf(value)) {
        CHECK(text == (value < 0 ? "-Infinity" : "Infinity"), text);
        return;
    }
    if (value == 0) {
        CHECK(text == "0", text);
        return;
    }
    const auto parsed = parseWritten(text);
    CHECK(parsed.has_value(), "unexpected shape: " + text);
    CHECK(parsed->negative == (value < 0), text);
    CHECK(parsed->value.digits.size() <= 15, text);
    CHECK(parsed->fractionPart.empty() || parsed->fractionPart.back() != '0', "trailing zero: " + text);
    CHECK(!parsed->integerPart.empty(), "no integer digit: " + text);
    CHECK(parsed->integerPart.size() == 1 || parsed->integerPart[0] != '0', "leading zero: " + text);
    if (parsed->exponentForm)
        CHECK(parsed->integerPart.size() == 1 && parsed->integerPart != "0", text);

    // Both readings give it back, finite and equal.
    const std::optional<double> strict = strictNumber(text);
    CHECK(strict.has_value(), "strict reading fails on " + text);
    CHECK(std::isfinite(*strict), text);
    CHECK(sameBits(*strict, leadingNumber(text)), text + ": strict " + show(*strict) + ", leading " +
                                                        show(leadingNumber(text)));

    // The digits are the exact value rounded to 15, halves away from zero;
    // a rounding beyond the double range steps back to the largest
    // 15-digit value inside it.
    Decimal expected = roundToDigits(exact, 15);
    if (expected.point == 309 && expected.digits > "179769313486231")
        expected = {"179769313486231", 309};
    CHECK(parsed->value == expected, text + " digits " + show(parsed->value) + ", expected " + show(expected));
    // Writing the read-back value again changes nothing.
    CHECK(fifteenDigitText(*strict) == text, text + " then " + fifteenDigitText(*strict));
}

template <typename Real>
void checkPattern(std::string_view input, Real value, const Decimal& exact, std::string_view pattern)
{
    const std::string text = displayPattern(value, pattern);
    if (std::isnan(value)) {
        CHECK(text == "NaN", text);
        return;
    }
    if (std::isinf(value)) {
        CHECK(text == (value < 0 ? "-Infinity" : "Infinity"), text);
        return;
    }
    CHECK(std::count(text.begin(), text.end(), '.') == 1, "not one point: " + text);
    const auto parsed = parseWritten(text);
    CHECK(parsed.has_value() && !parsed->exponentForm, "unexpected shape: " + text);

    const PatternShape shape = shapeOf(pattern);
    const long fraction = static_cast<long>(parsed->fractionPart.size());
    CHECK(fraction <= shape.decimals, text);
    CHECK(fraction >= shape.keptDecimals, text);
    if (fraction > shape.keptDecimals)
        CHECK(parsed->fractionPart.back() != '0', "trailing zero: " + text);
    if (!parsed->integerPart.empty() && parsed->integerPart[0] == '0')
        CHECK(shape.zeroBeforePoint, "leading zero: " + text);
    if (shape.zeroBeforePoint)
        CHECK(!parsed->integerPart.empty(), "no integer digit: " + text);

    // Cut to the type's own precision, then rounded to the places.
    const long significant = std::is_same_v<Real, float> ? 7 : 15;
    const Decimal expected = roundToDecimals(roundToDigits(exact, significant), shape.decimals);
    CHECK(parsed->value == expected, text + " is " + show(parsed->value) + ", expected " + show(expected));
    // A value that rounds to zero has no sign.
    CHECK(parsed->negative == (value < 0 && !expected.digits.empty()), "sign of " + text);
}

void checkValue(std::string_view input, double value, std::string_view pattern, bool withPattern)
{
    // The exact digits are worked out once: printf's exact expansion is
    // the slow part of every check.
    const Decimal exact = std::isfinite(value) ? exactDecimal(value) : Decimal{};
    checkFifteenDigits(input, value, exact);
    for (std::string_view p : kFixedPatterns)
        checkPattern(input, value, exact, p);
    if (withPattern)
        checkPattern(input, value, exact, pattern);

    // The 32-bit forms, where the value has one.
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return;
    const float single = static_cast<float>(value);
    const Decimal exactSingle = std::isfinite(single) ? exactDecimal(single) : Decimal{};
    for (std::string_view p : kFixedPatterns)
        checkPattern(input, single, exactSingle, p);
    if (withPattern)
        checkPattern(input, single, exactSingle, pattern);
}

void checkReadings(std::string_view input, std::string_view text)
{
    // Leading reading: never NaN, blanks anywhere make no difference, no
    // digit reads as 0.
    const double leading = leadingNumber(text);
    CHECK(!std::isnan(leading), show(leading));
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    CHECK(sameBits(leading, leadingNumber(compact)), show(leading) + " vs " + show(leadingNumber(compact)));
    if (std::none_of(text.begin(), text.end(), isDigit))
        CHECK(leading == 0, show(leading));

    // Strict reading: finite when it passes, and then the same as the
    // leading reading wherever the two grammars agree.
    const std::optional<double> strict = strictNumber(text);
    if (strict) {
        CHECK(std::isfinite(*strict), show(*strict));
        std::string withoutCommas;
        for (char c : text)
            if (c != ',')
                withoutCommas += c;
        const std::optional<double> plain = strictNumber(withoutCommas);
        CHECK(plain && sameBits(*plain, *strict), "group separators change the value");
        if (text.find_first_of(",\t\n") == std::string_view::npos)
            CHECK(sameBits(leading, *strict), "leading " + show(leading) + ", strict " + show(*strict));
    }

    // 32-bit strict reading: rounded once from the text, so it is the
    // 64-bit reading's float or a neighbour of it (double rounding differs
    // only there); it fails exactly where the value is out of float range.
    const std::optional<float> single = strictNumberFloat(text);
    if (single) {
        CHECK(std::isfinite(*single), show(*single));
        CHECK(strict.has_value(), "float passes where double fails");
        const float narrowed = static_cast<float>(*strict);
        CHECK(*single == narrowed || std::nextafter(narrowed, 0.f) == *single ||
                  std::nextafter(narrowed, narrowed < 0 ? -INFINITY : INFINITY) == *single,
              show(*single) + " vs " + show(*strict));
    } else if (strict) {
        CHECK(std::fabs(*strict) >= std::numeric_limits<float>::max(),
              "float fails for " + show(*strict));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t bar = input.find('|');
    const std::string_view text = input.substr(0, bar);
    const bool withPattern = bar != std::string_view::npos;
    const std::string_view pattern = withPattern ? input.substr(bar + 1) : std::string_view{};

    checkReadings(input, input);
    if (withPattern)
        checkReadings(input, text);

    std::vector<double> values{leadingNumber(text)};
    if (const auto strict = strictNumber(text))
        values.push_back(*strict);
    if (const auto single = strictNumberFloat(text))
        values.push_back(*single);
    // The raw bytes as numbers reach NaNs, subnormals and extremes that no
    // short text does.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        values.push_back(raw);
    }
    if (size >= sizeof(float)) {
        float raw;
        std::memcpy(&raw, data + size - sizeof raw, sizeof raw);
        values.push_back(raw);
    }
    for (double v : values) {
        checkValue(input, v, pattern, withPattern);
        // The neighbours of a value sit on either side of its rounding.
        if (std::isfinite(v)) {
            checkValue(input, std::nextafter(v, INFINITY), pattern, withPattern);
            checkValue(input, std::nextafter(v, -INFINITY), pattern, withPattern);
        }
    }
    return 0;
}
