#include "main_window/calculation.h"

#include "core/length_units.h"
#include "core/number_text.h"
#include "core/tank_volume.h"

#include <cmath>

namespace calc {
namespace {

// Reads a length entry strictly and converts it to inches. A unit that
// matches no name leaves the value unset (0); a text that is not a number,
// or a conversion that overflows, stops the run.
std::optional<double> lengthInInches(const std::string& text, const std::string& unit, bool& stop)
{
    if (!tank::lengthToInches(0.0, unit))
        return 0.0;
    const auto value = numtext::strictNumber(text);
    if (!value) {
        stop = true;
        return std::nullopt;
    }
    const double inches = *tank::lengthToInches(*value, unit);
    if (!std::isfinite(inches)) {
        stop = true;
        return std::nullopt;
    }
    return inches;
}

// Full capacity in US gallons, 64-bit, from the 64-bit radius and length.
double capacityInGallons(double r, double length, const std::string& shape)
{
    double capacity = 0.0;
    if (shape == tank::kFlatEnded)
        capacity = ((tank::kPi * std::pow(r, 2.0)) * length) / tank::kCubicInchesPerGallon;
    if (shape == tank::kHemisphericalEnded) {
        const double sphereFactor = (4.0 / 3.0) * tank::kPi;
        capacity = ((tank::kPi * std::pow(r, 2.0)) * length + sphereFactor * std::pow(r, 3.0))
            / tank::kCubicInchesPerGallon;
    }
    if (shape == tank::kVertical)
        capacity = (tank::kPi * (std::pow(r, 2.0) * length)) / tank::kCubicInchesPerGallon;
    return capacity;
}

std::optional<std::string> picturePrefix(const std::string& shape)
{
    if (shape == tank::kFlatEnded)
        return "ftank";
    if (shape == tank::kHemisphericalEnded)
        return "ctank";
    if (shape == tank::kVertical)
        return "vtank";
    return std::nullopt;
}

} // namespace

std::optional<int> fillStep(double fraction)
{
    if (fraction >= 0.95)
        return 100;
    if (fraction >= 0.85)
        return 90;
    if (fraction >= 0.6)
        return 75;
    if (fraction >= 0.4)
        return 50;
    if (fraction >= 0.2)
        return 25;
    if (fraction > 0)
        return 10;
    if (fraction == 0)
        return 0;
    return std::nullopt;
}

CalculationOutcome performCalculations(const CalculationEntries& e, const ResultWriter& write)
{
    CalculationOutcome outcome;
    const auto stop = [&outcome] {
        outcome.stopped = true;
        return outcome;
    };

    bool failed = false;
    const auto length = lengthInInches(e.tankLength, e.lengthUnits, failed);
    if (failed)
        return stop();
    const auto diameter = lengthInInches(e.tankDiameter, e.lengthUnits, failed);
    if (failed)
        return stop();
    const double radius = *diameter / 2.0;
    const auto level = lengthInInches(e.productLevel, e.lengthUnits, failed);
    if (failed)
        return stop();

    // Capacity, rounded to 32 bits, then into the volume unit shown.
    auto capacity = tank::toSingle(capacityInGallons(radius, *length, e.tankShape));
    if (!capacity)
        return stop();
    if (e.volumeUnits != tank::kGallons) {
        if (const double factor = tank::gallonFactor(e.volumeUnits); factor != 0.0) {
            capacity = tank::toSingle(static_cast<double>(*capacity) * factor);
            if (!capacity)
                return stop();
        }
    }
    const std::string capacityText = numtext::displayPattern(*capacity, kResultPattern);
    write(ResultField::Capacity, capacityText);

    const auto level32 = tank::toSingle(*level);
    const auto radius32 = tank::toSingle(radius);
    const auto length32 = tank::toSingle(*length);
    if (!level32 || !radius32 || !length32)
        return stop();
    const float gross = TankVolume(*level32, *radius32, *length32, e.tankShape, e.volumeUnits);
    const std::string grossText = numtext::displayPattern(gross, kResultPattern);
    write(ResultField::Gross, grossText);

    const auto referenceTemp = tank::toSingle(numtext::leadingNumber(e.ceTempRef));
    const auto productTemp = tank::toSingle(numtext::leadingNumber(e.productTemp));
    const auto ce = numtext::strictNumberFloat(e.cevalue);
    if (!productTemp || !ce || !referenceTemp)
        return stop();
    const float net = NetVolume(gross, *productTemp, *ce, *referenceTemp);
    if (!std::isfinite(net))
        return stop();
    write(ResultField::Net, numtext::displayPattern(net, kResultPattern));

    // The picture follows the results as displayed, not the exact volumes.
    if (numtext::leadingNumber(e.productLevel) > 0) {
        const double shownCapacity = numtext::leadingNumber(capacityText);
        if (shownCapacity == 0.0)
            return stop();
        const double fraction = numtext::leadingNumber(grossText) / shownCapacity;
        if (!std::isfinite(fraction))
            return stop();
        const auto prefix = picturePrefix(e.tankShape);
        const auto step = fillStep(fraction);
        if (prefix && step)
            outcome.picture = *prefix + std::to_string(*step);
    }
    return outcome;
}

} // namespace calc
