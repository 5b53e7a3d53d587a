#pragma once

// A reference decimal rounding for the number texts' tests and fuzzer, built
// on glibc's exact printf digits, independently of the library's own digit
// code.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace reference {

// |value| = 0.d1d2d3... * 10^point, digits without leading or trailing zeros;
// zero has no digits.
struct Decimal {
    std::string digits;
    long point = 0;
    bool operator==(const Decimal&) const = default;
};

inline void trim(Decimal& d)
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

// Keeps `keep` digits of 0.<digits> * 10^point (no leading zeros), rounding
// the rest half away from zero.
inline Decimal roundDigits(std::string_view digits, long point, long keep)
{
    Decimal d;
    if (digits.empty() || keep < 0)
        return d;
    const auto kept = static_cast<std::size_t>(keep);
    const bool up = digits.size() > kept && digits[kept] >= '5';
    d.digits.assign(digits.substr(0, kept));
    d.point = point;
    if (up) {
        // One unit more in the last kept place: nines before it become
        // zeros, and all nines one digit more in front.
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits = "1";
            ++d.point;
        } else {
            ++d.digits[i - 1];
        }
    }
    trim(d);
    return d;
}

inline Decimal roundToDecimals(const Decimal& d, long decimals)
{
    return roundDigits(d.digits, d.point, d.point + decimals);
}

// |value| rounded to `keep` <= 15 significant digits, halves away from
// zero, from its exact decimal expansion: glibc's printf writes exact,
// correctly rounded digits. The expansion runs to 767 digits, and writing
// all of them for every value was most of the fuzzer's time; the rounding
// reads only the first keep + 1 <= kPrefixDigits of them, and those are
// printed with kGuardDigits more.
inline constexpr std::size_t kPrefixDigits = 16;
inline constexpr std::size_t kGuardDigits = 3;

inline Decimal exactRounded(double value, long keep)
{
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return {};
    char text[900];
    char digits[800];
    std::size_t count = 0;
    long point = 0;
    const auto print = [&](long precision) {
        std::snprintf(text, sizeof text, "%.*e", static_cast<int>(precision), magnitude);
        const char* p = text;
        for (count = 0; *p && *p != 'e'; ++p)
            if (*p >= '0' && *p <= '9')
                digits[count++] = *p;
        point = std::strtol(p + 1, nullptr, 10) + 1;
    };
    // Rounded at its last guard digit, the print is the exact value cut
    // there, t, or t + 1 unit: that changes the first kPrefixDigits digits
    // or the point only by a carry through every guard digit, which leaves
    // them all "0". A guard digit other than "0" proves the prefix exact.
    print(static_cast<long>(kPrefixDigits + kGuardDigits) - 1);
    if (std::string_view(digits + kPrefixDigits, kGuardDigits).find_first_not_of('0') == std::string_view::npos) {
        // Otherwise every digit is printed. magnitude = m * 2^q with m odd
        // has at most X + 1 + max(0, -q) significant digits, X the exponent
        // of its first one (m * 5^-q ends in 5 when q < 0); the print's
        // exponent is X or, after a carry, X + 1, so printing that many
        // loses nothing (at most 768, as a double has up to 767).
        int binaryExponent = 0;
        auto m = static_cast<std::uint64_t>(std::ldexp(std::frexp(magnitude, &binaryExponent), 53));
        long q = binaryExponent - 53;
        for (; m % 2 == 0; m /= 2)
            ++q;
        print(point - 1 + std::max(0L, -q));
    }
    return roundDigits(std::string_view(digits, std::min(count, kPrefixDigits)), point, keep);
}

} // namespace reference
