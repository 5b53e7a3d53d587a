#include "model/calculation.h"

#include "core/display_patterns.h"
#include "core/name_tables.h"
#include "core/number_text.h"
#include "core/tank_volume.h"

#include <cmath>

namespace model {
namespace {

// Reads a length entry strictly and converts it to inches. A unit that
// matches no name leaves the value unset (0). Nothing when the run must
// stop: a text that is not a number, or a conversion that overflows.
std::optional<double> lengthInInches(const std::string& text, const std::string& unitText)
{
    const tank::LengthUnitName* unit = tank::findLengthUnit(unitText);
    if (!unit)
        return 0.0;
    const auto value = tank::strictNumber(text);
    if (!value)
        return std::nullopt;
    const double inches = unit->toInches(*value);
    if (!std::isfinite(inches))
        return std::nullopt;
    return inches;
}

} // namespace

CalculationOutcome performCalculations(const CalculationEntries& e, const ResultWriter& write,
                                       const tank::FailureReport& report)
{
    CalculationOutcome outcome;
    const auto stop = [&outcome] {
        outcome.stopped = true;
        return outcome;
    };

    const auto length = lengthInInches(e.tankLength, e.lengthUnits);
    if (!length)
        return stop();
    const auto diameter = lengthInInches(e.tankDiameter, e.lengthUnits);
    if (!diameter)
        return stop();
    const double radius = *diameter / 2.0;
    const auto level = lengthInInches(e.productLevel, e.lengthUnits);
    if (!level)
        return stop();

    // Capacity, rounded to 32 bits, then into the volume unit shown; an
    // unknown volume unit leaves it in gallons.
    const tank::ShapeName* shape = tank::findShape(e.tankShape);
    const tank::VolumeUnitName* unit = tank::findVolumeUnit(e.volumeUnits);
    auto capacity = tank::toSingle(tank::TankCapacity(radius, *length, shape));
    if (!capacity)
        return stop();
    if (unit && unit->unit != tank::VolumeUnit::Gallons) {
        capacity = tank::toSingle(static_cast<double>(*capacity) * unit->perGallon);
        if (!capacity)
            return stop();
    }
    const std::string capacityText = tank::displayPattern(*capacity, tank::patterns::kVolume);
    write(ResultField::Capacity, capacityText);

    const auto level32 = tank::toSingle(*level);
    const auto radius32 = tank::toSingle(radius);
    const auto length32 = tank::toSingle(*length);
    if (!level32 || !radius32 || !length32)
        return stop();
    const float gross = tank::TankVolume(*level32, *radius32, *length32, shape, unit, report);
    const std::string grossText = tank::displayPattern(gross, tank::patterns::kVolume);
    write(ResultField::Gross, grossText);

    const auto referenceTemp = tank::toSingle(tank::leadingNumber(e.ceTempRef));
    const auto productTemp = tank::toSingle(tank::leadingNumber(e.productTemp));
    const auto ce = tank::strictNumberFloat(e.cevalue);
    if (!productTemp || !ce || !referenceTemp)
        return stop();
    const float net = tank::NetVolume(gross, *productTemp, *ce, *referenceTemp);
    if (!std::isfinite(net))
        return stop();
    write(ResultField::Net, tank::displayPattern(net, tank::patterns::kVolume));

    // The picture follows the results as displayed, not the exact volumes.
    if (tank::leadingNumber(e.productLevel) > 0) {
        const double shownCapacity = tank::leadingNumber(capacityText);
        if (shownCapacity == 0.0)
            return stop();
        const double fraction = tank::leadingNumber(grossText) / shownCapacity;
        if (!std::isfinite(fraction))
            return stop();
        const tank::FillStep* step = tank::fillStepFor(fraction);
        if (shape && step)
            outcome.picture = tank::pictureName(*shape, *step);
    }
    return outcome;
}

} // namespace model
