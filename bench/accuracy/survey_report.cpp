#include "bench/accuracy/survey_report.h"

#include "accuracy_bounds.h"
#include "core/display_patterns.h"
#include "core/number_text.h"
#include "core/tank_volume.h"
#include "tools/exact_volume/exact_volume.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace accuracy {

namespace {

// "96 x 240 @ 0.0029", or "96 x 240 @ top-0.0029" in the upper half:
// near the top the distance to it is what tells.
std::string where(const std::string& shape, Place place)
{
    const double depth = tankDepth(shape, place.diameter, place.length);
    const double level = place.level;
    char text[64];
    std::snprintf(text, sizeof text, "%g x %g @ %s%.3g", static_cast<double>(place.diameter),
                  static_cast<double>(place.length), level > depth / 2.0 ? "top-" : "",
                  level > depth / 2.0 ? depth - level : level);
    return text;
}

void printBandRow(const std::string& shape, const char* unit, std::size_t band, const UnitErrors& errors)
{
    const WorstError& ofVolume = errors.ofVolume[band];
    const WorstError& ofCapacity = errors.ofCapacity[band];
    std::printf("  %-13s %-14s %+-11.1e %-26s %+-11.1e %s\n", unit, kLevelBands[band].label, ofVolume.relative,
                where(shape, ofVolume.place).c_str(), ofCapacity.relative, where(shape, ofCapacity.place).c_str());
}

void printShape(const ShapeErrors& errors)
{
    std::printf("\n%s\n", errors.shape.c_str());
    std::printf("  %-13s %-14s %-11s %-26s %-11s %s\n", "unit", "levels from", "of the", "where", "of the", "where");
    std::printf("  %-13s %-14s %-11s %-26s %-11s %s\n", "", "either end", "volume", "", "capacity", "");
    for (const UnitErrors& unit : errors.units) {
        for (std::size_t band = 0; band < kLevelBands.size(); ++band)
            printBandRow(errors.shape, band == 0 ? unit.unit.c_str() : "", band, unit);
    }
    if (errors.highestNegative.level > 0.0f)
        std::printf("  Highest level with a result below zero: %s\n",
                    where(errors.shape, errors.highestNegative).c_str());
    else
        std::printf("  No result below zero.\n");
}

// The spacing of 32-bit values next to `value`: no result can be finer.
double singleSpacing(float value) { return static_cast<double>(std::nextafter(value, HUGE_VALF) - value); }

// The step of the last of the 7 significant digits a 32-bit value is shown with.
double shownStep(float value) { return std::pow(10.0, std::floor(std::log10(static_cast<double>(value))) - 6.0); }

// Where a worst of the search lies, to the last digit of its 32-bit
// values: "Flat-Ended (Steel), litres: 119.911171 x 231.004501 @ 0.0100000007
// in", the distance below the top added in the upper half.
std::string exactly(const FoundError& found)
{
    const double depth = found.place.diameter;
    const double level = found.place.level;
    char text[160];
    std::snprintf(text, sizeof text, "%s, %s: %.9g x %.9g @ %.9g in", found.shape.c_str(), found.unit.c_str(), depth,
                  static_cast<double>(found.place.length), level);
    std::string out = text;
    if (level > depth / 2.0) {
        std::snprintf(text, sizeof text, " (%.3g in below the top)", depth - level);
        out += text;
    }
    return out;
}

// "+6.318e-05  6.4e-05" and, when the worst is larger, the word BEATEN.
std::string againstStated(double worst, double stated, bool& holds)
{
    char text[64];
    if (stated == 0.0) {
        std::snprintf(text, sizeof text, "%+.3e  (none)        ", worst);
        return text;
    }
    const bool beaten = std::fabs(worst) > stated;
    holds = holds && !beaten;
    std::snprintf(text, sizeof text, "%+.3e  %.1e %s", worst, stated, beaten ? "BEATEN" : "      ");
    return text;
}

} // namespace

bool printSearch(const SearchSettings& settings, const SearchResult& result, double seconds)
{
    std::printf(
        "The worst error of horizontal tanks, hunted: both shapes, all four units, diameters %g to %g in,\n"
        "lengths %g to %g in; seed %u; %d tanks at random, each at %d distances from the axis next to\n"
        "every edge; tanks of the largest roundings and %d of the largest diameters, at the worst rounded\n"
        "angles among %d distances next to every edge; the %d worst tanks of each figure nudged %d times\n"
        "(lengths swept %d steps), the %d worst of the full tank swept over every length within 2^-8 of theirs;\n"
        "every diameter from %g in, flat-ended, at %d distances next to every edge.\n"
        "%lld tanks at a level measured, in %.0f s.\n",
        settings.smallestDiameter, settings.largestDiameter, settings.shortestLength, settings.longestLength,
        settings.seed, settings.tanks, settings.stepsFromEdge, settings.largestDiameters, settings.distancesFromEdge,
        settings.kept, settings.nudges, settings.sweep, settings.polished,
        static_cast<double>(static_cast<float>(settings.largestDiameter * settings.everyDiameterAbove)),
        settings.stepsFromEdge, result.levelsMeasured, seconds);
    std::printf("Error = (TankVolume - exact) / exact volume, or / exact capacity, sign kept; stated: the figure\n"
                "the documents state (cmake/accuracy_bounds.cmake).\n\n");
    std::printf("  %-14s %-10s  %-14s  %-10s  %s\n", "levels from", "of the", "stated", "of the", "stated");
    std::printf("  %-14s %-10s  %-14s  %-10s\n", "either end", "volume", "", "full tank");
    bool holds = true;
    WorstByBand worst{};
    for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
        for (const WorstByBand& shape : result.byShape) {
            if (std::fabs(shape[band].ofVolume.share) > std::fabs(worst[band].ofVolume.share))
                worst[band].ofVolume = shape[band].ofVolume;
            if (std::fabs(shape[band].ofCapacity.share) > std::fabs(worst[band].ofCapacity.share))
                worst[band].ofCapacity = shape[band].ofCapacity;
        }
        std::printf("  %-14s %s  %s\n", kLevelBands[band].label,
                    againstStated(worst[band].ofVolume.share, kStatedOfVolume[band], holds).c_str(),
                    againstStated(worst[band].ofCapacity.share, kStatedOfCapacity[band], holds).c_str());
    }
    std::printf("\nWhere (diameter x length @ level, in inches):\n");
    for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
        std::printf("  %-14s of the volume:    %s\n", kLevelBands[band].label, exactly(worst[band].ofVolume).c_str());
        std::printf("  %-14s of the full tank: %s\n", "", exactly(worst[band].ofCapacity).c_str());
    }
    std::printf("\nThe worst of each shape, of the volume and of the full tank:\n");
    for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
        std::printf("  %-14s", kLevelBands[band].label);
        for (std::size_t shape = 0; shape < result.byShape.size(); ++shape)
            std::printf("  %s %+.3e %+.3e", shape == 0 ? "flat ends" : "hemispherical ends",
                        result.byShape[shape][band].ofVolume.share, result.byShape[shape][band].ofCapacity.share);
        std::printf("\n");
    }
    if (!holds)
        std::printf("\nA stated figure is smaller than the worst found: raise it in cmake/accuracy_bounds.cmake.\n");
    return holds;
}

void printSurvey(const SurveyRange& range, const std::vector<ShapeErrors>& errors)
{
    std::printf("TankVolume against the exact geometry (true pi, long double, no 32-bit steps)\n");
    std::printf("Tanks: diameters %g to %g in every %g in, lengths %g to %g in every %g in (upright: height).\n",
                range.smallestDiameter, range.largestDiameter, range.diameterStep, range.shortestLength,
                range.longestLength, range.lengthStep);
    std::printf("Levels: %d even steps across the tank, and %d per decade on a log scale from each end,\n"
                "from %g decades below one chart step (diameter / %g) up to the middle.\n",
                range.linearSteps, range.logStepsPerDecade, range.decadesBelowChartStep, kChartStepsAtMost);
    std::printf("Error = (TankVolume - exact) / exact volume, or / exact capacity; the worst of each band, sign kept\n"
                "(1e-05 is 0.001 %%). Where = diameter x length @ level, in inches.\n");
    for (const ShapeErrors& shape : errors)
        printShape(shape);
}

void printResolution()
{
    struct Tank {
        const char* label;
        std::string shape;
        float diameter;
        float length;
    };
    const Tank tanks[] = {{"96 x 240 flat-ended", std::string(tank::kShapes[0].text), 96.0f, 240.0f},
                          {"120 x 480 hemisph.", std::string(tank::kShapes[1].text), 120.0f, 480.0f}};
    std::printf("\nWhat a 32-bit result holds: the full tank in each unit\n");
    std::printf("  %-20s %-13s %-16s %-14s %-14s %s\n", "tank (in)", "unit", "exact", "32-bit spacing", "shown step",
                "chart cell (2 decimals)");
    for (const Tank& t : tanks) {
        for (const tank::VolumeUnitName& unitName : tank::kVolumeUnits) {
            const std::string unit(unitName.text);
            const float full =
                tank::TankVolume(t.diameter, t.diameter / 2.0f, t.length, tank::findShape(t.shape), &unitName, {});
            const long double perGallon = exactUnitsPerGallon(unit);
            const long double exact = exactCapacityGallons(t.shape, t.diameter / 2.0L, t.length) * perGallon;
            std::printf("  %-20s %-13s %-16.10Lg %-14g %-14g %s\n", t.label, unit.c_str(), exact, singleSpacing(full),
                        shownStep(full), tank::displayPattern(full, tank::patterns::kChartVolume).c_str());
        }
    }
    std::printf("Shown step: a 32-bit value is shown with 7 significant digits; the digits after them are zeros.\n");
}

} // namespace accuracy
