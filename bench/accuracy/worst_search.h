#pragma once

// The worst error of each level band of a horizontal tank, hunted down
// rather than sampled: the stated accuracy figures are these worsts rounded
// up, so a search anyone else runs must not find a larger one.

#include "bench/accuracy/error_survey.h"

#include <array>
#include <cstdint>
#include <string>

namespace accuracy {

// The size of the hunt; measure_accuracy prints it with the figures.
//  1. Tanks at random over the sizes the guide speaks of, half of each
//     horizontal shape: next to each band's edge, at the bottom and at the
//     top, the nearest 32-bit distances from the axis, each at the first
//     and the last level that gives it (in between the computed volume is
//     the same, so the error is largest at one of them).
//  2. Tanks whose 32-bit roundings are at their largest: a length factor
//     (length / 231) just above a power of two, with the largest diameter or
//     a full tank just above a power of two in one of the units. Next to
//     each edge, among many distances from the axis, the levels whose
//     cosine and angle are rounded worst; then, of the full tank, every
//     length whose factor is still just above its power of two. And tanks
//     of the largest diameters, where the angle's error is largest against
//     the sliver it leaves, at their worst rounded angles.
//  3. The worst tanks of each figure nudged (the diameter by a 32-bit step
//     or two up to a few per cent, sometimes the length too), their worst
//     angles found again and, of the full tank, the length stepped on from
//     there, keeping whatever is worse. Last, of the full tank, the worst
//     few at their levels with every length within 2^-8 of theirs.
//  4. Every 32-bit diameter at the very top of the range, flat-ended, at
//     the nearest distances past every edge (as in 1.).
struct SearchSettings {
    std::uint32_t seed = 40;
    int tanks = 10000;                         // 1.
    int stepsFromEdge = 48;                    // 1.: distances from the axis per edge
    int distancesFromEdge = 2048;              // 2. and 3.: of which the worst rounded angles are measured
    int largestDiameters = 2000;               // 2.: at the top of the range, evenly
    double everyDiameterAbove = 1.0 - 0x1p-10; // 4.: every 32-bit diameter from this share of the largest up
    int nudges = 1500;                         // 3.: per figure
    int kept = 64;                             // 3.: tanks nudged per figure, the worst found
    int sweep = 4096;                          // 3.: 32-bit steps of the length from a nudged tank
    int polished = 8; // 3.: the worst of each figure of the full tank, then every length near theirs
    double smallestDiameter = 24.0;
    double largestDiameter = 120.0;
    double shortestLength = 36.0;
    double longestLength = 480.0;
};

// One worst error, a share of the volume at the level or of the full tank,
// sign kept, and where it was found.
struct FoundError {
    double share = 0.0;
    std::string shape;
    std::string unit;
    Place place;
};

struct BandWorst {
    FoundError ofVolume;
    FoundError ofCapacity;
};

using WorstByBand = std::array<BandWorst, kLevelBands.size()>;

// The worst of each shape: flat ends, hemispherical ends.
struct SearchResult {
    std::array<WorstByBand, 2> byShape;
    long long levelsMeasured = 0; // a tank at a level, in all four volume units
};

SearchResult searchWorst(const SearchSettings& settings);

} // namespace accuracy
