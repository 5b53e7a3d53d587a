#pragma once

// The worst error in each pixel column of the picture, for one tank.

#include "bench/accuracy/plot_scales.h"

#include <string>
#include <vector>

namespace accuracy {

struct ColumnErrors {
    std::vector<double> ofVolume;   // largest |error| / exact volume in the column
    std::vector<double> ofCapacity; // largest |error| / exact capacity
    std::vector<bool> belowZero;    // some result in the column came out below zero
};

// Many levels per column rather than one: between two neighbouring levels
// the error can jump by orders of magnitude, and the worst is what counts.
ColumnErrors worstPerColumn(const std::string& shape, float diameter, float length, const LevelScale& scale);

} // namespace accuracy
