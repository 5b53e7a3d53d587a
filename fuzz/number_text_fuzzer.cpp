// libFuzzer target for every number reading and text form of core/number_text.
//
// The input is a text as an operator might type it. A '|' splits it into a
// text (before) and a display pattern (after), so that patterns are fuzzed
// too. Beyond "no crash, no sanitizer report", every output is checked
// against properties that must hold and against the reference rounding of
// tests/support/reference_rounding.h.

#include "core/display_patterns.h"
#include "core/number_text.h"
#include "tests/support/reference_rounding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace tank;
using namespace reference;

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

#define CHECK(condition, detail)                                                                                       \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fail(#condition, input, (detail));                                                                         \
    } while (false)

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

std::string show(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string show(const Decimal& d) { return "0." + d.digits + "e" + std::to_string(d.point); }

// Reads back a text the library wrote ("-12.5", ".", "1.5E-07", "0.00")
// into its sign and Decimal; nothing when the text has any other shape.
// The parts are views into the text.
struct Parsed {
    bool negative = false;
    Decimal value;
    std::string_view integerPart, fractionPart;
    bool exponentForm = false;
};

std::optional<Parsed> parseWritten(std::string_view text)
{
    Parsed out;
    std::size_t pos = 0;
    const auto digitsFrom = [&](std::size_t first) {
        while (pos < text.size() && isDigit(text[pos]))
            ++pos;
        return text.substr(first, pos - first);
    };
    if (pos < text.size() && text[pos] == '-')
        out.negative = true, ++pos;
    out.integerPart = digitsFrom(pos);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        out.fractionPart = digitsFrom(pos);
    }
    long exponent = 0;
    if (pos < text.size() && text[pos] == 'E') {
        out.exponentForm = true;
        ++pos;
        if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-'))
            return std::nullopt;
        const bool negativeExponent = text[pos++] == '-';
        const std::string_view exponentDigits = digitsFrom(pos);
        if (exponentDigits.size() < 2 || exponentDigits.size() > 3)
            return std::nullopt;
        for (char c : exponentDigits)
            exponent = exponent * 10 + (c - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    if (pos != text.size())
        return std::nullopt;
    // The digits of both parts, without the zeros around them.
    std::string_view integer = out.integerPart, fraction = out.fractionPart;
    long point = static_cast<long>(integer.size()) + exponent;
    const std::size_t leadingZeros = std::min(integer.find_first_not_of('0'), integer.size());
    integer.remove_prefix(leadingZeros);
    point -= static_cast<long>(leadingZeros);
    if (integer.empty()) {
        const std::size_t fractionZeros = std::min(fraction.find_first_not_of('0'), fraction.size());
        fraction.remove_prefix(fractionZeros);
        point -= static_cast<long>(fractionZeros);
    }
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
    if (fraction.empty())
        integer = integer.substr(0, integer.find_last_not_of('0') + 1);
    if (integer.empty() && fraction.empty())
        return out;
    out.value.digits.reserve(integer.size() + fraction.size());
    out.value.digits.append(integer).append(fraction);
    out.value.point = point;
    return out;
}

// What a pattern asks for, read the documented way: places after the first
// ".", the last "0" place among them, and "0" places before it.
struct PatternShape {
    long decimals = 0;
    long keptDecimals = 0;
    bool zeroBeforePoint = false;
};

constexpr PatternShape shapeOf(std::string_view pattern)
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

// A pattern with its shape, read once rather than for every value.
struct Pattern {
    std::string_view text;
    PatternShape shape;
};

// Every pattern the program uses.
constexpr auto kFixedPatterns = [] {
    std::array<Pattern, tank::patterns::kAll.size()> all{};
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = {tank::patterns::kAll[i], shapeOf(tank::patterns::kAll[i])};
    return all;
}();

// ---- properties ---------------------------------------------------------

// Every writer gives NaN and the infinities as words; true when `value`
// is one of them (and its text was checked).
template <typename Real>
bool checkedAsWord(std::string_view input, Real value, const std::string& text)
{
    if (std::isnan(value))
        CHECK(text == "NaN", text);
    else if (std::isinf(value))
        CHECK(text == (value < 0 ? "-Infinity" : "Infinity"), text);
    return !std::isfinite(value);
}

// `rounded`: the exact value rounded to 15 digits.
void checkFifteenDigits(std::string_view input, double value, const Decimal& rounded)
{
    const std::string text = fifteenDigitText(value);
    if (checkedAsWord(input, value, text))
        return;
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
    CHECK(sameBits(*strict, leadingNumber(text)),
          text + ": strict " + show(*strict) + ", leading " + show(leadingNumber(text)));

    // The digits are the exact value rounded to 15, halves away from zero;
    // a rounding beyond the double range steps back to the largest
    // 15-digit value inside it.
    Decimal expected = rounded;
    if (expected.point == 309 && expected.digits > "179769313486231")
        expected = {"179769313486231", 309};
    CHECK(parsed->value == expected, text + " digits " + show(parsed->value) + ", expected " + show(expected));
    // Writing the read-back value again changes nothing.
    CHECK(fifteenDigitText(*strict) == text, text + " then " + fifteenDigitText(*strict));
}

// `rounded`: the exact value rounded to the type's own precision (15
// digits for a double, 7 for a float).
template <typename Real>
void checkPattern(std::string_view input, Real value, const Decimal& rounded, const Pattern& pattern)
{
    const std::string text = displayPattern(value, pattern.text);
    if (checkedAsWord(input, value, text))
        return;
    const std::size_t point = text.find('.');
    CHECK(point != std::string::npos && text.find('.', point + 1) == std::string::npos, "not one point: " + text);
    const auto parsed = parseWritten(text);
    CHECK(parsed.has_value() && !parsed->exponentForm, "unexpected shape: " + text);

    const PatternShape& shape = pattern.shape;
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
    const Decimal expected = roundToDecimals(rounded, shape.decimals);
    CHECK(parsed->value == expected, text + " is " + show(parsed->value) + ", expected " + show(expected));
    // A value that rounds to zero has no sign.
    CHECK(parsed->negative == (value < 0 && !expected.digits.empty()), "sign of " + text);
}

// Every check of a double, with its exact digits worked out once.
void checkDouble(std::string_view input, double value, std::span<const Pattern> patterns)
{
    const Decimal rounded = std::isfinite(value) ? exactRounded(value, 15) : Decimal{};
    checkFifteenDigits(input, value, rounded);
    for (const Pattern& p : patterns)
        checkPattern(input, value, rounded, p);
}

// The 32-bit forms.
void checkSingle(std::string_view input, float value, std::span<const Pattern> patterns)
{
    const Decimal rounded = std::isfinite(value) ? exactRounded(value, 7) : Decimal{};
    for (const Pattern& p : patterns)
        checkPattern(input, value, rounded, p);
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
        CHECK(std::fabs(*strict) >= std::numeric_limits<float>::max(), "float fails for " + show(*strict));
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

    // Five values at most, each with its two neighbours.
    double values[15];
    std::size_t count = 0;
    values[count++] = leadingNumber(text);
    if (const auto strict = strictNumber(text))
        values[count++] = *strict;
    if (const auto single = strictNumberFloat(text))
        values[count++] = *single;
    // The raw bytes as numbers reach NaNs, subnormals and extremes that no
    // short text does.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        values[count++] = raw;
    }
    if (size >= sizeof(float)) {
        float raw;
        std::memcpy(&raw, data + size - sizeof raw, sizeof raw);
        values[count++] = raw;
    }
    // The neighbours of a value sit on either side of its rounding.
    for (std::size_t i = 0, n = count; i < n; ++i) {
        if (std::isfinite(values[i])) {
            values[count++] = std::nextafter(values[i], INFINITY);
            values[count++] = std::nextafter(values[i], -INFINITY);
        }
    }

    // Each value, and the 32-bit form of each that has one, is checked
    // once: the readings often agree, and neighbouring doubles mostly share
    // their float, so the same checks of the same value (all of them on
    // pure functions) would only repeat.
    double doubles[15];
    float singles[15];
    std::size_t doubleCount = 0, singleCount = 0;
    for (const double v : std::span(values, count)) {
        if (std::none_of(doubles, doubles + doubleCount, [&](double d) { return sameBits(d, v); }))
            doubles[doubleCount++] = v;
        if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max())
            continue;
        const auto single = static_cast<float>(v);
        if (std::none_of(singles, singles + singleCount, [&](float f) { return sameBits(f, single); }))
            singles[singleCount++] = single;
    }

    // The program's patterns, and the input's own after a '|'.
    Pattern patterns[std::size(kFixedPatterns) + 1];
    std::size_t patternCount = 0;
    for (const Pattern& p : kFixedPatterns)
        patterns[patternCount++] = p;
    if (withPattern)
        patterns[patternCount++] = {pattern, shapeOf(pattern)};
    const std::span<const Pattern> allPatterns(patterns, patternCount);
    for (const double v : std::span(doubles, doubleCount))
        checkDouble(input, v, allPatterns);
    for (const float f : std::span(singles, singleCount))
        checkSingle(input, f, allPatterns);
    return 0;
}
