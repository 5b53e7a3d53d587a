#pragma once

// The factors between the length units and between the volume units that a
// unit switch multiplies by, each the double its expression gives.

#include <optional>
#include <string_view>

namespace model {

// The factor that turns a value in `from` into one in `to`: 1 for the same
// unit, nothing when either text is not a unit of the quantity.
std::optional<double> lengthFactor(std::string_view from, std::string_view to);
std::optional<double> volumeFactor(std::string_view from, std::string_view to);

} // namespace model
