#include "core/tank_volume.h"

#include "core/name_tables.h"

#include <cmath>
#include <limits>
#include <optional>

// x87 arithmetic rounds where the compiler chooses, not at each operation:
// the build asks for SSE2 on 32-bit x86 (CMakeLists.txt).
#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit x86 without SSE2 arithmetic (-msse2 -mfpmath=sse) would print other digits"
#endif

namespace {

using tank::toSingle;

// One step of the volume calculation: it either produces its value or
// fails as a whole, in which case the operator is told and the step's
// variable keeps what it had.
template <typename Step>
void runStep(float& target, const tank::FailureReport& report, Step step)
{
    if (const std::optional<float> value = step())
        target = *value;
    else if (report)
        report(tank::kCalculationErrorMessage);
}

// The area of the liquid cross-section (square inches) times the length
// factor: the part shared by both horizontal shapes. Empty when the square
// root's base is negative (a level outside the tank) or on overflow.
std::optional<double> horizontalSectionVolume(double theta, float radius, float d, float length)
{
    const std::optional<float> k = toSingle(static_cast<double>(length) / tank::kCubicInchesPerGallon);
    if (!k)
        return std::nullopt;
    const double r2 = std::pow(static_cast<double>(radius), 2.0);
    const double d2 = std::pow(static_cast<double>(d), 2.0);
    const double base = r2 - d2;
    if (!(base >= 0.0))
        return std::nullopt;
    const double area = theta * r2 - static_cast<double>(d) * std::pow(base, 0.5);
    const double volume = area * static_cast<double>(*k);
    if (!std::isfinite(volume))
        return std::nullopt;
    return volume;
}

// Near the bottom the sliver's area is the difference of two far larger,
// nearly equal areas, and their 32-bit rounding can leave it below zero for
// a level inside the tank. No tank holds less than nothing: such a volume
// is 0, before any unit conversion, so it is 0 in every unit.
std::optional<float> notBelowZero(std::optional<float> gallons)
{
    if (gallons && *gallons < 0.0f)
        return 0.0f;
    return gallons;
}

} // namespace

namespace tank {

std::optional<float> toSingle(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const float single = static_cast<float>(value);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

float TankVolume(float level, float radius, float length, const tank::ShapeName* shape,
                 const tank::VolumeUnitName* volumeUnit, const tank::FailureReport& report)
{
    // Unset values count as 0 in later steps, as the variables start out.
    float d = 0.0f;
    float q = 0.0f;
    double theta = 0.0;
    float volume = 0.0f;

    // Distance of the surface from the axis.
    runStep(d, report, [&] { return toSingle(static_cast<double>(radius) - static_cast<double>(level)); });

    // Cosine of the half-angle; fails for a zero radius.
    runStep(q, report, [&]() -> std::optional<float> {
        if (radius == 0.0f)
            return std::nullopt;
        return toSingle(static_cast<double>(d) / static_cast<double>(radius));
    });

    // Half-angle of the wetted arc (arccos q); beyond -1..1 it stays unset.
    if (q == 1.0f)
        theta = 0.0;
    if (q == -1.0f)
        theta = tank::kPi;
    if (q > -1.0f && q < 1.0f) {
        const float negSquare = static_cast<float>(-static_cast<double>(q) * static_cast<double>(q));
        const float s = static_cast<float>(1.0 + static_cast<double>(negSquare));
        theta = std::atan(-static_cast<double>(q) / std::sqrt(static_cast<double>(s))) + 2.0 * std::atan(1.0);
    }

    const auto isShape = [shape](tank::Shape which) { return shape && shape->shape == which; };
    if (isShape(tank::Shape::FlatEnded)) {
        runStep(volume, report, [&]() -> std::optional<float> {
            const auto section = horizontalSectionVolume(theta, radius, d, length);
            return section ? notBelowZero(toSingle(*section)) : std::nullopt;
        });
    }
    if (isShape(tank::Shape::HemisphericalEnded)) {
        runStep(volume, report, [&]() -> std::optional<float> {
            const auto section = horizontalSectionVolume(theta, radius, d, length);
            if (!section)
                return std::nullopt;
            // The two hemispherical ends hold what a sphere filled to the
            // same level holds: a spherical cap of height `level`.
            const double ends = ((tank::kPi / 3.0) * std::pow(static_cast<double>(level), 2.0)) *
                                (3.0 * static_cast<double>(radius) - static_cast<double>(level)) /
                                tank::kCubicInchesPerGallon;
            return notBelowZero(toSingle(*section + ends));
        });
    }
    if (isShape(tank::Shape::Vertical)) {
        runStep(volume, report, [&]() -> std::optional<float> {
            // Below the floor the upright formula would give a negative
            // volume; it fails there as a horizontal tank's does.
            if (level < 0.0f)
                return std::nullopt;
            return toSingle(((std::pow(static_cast<double>(radius), 2.0) * static_cast<double>(level)) * tank::kPi) /
                            tank::kCubicInchesPerGallon);
        });
    }

    // A gallon volume passes unchanged (times 1); the other units are
    // derived from it and rounded to 32 bits, which may overflow.
    float result = 0.0f;
    if (volumeUnit)
        runStep(result, report, [&] { return toSingle(static_cast<double>(volume) * volumeUnit->perGallon); });
    return result;
}

double TankCapacity(double radius, double length, const tank::ShapeName* shape)
{
    if (!shape)
        return 0.0;
    switch (shape->shape) {
    case tank::Shape::FlatEnded: return ((tank::kPi * std::pow(radius, 2.0)) * length) / tank::kCubicInchesPerGallon;
    case tank::Shape::HemisphericalEnded: {
        // The two ends together make one sphere.
        const double sphereFactor = (4.0 / 3.0) * tank::kPi;
        return ((tank::kPi * std::pow(radius, 2.0)) * length + sphereFactor * std::pow(radius, 3.0)) /
               tank::kCubicInchesPerGallon;
    }
    case tank::Shape::Vertical: return (tank::kPi * (std::pow(radius, 2.0) * length)) / tank::kCubicInchesPerGallon;
    }
    return 0.0;
}

float NetVolume(float gross, float productTemp, float ce, float ceTempRef)
{
    const double g = gross;
    const double net =
        ((static_cast<double>(ceTempRef) - static_cast<double>(productTemp)) * static_cast<double>(ce)) * g + g;
    // Out of range gives infinity (or NaN from non-finite input): the
    // caller's sign of an overflow.
    if (!std::isfinite(net))
        return std::numeric_limits<float>::infinity();
    return static_cast<float>(net);
}

} // namespace tank
