#pragma once

// The display patterns (tank::displayPattern) of every number the program
// shows, each written once. In core/ rather than beside the windows' model
// so that same_numbers, the number texts' tests and the fuzzer reach them
// without the model.

#include <array>
#include <string_view>

namespace tank::patterns {

// Capacity, gross and net volumes, as results and when the volume unit
// changes.
inline constexpr std::string_view kVolume = "##########.##";
// The product temperature and the Ce reference temperature.
inline constexpr std::string_view kTemperature = kVolume;
// Diameter, length and level when the length unit changes.
inline constexpr std::string_view kLength = "#######.#####";
// The Ce field when the volume unit changes.
inline constexpr std::string_view kCePerVolume = "##########.######";
// The Ce field per degree: a product chosen, the temperature unit changed.
inline constexpr std::string_view kCePerDegree = "#########.#####";
// The Ce field tidied when the temperature unit in force is picked again.
inline constexpr std::string_view kCeTidied = "##.#####";
// A chart row's level and volume.
inline constexpr std::string_view kChartLevel = "##0.00";
inline constexpr std::string_view kChartVolume = "#####0.00";

// Every pattern above, once each: what the fuzzer checks. A pattern added
// above belongs here too.
inline constexpr std::array kAll = {kLength, kVolume, kCePerVolume, kCePerDegree, kCeTidied, kChartLevel, kChartVolume};

} // namespace tank::patterns
