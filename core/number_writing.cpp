// Writing numbers: the 15-digit form and the display patterns of
// number_text.h.

#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tank {
namespace {

// The precision a value is cut to before any pattern: its significant
// decimal digits.
enum class Precision { Single = 7, Double = 15 };

// Significant digits of |value| and the decimal exponent of the first one:
// |value| = 0.d1d2... * 10^pointPosition. A fixed buffer: the exact
// expansion of a double has at most 767 significant digits, and these run
// for every number the program shows, so they must not allocate.
struct Digits {
    static constexpr int kCapacity = 800;
    char digit[kCapacity];
    int count = 0;
    int pointPosition = 0;

    bool empty() const { return count == 0; }
};

// Reads to_chars' scientific form "d.ddde±xx" into `d`.
void scientificDigitsFrom(const char* text, const char* end, Digits& d)
{
    d.count = 0;
    const char* p = text;
    for (; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digit[d.count++] = *p;
    int exponent = 0;
    if (p != end) {
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        for (; p != end; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    d.pointPosition = exponent + 1;
}

// Writes |value| with `precision` + 1 significant digits, correctly
// rounded, into `d`.
void scientificDigits(double magnitude, int precision, Digits& d)
{
    char text[Digits::kCapacity + 16];
    const auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, precision).ptr;
    scientificDigitsFrom(text, end, d);
}

// Rounds the digits to `count` significant digits, halves away from zero,
// adjusting the point position on a carry out of the first digit.
void roundDigitsTo(Digits& d, int count)
{
    if (d.count <= count)
        return;
    const bool up = d.digit[count] >= '5';
    d.count = count;
    if (!up)
        return;
    int i = count - 1;
    while (i >= 0 && d.digit[i] == '9') {
        d.digit[i] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digit[i];
        return;
    }
    // 999… became 1000…: one digit more before the point.
    d.digit[0] = '1';
    for (int j = 1; j < count; ++j)
        d.digit[j] = '0';
    ++d.pointPosition;
}

void stripTrailingZeros(Digits& d)
{
    while (d.count > 0 && d.digit[d.count - 1] == '0')
        --d.count;
    if (d.count == 0)
        d.pointPosition = 0;
}

// A whole number below 10^45, in base-10^9 limbs, least significant first:
// room for the exact digits of any 32-bit value (below 2^128) without an
// integer type wider than the standard's.
class ExactDecimal {
public:
    explicit ExactDecimal(std::uint32_t value)
    {
        limbs[0] = value % kLimbBase;
        limbs[1] = value / kLimbBase;
        used = limbs[1] == 0 ? 1 : 2;
    }

    // Each limb times a factor below 2^32 stays below 2^62: no overflow.
    void multiplyBy(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (int i = 0; i < used; ++i) {
            const std::uint64_t product = std::uint64_t{limbs[i]} * factor + carry;
            limbs[i] = static_cast<std::uint32_t>(product % kLimbBase);
            carry = product / kLimbBase;
        }
        for (; carry != 0; carry /= kLimbBase)
            limbs[used++] = static_cast<std::uint32_t>(carry % kLimbBase);
    }

    void multiplyByPowerOf(std::uint32_t base, int exponent, std::uint32_t largestPower, int largestExponent)
    {
        for (; exponent >= largestExponent; exponent -= largestExponent)
            multiplyBy(largestPower);
        std::uint32_t rest = 1;
        for (int i = 0; i < exponent; ++i)
            rest *= base;
        multiplyBy(rest);
    }

    // Writes the decimal digits into `out`; returns how many.
    int digits(char* out) const
    {
        char* end = std::to_chars(out, out + kLimbDigits, limbs[used - 1]).ptr;
        for (int i = used - 2; i >= 0; --i) {
            char limb[kLimbDigits];
            char* limbEnd = std::to_chars(limb, limb + kLimbDigits, limbs[i]).ptr;
            const auto count = limbEnd - limb;
            end = std::fill_n(end, kLimbDigits - count, '0');
            end = std::copy(limb, limbEnd, end);
        }
        return static_cast<int>(end - out);
    }

private:
    static constexpr std::uint32_t kLimbBase = 1'000'000'000;
    static constexpr int kLimbDigits = 9;
    std::array<std::uint32_t, 5> limbs{};
    int used = 1;
};

// The exact digits of a 32-bit value (widened to double), by integer
// arithmetic: value = m * 2^q = (m * 5^-q) * 10^q. False for the few values
// too small for 10^45; the general path handles them.
bool exactSingleDigits(double magnitude, Digits& d)
{
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    auto m = static_cast<std::uint32_t>(std::ldexp(fraction, 24));
    int q = exponent - 24;
    while ((m & 1u) == 0) {
        m >>= 1;
        ++q;
    }
    ExactDecimal n(m);
    int decimalExponent = 0;
    if (q >= 0) {
        n.multiplyByPowerOf(2, q, std::uint32_t{1} << 31, 31); // a float is below 2^128
    } else {
        if (q < -44)
            return false;
        n.multiplyByPowerOf(5, -q, 1'220'703'125, 13); // 5^13
        decimalExponent = q;
    }
    d.count = n.digits(d.digit);
    d.pointPosition = d.count + decimalExponent;
    return true;
}

// The shortest digits that read back as the same double decide the
// rounding to 15 digits whenever they are that short, or when their 16th
// digit lies far enough from a half (a double is within 1.2e-16 of them
// relatively, a 15-digit half at least 2e-16 away from such digits).
// Not so below the normal range, where a double has fewer digits' worth of
// bits: the shortest digits of the smallest one are "5", not 4.94….
bool shortestDecidesFifteen(double magnitude, Digits& d)
{
    if (magnitude < std::numeric_limits<double>::min())
        return false;
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    scientificDigitsFrom(text, end, d);
    if (d.count <= 15)
        return true;
    const char sixteenth = d.digit[15];
    return sixteenth < '3' || sixteenth > '6';
}

// |value| (finite, non-zero) rounded to `significant` digits, halves away
// from zero, judged on the exact binary value.
void significantDigits(double magnitude, Precision precision, Digits& d)
{
    const int significant = static_cast<int>(precision);
    const bool decided =
        precision == Precision::Single ? exactSingleDigits(magnitude, d) : shortestDecidesFifteen(magnitude, d);
    if (!decided) {
        // A correctly rounded expansion three digits longer decides every
        // case but a tail of exactly "500"; only then is the full exact
        // expansion needed.
        scientificDigits(magnitude, significant + 2, d);
        const bool ambiguous =
            d.digit[significant] == '5' && d.digit[significant + 1] == '0' && d.digit[significant + 2] == '0';
        if (ambiguous)
            scientificDigits(magnitude, Digits::kCapacity - 1, d);
    }
    roundDigitsTo(d, significant);
    stripTrailingZeros(d);
}

// ---- display patterns -------------------------------------------------

struct PatternShape {
    int decimals = 0;         // places after the point
    int keptDecimals = 0;     // decimals always written ("0" places)
    int minIntegerDigits = 0; // "0" places before the point
};

PatternShape readPattern(std::string_view pattern)
{
    PatternShape shape;
    const auto point = pattern.find('.');
    const std::string_view before = pattern.substr(0, point);
    const std::string_view after = point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == '#' || after[i] == '0')
            ++shape.decimals;
        if (after[i] == '0')
            shape.keptDecimals = shape.decimals;
    }
    const auto firstZero = before.find('0');
    if (firstZero != std::string_view::npos)
        shape.minIntegerDigits = static_cast<int>(
            std::count_if(before.begin() + firstZero, before.end(), [](char c) { return c == '0' || c == '#'; }));
    return shape;
}

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

std::string formatWithPattern(double value, Precision precision, std::string_view pattern)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const PatternShape shape = readPattern(pattern);

    Digits d;
    if (value != 0)
        significantDigits(std::fabs(value), precision, d);

    // Round to the pattern's decimals: keep the digits up to that place.
    const std::int64_t keep = static_cast<std::int64_t>(d.pointPosition) + shape.decimals;
    if (keep < 0) {
        d.count = 0;
    } else if (d.count > keep) {
        if (keep == 0) {
            // Everything lies below the last place; it rounds to one unit of
            // that place or to zero.
            const bool up = d.digit[0] >= '5';
            d.count = up ? 1 : 0;
            d.digit[0] = '1';
            ++d.pointPosition;
        } else {
            roundDigitsTo(d, static_cast<int>(keep));
        }
    }
    stripTrailingZeros(d);

    const int point = d.pointPosition;
    const int integerDigits = std::max(d.empty() ? 0 : point, 0);
    const int leadingZeros = std::max(integerDigits, shape.minIntegerDigits) - integerDigits;
    const int fractionDigits = d.empty() ? 0 : std::max(d.count - point, 0);
    const int trailingZeros = std::max(shape.keptDecimals - fractionDigits, 0);

    std::string out;
    out.reserve(2 + static_cast<std::size_t>(leadingZeros) + static_cast<std::size_t>(integerDigits) +
                static_cast<std::size_t>(fractionDigits) + static_cast<std::size_t>(trailingZeros));
    if (value < 0 && !d.empty())
        out += '-';
    out.append(static_cast<std::size_t>(leadingZeros), '0');
    for (int i = 0; i < integerDigits; ++i)
        out += i < d.count ? d.digit[i] : '0';
    out += '.';
    for (int i = point; i < d.count; ++i)
        out += i < 0 ? '0' : d.digit[i];
    out.append(static_cast<std::size_t>(trailingZeros), '0');
    return out;
}

} // namespace

std::string fifteenDigitText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return "0";
    Digits d;
    significantDigits(std::fabs(value), Precision::Double, d);
    // Next to the largest double the rounding goes beyond the range, which
    // the strict reading refuses and the leading one reads as infinity: the
    // largest 15-digit value inside it is written instead.
    constexpr std::string_view kLargest = "179769313486231";
    if (d.pointPosition == 309 && std::string_view(d.digit, static_cast<std::size_t>(d.count)) > kLargest)
        d.count = static_cast<int>(kLargest.copy(d.digit, kLargest.size()));
    const std::string digits(d.digit, static_cast<std::size_t>(d.count));
    // The notation is chosen on the rounded value: 999999999999999.9 is 1E+15.
    const int exponent = d.pointPosition - 1; // value = d1.d2... * 10^exponent
    std::string out = value < 0 ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        const int n = d.count;
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else if (n <= exponent + 1) {
            out += digits;
            out.append(static_cast<std::size_t>(exponent + 1 - n), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(exponent) + 1);
            out += '.';
            out += digits.substr(static_cast<std::size_t>(exponent) + 1);
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out += digits.substr(1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string exponentDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (exponentDigits.size() < 2)
        out += '0';
    out += exponentDigits;
    return out;
}

std::string displayPattern(double value, std::string_view pattern)
{
    return formatWithPattern(value, Precision::Double, pattern);
}

std::string displayPattern(float value, std::string_view pattern)
{
    // A float widens to double exactly; only the precision differs.
    return formatWithPattern(static_cast<double>(value), Precision::Single, pattern);
}

} // namespace tank
