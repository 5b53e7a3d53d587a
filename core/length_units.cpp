#include "core/length_units.h"

namespace tank {

std::optional<double> lengthToInches(double value, const std::string& unit)
{
    if (unit == kInches)
        return value;
    if (unit == kFeet)
        return value * 12.0;
    if (unit == kMillimeters)
        return value / 25.4;
    if (unit == kCentimeters)
        return value / 2.54;
    if (unit == kMeters)
        return value / 0.0254;
    return std::nullopt;
}

} // namespace tank
