#pragma once

// TankVolume against the exact geometry over many tanks and levels: the
// worst error of every shape and unit, and where it was found.

#include <array>
#include <string>
#include <vector>

namespace accuracy {

// The smallest level step a chart can have: the diameter over 32767 steps.
inline constexpr double kChartStepsAtMost = 32767.0;

// A tank (inches) and a level in it.
struct Place {
    float diameter = 0.0f;
    float length = 0.0f;
    float level = 0.0f;
};

// One comparison: TankVolume's 32-bit result and the exact volume, both in
// the same unit.
struct Measured {
    float computed = 0.0f;
    long double exact = 0.0L;
    long double capacity = 0.0L;

    double ofVolume() const { return static_cast<double>((computed - exact) / exact); }
    double ofCapacity() const { return static_cast<double>((computed - exact) / capacity); }
};

Measured measure(const std::string& shape, const std::string& unit, Place place);

// How deep product can stand: the diameter of a horizontal tank, the
// height (its length) of an upright one.
double tankDepth(const std::string& shape, double diameter, double length);

// Levels near an end count into a band when they are at least this far
// from the bottom and from the top; near the ends the error grows.
struct LevelBand {
    const char* label;
    double inches; // or, when 0 and `chartStep` is set, the tank's chart step
    bool chartStep;
};
inline constexpr std::array<LevelBand, 5> kLevelBands = {
    LevelBand{"1 in", 1.0, false}, LevelBand{"0.1 in", 0.1, false}, LevelBand{"0.01 in", 0.01, false},
    LevelBand{"1 chart step", 0.0, true}, LevelBand{"any level", 0.0, false}};

// The error of largest size seen so far, sign kept, and where.
struct WorstError {
    double relative = 0.0;
    Place place;

    void consider(double candidate, Place at);
};

struct UnitErrors {
    std::string unit;
    std::array<WorstError, kLevelBands.size()> ofVolume;
    std::array<WorstError, kLevelBands.size()> ofCapacity;
};

struct ShapeErrors {
    std::string shape;
    std::vector<UnitErrors> units;
    // The highest level at which a result in gallons came out below zero;
    // level 0 when none did.
    Place highestNegative;
};

// The tanks and levels compared.
struct SurveyRange {
    double smallestDiameter = 24.0;
    double largestDiameter = 120.0;
    double diameterStep = 1.6;
    double shortestLength = 36.0;
    double longestLength = 480.0;
    double lengthStep = 74.0;
    int linearSteps = 1000;      // levels evenly across the depth
    int logStepsPerDecade = 150; // and, near each end, evenly on a log scale
    // Down to where the 32-bit level steps are as coarse as the level itself.
    double decadesBelowChartStep = 3.5;
};

// Levels across a tank of the given depth: evenly spaced, plus log sweeps
// from `lowest` above the bottom and below the top up to half the depth.
std::vector<double> sweepLevels(double depth, double lowest, const SurveyRange& range);

std::vector<ShapeErrors> surveyErrors(const SurveyRange& range);

} // namespace accuracy
