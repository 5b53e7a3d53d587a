#include "bench/accuracy/error_survey.h"

#include "core/tank_volume.h"
#include "tools/exact_volume/exact_volume.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace accuracy {

Measured measure(const std::string& shape, const std::string& unit, Place place)
{
    const float radius = place.diameter / 2.0f;
    const long double factor = exactUnitsPerGallon(unit);
    Measured measured;
    measured.computed =
        tank::TankVolume(place.level, radius, place.length, tank::findShape(shape), tank::findVolumeUnit(unit), {});
    measured.exact = exactGallons(shape, place.level, radius, place.length) * factor;
    measured.capacity = exactCapacityGallons(shape, radius, place.length) * factor;
    return measured;
}

double tankDepth(const std::string& shape, double diameter, double length)
{
    return isVertical(shape) ? length : diameter;
}

void WorstError::consider(double candidate, Place at)
{
    if (std::fabs(candidate) > std::fabs(relative)) {
        relative = candidate;
        place = at;
    }
}

std::vector<double> sweepLevels(double depth, double lowest, const SurveyRange& range)
{
    std::vector<double> levels;
    for (int i = 0; i <= range.linearSteps; ++i)
        levels.push_back(depth * i / range.linearSteps);
    const double decades = std::log10(depth / 2.0 / lowest);
    const int logSteps = static_cast<int>(std::ceil(decades * range.logStepsPerDecade));
    for (int i = 0; i <= logSteps; ++i) {
        const double fromEnd = lowest * std::pow(10.0, decades * i / logSteps);
        levels.push_back(fromEnd);
        levels.push_back(depth - fromEnd);
    }
    return levels;
}

namespace {

bool inBand(const LevelBand& band, double fromNearerEnd, double diameter)
{
    const double least = band.chartStep ? diameter / kChartStepsAtMost : band.inches;
    return fromNearerEnd >= least;
}

void surveyTank(const SurveyRange& range, float diameter, float length, ShapeErrors& errors)
{
    const double depth = tankDepth(errors.shape, diameter, length);
    const double lowest = diameter / kChartStepsAtMost / std::pow(10.0, range.decadesBelowChartStep);
    for (const double wanted : sweepLevels(depth, lowest, range)) {
        // TankVolume takes the level in 32 bits: that is the level measured.
        const Place place{diameter, length, static_cast<float>(wanted)};
        const double level = place.level;
        if (level < 0.0 || level > depth)
            continue;
        const double fromNearerEnd = std::min(level, depth - level);
        for (UnitErrors& unit : errors.units) {
            const Measured measured = measure(errors.shape, unit.unit, place);
            if (unit.unit == tank::kVolumeUnits[0].text && measured.computed < 0.0f &&
                level > errors.highestNegative.level)
                errors.highestNegative = place;
            for (std::size_t b = 0; b < kLevelBands.size(); ++b) {
                if (!inBand(kLevelBands[b], fromNearerEnd, diameter))
                    continue;
                unit.ofCapacity[b].consider(measured.ofCapacity(), place);
                if (measured.exact > 0.0L)
                    unit.ofVolume[b].consider(measured.ofVolume(), place);
            }
        }
    }
}

// Sizes are counted in steps, not summed: no drift past the last one.
int stepsBetween(double first, double last, double step)
{
    return static_cast<int>(std::lround((last - first) / step));
}

} // namespace

std::vector<ShapeErrors> surveyErrors(const SurveyRange& range)
{
    std::vector<ShapeErrors> all;
    for (const tank::ShapeName& shape : tank::kShapes) {
        ShapeErrors errors;
        errors.shape = shape.text;
        for (const tank::VolumeUnitName& unit : tank::kVolumeUnits)
            errors.units.push_back(UnitErrors{std::string(unit.text), {}, {}});
        const int diameters = stepsBetween(range.smallestDiameter, range.largestDiameter, range.diameterStep);
        const int lengths = stepsBetween(range.shortestLength, range.longestLength, range.lengthStep);
        for (int d = 0; d <= diameters; ++d) {
            for (int l = 0; l <= lengths; ++l) {
                const auto diameter = static_cast<float>(range.smallestDiameter + d * range.diameterStep);
                const auto length = static_cast<float>(range.shortestLength + l * range.lengthStep);
                surveyTank(range, diameter, length, errors);
            }
        }
        all.push_back(std::move(errors));
    }
    return all;
}

} // namespace accuracy
