// Reading numbers: the leading and the strict reading of number_text.h.

#include "core/number_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace tank {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// A decimal number as its parts: value = sign * 0.d1d2d3... * 10^exponent.
// Kept apart from any binary type so that both readings share one
// conversion and so that huge exponents cannot overflow an int.
struct DecimalParts {
    bool negative = false;
    std::string digits; // significant digits, no leading zeros
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
    const auto overflowed = [&] {
        overflow = true;
        return parts.negative ? -std::numeric_limits<Real>::infinity() : std::numeric_limits<Real>::infinity();
    };
    if (parts.digits.empty())
        return zero;
    // Far outside the range either way: decide without from_chars, whose
    // exponent field could not hold such values.
    if (parts.exponent > 400)
        return overflowed();
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
    if (ec == std::errc::result_out_of_range)
        return parts.exponent > 0 ? overflowed() : zero;
    return value;
}

struct MantissaScan {
    std::size_t end = 0;
    bool sawDigit = false;
};

// Reads the optional sign and the mantissa digits at the start of `text`
// (digits with at most one '.', and ',' skipped within the integer part
// when allowCommas) into `parts`. Returns the position after them and
// whether any digit was seen.
MantissaScan scanMantissa(std::string_view text, DecimalParts& parts, bool allowCommas)
{
    MantissaScan scan;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        parts.negative = text[pos] == '-';
        ++pos;
    }
    bool inFraction = false;
    std::int64_t integerDigits = 0; // significant digits before the point
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

// Reads an exponent at text[pos] (E or D in either case, an optional sign,
// digits) into `parts`. `complete` is false when the letter is not followed
// by a digit; the exponent is then left out and `end` stays at the letter.
struct ExponentScan {
    std::size_t end = 0;
    bool complete = true;
};

ExponentScan scanExponent(std::string_view text, std::size_t pos, DecimalParts& parts)
{
    if (pos >= text.size() || !isExponentLetter(text[pos]))
        return {pos, true};
    std::size_t p = pos + 1;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    std::int64_t exponent = 0;
    bool sawDigit = false;
    for (; p < text.size() && isDigit(text[p]); ++p) {
        sawDigit = true;
        appendExponentDigit(exponent, text[p]);
    }
    if (!sawDigit)
        return {pos, false};
    parts.exponent += negative ? -exponent : exponent;
    return {p, true};
}

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
    const MantissaScan scan = scanMantissa(body, parts, /*allowCommas=*/true);
    if (!scan.sawDigit)
        return std::nullopt;
    const ExponentScan exponent = scanExponent(body, scan.end, parts);
    if (!exponent.complete || exponent.end != body.size())
        return std::nullopt;
    return parts;
}

// The strict reading into either width, each rounded once from the text.
template <typename Real>
std::optional<Real> strictReal(std::string_view text)
{
    const auto parts = strictParts(text);
    if (!parts)
        return std::nullopt;
    bool overflow = false;
    const Real value = toBinary<Real>(*parts, overflow);
    if (overflow)
        return std::nullopt;
    return value;
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
    const MantissaScan scan = scanMantissa(compact, parts, /*allowCommas=*/false);
    if (!scan.sawDigit)
        return 0.0;
    // A letter without exponent digits simply ends the number.
    scanExponent(compact, scan.end, parts);
    bool overflow = false;
    return toBinary<double>(parts, overflow);
}

std::optional<double> strictNumber(std::string_view text) { return strictReal<double>(text); }
std::optional<float> strictNumberFloat(std::string_view text) { return strictReal<float>(text); }

} // namespace tank
