#pragma once

// The length units an operator may enter, and their conversion to inches,
// in which every calculation works.

#include <optional>
#include <string>

namespace tank {

inline constexpr const char* kInches = "inches";
inline constexpr const char* kFeet = "feet";
inline constexpr const char* kMillimeters = "millimeters";
inline constexpr const char* kCentimeters = "centimeters";
inline constexpr const char* kMeters = "meters";

// `value` in the named unit converted to inches (64-bit, the constants
// exactly as written: x * 12, x / 25.4, x / 2.54, x / 0.0254), or nothing
// when the name matches no unit. The result may be infinite for huge input.
std::optional<double> lengthToInches(double value, const std::string& unit);

} // namespace tank
