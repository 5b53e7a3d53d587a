#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace numtext {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// A decimal number as its parts: value = sign * 0.d1d2d3... * 10^exponent.
// Kept apart from any binary type so that both readings share one
// conversion and so that huge exponents cannot overflow an int.
struct DecimalParts {
    bool negative = false;
    std::string digits;    // significant digits, no leading zeros
    std::int64_t exponent = 0;
};

// Accumulates exponent digits without overflowing: beyond this any value is
// out of every floating range anyway.
constexpr std::int64_t kExponentClamp = 1'000'000'000;

void appendExponentDigit(std::int64_t& exponent, char c)
{
    if (exponent < kExponentClamp)
        exponent = exponent * 10 + (c - '0');
}

template <typename Real>
Real toBinary(const DecimalParts& parts, bool& overflow)
{
    overflow = false;
    const Real zero = parts.negative ? -Real(0) : Real(0);
    if (parts.digits.empty())
        return zero;
    // Far outside the range either way: decide without from_chars, whose
    // exponent field could not hold such values.
    if (parts.exponent > 400) {
        overflow = true;
        return parts.negative ? -std::numeric_limits<Real>::infinity()
                              : std::numeric_limits<Real>::infinity();
    }
    if (parts.exponent < -400)
        return zero;

    std::string text;
    text.reserve(parts.digits.size() + 16);
    if (parts.negative)
        text += '-';
    text += "0.";
    text += parts.digits;
    text += 'e';
    text += std::to_string(parts.exponent);

    Real value{};
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (parts.exponent > 0) {
            overflow = true;
            return parts.negative ? -std::numeric_limits<Real>::infinity()
                                  : std::numeric_limits<Real>::infinity();
        }
        return zero;
    }
    return value;
}

// Adds the mantissa digits of `text[pos..]` (digits, optionally one '.'
// when allowPoint, and ',' skipped when allowCommas within the integer
// part) to `parts`. Returns the position after them and whether any digit
// was seen.
struct MantissaScan {
    std::size_t end = 0;
    bool sawDigit = false;
};

MantissaScan scanMantissa(std::string_view text, std::size_t pos, DecimalParts& parts,
                          bool allowCommas)
{
    MantissaScan scan;
    bool inFraction = false;
    std::int64_t integerDigits = 0;   // significant digits before the point
    std::int64_t leadingFractionZeros = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (isDigit(c)) {
            scan.sawDigit = true;
            if (parts.digits.empty() && c == '0') {
                if (inFraction)
                    ++leadingFractionZeros;
            } else {
                parts.digits += c;
                if (!inFraction)
                    ++integerDigits;
            }
        } else if (c == '.' && !inFraction) {
            inFraction = true;
        } else if (c == ',' && allowCommas && !inFraction && scan.sawDigit) {
            // group separator: ignored
        } else {
            break;
        }
        ++pos;
    }
    parts.exponent = parts.digits.empty() ? 0 : (integerDigits - leadingFractionZeros);
    // Trailing zeros carry no value and would only lengthen the text.
    while (!parts.digits.empty() && parts.digits.back() == '0')
        parts.digits.pop_back();
    scan.end = pos;
    return scan;
}

// ---- exact decimal digits of a binary value ---------------------------

// Significant digits of |value| and the decimal exponent of the first one:
// |value| = 0.d1d2... * 10^pointPosition.
struct Digits {
    std::string digits;
    int pointPosition = 0;
};

// Reads to_chars' scientific output "d.ddddde±xx" into Digits.
Digits parseScientific(const char* first, const char* last)
{
    Digits out;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p)
        if (isDigit(*p))
            out.digits += *p;
    int exponent = 0;
    if (p != last)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exponent);
    out.pointPosition = exponent + 1;
    return out;
}

// Rounds the digit string to `count` significant digits, halves away from
// zero, adjusting the point position on a carry out of the first digit.
void roundDigitsTo(Digits& d, std::size_t count)
{
    if (d.digits.size() <= count)
        return;
    const bool up = d.digits[count] >= '5';
    d.digits.resize(count);
    if (up) {
        int i = static_cast<int>(count) - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.pointPosition;
        } else {
            ++d.digits[i];
        }
    }
}

void stripTrailingZeros(Digits& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.pointPosition = 0;
}

// |value| (finite, non-zero) rounded to `significant` digits, halves away
// from zero, judged on the exact binary value. A 40-digit correctly rounded
// expansion decides every case but a tail of exactly "5000…"; only then is
// the full exact expansion (at most 767 digits for a double) produced.
Digits significantDigits(double magnitude, int significant)
{
    constexpr int kProbe = 40;
    char buf[1100];
    auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, kProbe - 1);
    Digits d = parseScientific(buf, r.ptr);
    const bool ambiguous = d.digits[significant] == '5'
        && std::all_of(d.digits.begin() + significant + 1, d.digits.end(), [](char c) { return c == '0'; });
    if (ambiguous) {
        r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 1070);
        d = parseScientific(buf, r.ptr);
    }
    roundDigitsTo(d, static_cast<std::size_t>(significant));
    stripTrailingZeros(d);
    return d;
}

// ---- display patterns -------------------------------------------------

struct PatternShape {
    int decimals = 0;          // places after the point
    int keptDecimals = 0;      // decimals always written ("0" places)
    int minIntegerDigits = 0;  // "0" places before the point
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

std::string formatWithPattern(double value, int significant, std::string_view pattern)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const PatternShape shape = readPattern(pattern);

    Digits d;
    if (value != 0)
        d = significantDigits(std::fabs(value), significant);

    // Round to the pattern's decimals: keep the digits up to that place.
    const std::int64_t keep = static_cast<std::int64_t>(d.pointPosition) + shape.decimals;
    if (keep < 0) {
        d.digits.clear();
    } else if (static_cast<std::int64_t>(d.digits.size()) > keep) {
        if (keep == 0) {
            // Everything lies below the last place; it rounds to one unit of
            // that place or to zero.
            const bool up = d.digits[0] >= '5';
            d.digits = up ? "1" : "";
            d.pointPosition = up ? d.pointPosition + 1 : 0;
        } else {
            roundDigitsTo(d, static_cast<std::size_t>(keep));
        }
    }
    stripTrailingZeros(d);

    std::string integerPart;
    std::string fractionPart;
    if (!d.digits.empty()) {
        const int point = d.pointPosition;
        const int n = static_cast<int>(d.digits.size());
        if (point > 0) {
            integerPart = d.digits.substr(0, static_cast<std::size_t>(std::min(point, n)));
            if (point > n)
                integerPart.append(static_cast<std::size_t>(point - n), '0');
            if (point < n)
                fractionPart = d.digits.substr(static_cast<std::size_t>(point));
        } else {
            fractionPart.assign(static_cast<std::size_t>(-point), '0');
            fractionPart += d.digits;
        }
    }
    if (static_cast<int>(integerPart.size()) < shape.minIntegerDigits)
        integerPart.insert(0, static_cast<std::size_t>(shape.minIntegerDigits) - integerPart.size(), '0');
    if (static_cast<int>(fractionPart.size()) < shape.keptDecimals)
        fractionPart.append(static_cast<std::size_t>(shape.keptDecimals) - fractionPart.size(), '0');

    std::string out;
    if (value < 0 && !d.digits.empty())
        out += '-';
    out += integerPart;
    out += '.';
    out += fractionPart;
    return out;
}

} // namespace

double leadingNumber(std::string_view text)
{
    // Blanks, tabs and line feeds are not part of the number anywhere.
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;

    DecimalParts parts;
    std::size_t pos = 0;
    if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) {
        parts.negative = compact[pos] == '-';
        ++pos;
    }
    const MantissaScan scan = scanMantissa(compact, pos, parts, /*allowCommas=*/false);
    if (!scan.sawDigit)
        return 0.0;
    pos = scan.end;

    if (pos < compact.size() && isExponentLetter(compact[pos])) {
        std::size_t p = pos + 1;
        bool negativeExponent = false;
        if (p < compact.size() && (compact[p] == '+' || compact[p] == '-')) {
            negativeExponent = compact[p] == '-';
            ++p;
        }
        std::int64_t exponent = 0;
        bool sawExponentDigit = false;
        for (; p < compact.size() && isDigit(compact[p]); ++p) {
            sawExponentDigit = true;
            appendExponentDigit(exponent, compact[p]);
        }
        if (sawExponentDigit)
            parts.exponent += negativeExponent ? -exponent : exponent;
    }
    bool overflow = false;
    return toBinary<double>(parts, overflow);
}

namespace {

// The strict grammar, shared by the 64-bit and 32-bit readings.
std::optional<DecimalParts> strictParts(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    const std::string_view body = text.substr(first, last - first);

    DecimalParts parts;
    std::size_t pos = 0;
    if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
        parts.negative = body[pos] == '-';
        ++pos;
    }
    const MantissaScan scan = scanMantissa(body, pos, parts, /*allowCommas=*/true);
    if (!scan.sawDigit)
        return std::nullopt;
    pos = scan.end;

    if (pos < body.size() && isExponentLetter(body[pos])) {
        ++pos;
        bool negativeExponent = false;
        if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
            negativeExponent = body[pos] == '-';
            ++pos;
        }
        std::int64_t exponent = 0;
        bool sawExponentDigit = false;
        for (; pos < body.size() && isDigit(body[pos]); ++pos) {
            sawExponentDigit = true;
            appendExponentDigit(exponent, body[pos]);
        }
        if (!sawExponentDigit)
            return std::nullopt;
        parts.exponent += negativeExponent ? -exponent : exponent;
    }
    if (pos != body.size())
        return std::nullopt;
    return parts;
}

} // namespace

std::optional<double> strictNumber(std::string_view text)
{
    const auto parts = strictParts(text);
    if (!parts)
        return std::nullopt;
    bool overflow = false;
    const double value = toBinary<double>(*parts, overflow);
    if (overflow)
        return std::nullopt;
    return value;
}

std::optional<float> strictNumberFloat(std::string_view text)
{
    const auto parts = strictParts(text);
    if (!parts)
        return std::nullopt;
    bool overflow = false;
    const float value = toBinary<float>(*parts, overflow);
    if (overflow)
        return std::nullopt;
    return value;
}

std::string fifteenDigitText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return "0";
    const Digits d = significantDigits(std::fabs(value), 15);
    // The notation is chosen on the rounded value: 999999999999999.9 is 1E+15.
    const int exponent = d.pointPosition - 1;   // value = d1.d2... * 10^exponent
    std::string out = value < 0 ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        const int n = static_cast<int>(d.digits.size());
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += d.digits;
        } else if (n <= exponent + 1) {
            out += d.digits;
            out.append(static_cast<std::size_t>(exponent + 1 - n), '0');
        } else {
            out += d.digits.substr(0, static_cast<std::size_t>(exponent + 1));
            out += '.';
            out += d.digits.substr(static_cast<std::size_t>(exponent + 1));
        }
        return out;
    }
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += '.';
        out += d.digits.substr(1);
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
    return formatWithPattern(value, 15, pattern);
}

std::string displayPattern(float value, std::string_view pattern)
{
    // A float widens to double exactly; only the precision differs.
    return formatWithPattern(static_cast<double>(value), 7, pattern);
}

} // namespace numtext
