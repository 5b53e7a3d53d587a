#include "model/chart_setup.h"

#include "core/name_tables.h"
#include "core/number_text.h"
#include "core/tank_volume.h"

#include <cmath>
#include <limits>

namespace model {

namespace {

// Halves go to the even neighbour: 0.5 → 0, 1.5 → 2, 2.5 → 2. Written out
// rather than left to the floating-point environment's rounding mode.
double roundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// Whether every radius, length and level the rows hand to TankVolume fits
// 32 bits (a size that overflows in inches fits none). A row that does not
// would stop the chart after the operator's file was emptied, so the run
// ends before the file instead. Without a row to compute (P below 1; P = 0
// stops at its first level, 0 ÷ 0) nothing is handed over, and any size goes
// on as any other does.
bool rowsFitSingle(const ChartGeometry& geometry)
{
    if (geometry.steps < 1)
        return true;
    if (!tank::toSingle(geometry.radius) || !geometry.length.forCall())
        return false;
    for (int i = 0; i <= geometry.steps; ++i) {
        if (!tank::toSingle(chartLevel(geometry, i)))
            return false;
    }
    return true;
}

} // namespace

StepCount stepCount(double diameterAsTyped, double increment)
{
    if (increment == 0.0)
        return {diameterAsTyped == 0.0 ? StepCount::Status::NoQuotient : StepCount::Status::ZeroIncrement, 0};
    const double quotient = diameterAsTyped / increment;
    // Far beyond 16 bits (or infinite) before rounding, so the rounding
    // below only ever sees small values.
    if (!(std::fabs(quotient) < 65536.0))
        return {StepCount::Status::OutOfRange, 0};
    const double rounded = roundHalfToEven(quotient);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return {StepCount::Status::OutOfRange, 0};
    return {StepCount::Status::Ok, static_cast<std::int16_t>(rounded)};
}

std::optional<ChartGeometry> chartGeometry(const ChartFieldTexts& texts, std::int16_t steps)
{
    ChartGeometry geometry;
    geometry.steps = steps;
    geometry.shape = tank::findShape(texts.shape);
    geometry.volumeUnit = tank::findVolumeUnit(texts.volumeUnit);

    const tank::LengthUnitName* unit = tank::findLengthUnit(texts.lengthUnit);
    if (!unit)
        return geometry; // radius and length stay 0

    const std::optional<double> diameter = tank::strictNumber(texts.diameter);
    const std::optional<double> length = tank::strictNumber(texts.length);
    if (!diameter || !length)
        return std::nullopt;
    geometry.radius = unit->toInches(*diameter) / 2.0;
    // In inches the length goes to every call straight from its text.
    geometry.length = unit->unit == tank::LengthUnit::Inches ? ChartLength::fromInchesText(texts.length)
                                                             : ChartLength::fromInches(unit->toInches(*length));
    if (!rowsFitSingle(geometry))
        return std::nullopt;
    return geometry;
}

} // namespace model
