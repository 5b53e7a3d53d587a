#pragma once

// Numbers to texts and back, exactly as the program shows and reads them
// (read in number_reading.cpp, written in number_writing.cpp). Independent
// of the C locale: "." is the only decimal separator.

#include <optional>
#include <string>
#include <string_view>

namespace tank {

// Reads as much of a number as the text begins with. Blanks, tabs and line
// feeds anywhere are ignored; then an optional sign, digits with at most one
// ".", and an optional exponent (E or D, either case). Never fails: a text
// without digits reads 0, a value beyond the double range reads as infinity.
double leadingNumber(std::string_view text);

// The whole text, apart from spaces around it, must be one number: optional
// sign, digits with optional "," group separators, optional "." and
// fraction, optional exponent (E or D, either case). Empty text, a lone "."
// and values beyond the range fail.
std::optional<double> strictNumber(std::string_view text);

// The same reading, rounded once from the decimal text to 32 bits. Fails
// also when the value is beyond the float range.
std::optional<float> strictNumberFloat(std::string_view text);

// At most 15 significant digits, no trailing zeros: "38", "0.00126",
// "-1.5E-07", "1E+15". Both readings give back the 15-digit-rounded value.
std::string fifteenDigitText(double value);

// Formats a value with a pattern of "#" and "0" places around one ".",
// e.g. "##########.##" or "##0.00". The value is first cut to its own
// precision (15 significant digits for a double, 7 for a float), then
// rounded to the pattern's decimals, halves away from zero. All integer
// digits are written, with no group separators; "#" places drop leading and
// trailing zeros, "0" places keep them. A value that rounds to zero has no
// sign. Non-finite values give "Infinity", "-Infinity" or "NaN".
std::string displayPattern(double value, std::string_view pattern);
std::string displayPattern(float value, std::string_view pattern);

} // namespace tank
