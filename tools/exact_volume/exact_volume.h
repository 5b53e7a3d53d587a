#pragma once

// The exact volume of product in each tank shape, from the geometry alone:
// the true pi, extended precision and none of TankVolume's steps. It is the
// yardstick TankVolume's results are measured against, by the accuracy tool
// and by the test that keeps the stated bounds true.

#include "core/name_tables.h"

#include <cmath>
#include <string_view>

namespace accuracy {

inline constexpr long double kTruePi = 3.141592653589793238462643383279502884L;

// The geometry is written once, for any floating type: extended precision
// here, double for the tank pictures' fill levels (tools/tank_pictures).
template <typename Real>
inline constexpr Real kPiOf = static_cast<Real>(kTruePi);

// phi - sin(phi) for 0 <= phi <= pi, summed as its series: a shallow
// segment's area then never comes from two nearly equal terms.
template <typename Real>
Real angleMinusSine(Real phi)
{
    const Real phiSquared = phi * phi;
    Real term = phi * phiSquared / Real(6);
    Real sum = 0;
    for (int n = 1; n < 40 && sum + term != sum; ++n) {
        sum += term;
        term *= -phiSquared / static_cast<Real>((2 * n + 2) * (2 * n + 3));
    }
    return sum;
}

// Area of the part of a circle of radius r below a chord at height h
// (0 <= h <= 2r), in the circle's units squared.
template <typename Real>
Real segmentArea(Real h, Real r)
{
    if (h > r)
        return kPiOf<Real> * r * r - segmentArea(Real(2) * r - h, r);
    // The central angle from the arcsine: no 1 - h/r to lose digits in.
    const Real phi = Real(4) * std::asin(std::sqrt(h / (Real(2) * r)));
    return r * r / Real(2) * angleMinusSine(phi);
}

// Below a level h in a horizontal cylinder of radius r with hemispherical
// ends: the two ends hold a sphere's cap of height h.
template <typename Real>
Real hemisphericalEndedVolume(Real h, Real r, Real length)
{
    return segmentArea(h, r) * length + kPiOf<Real> * h * h * (Real(3) * r - h) / Real(3);
}

// Exact volume in US gallons at `level` (0 <= level <= 2 radius for the
// horizontal shapes); 0 for a shape outside the three.
inline long double exactGallons(std::string_view shapeText, long double level, long double radius, long double length)
{
    const tank::ShapeName* shape = tank::findShape(shapeText);
    long double cubicInches = 0.0L;
    if (shape && shape->shape == tank::Shape::FlatEnded)
        cubicInches = segmentArea(level, radius) * length;
    if (shape && shape->shape == tank::Shape::HemisphericalEnded)
        cubicInches = hemisphericalEndedVolume(level, radius, length);
    if (shape && shape->shape == tank::Shape::Vertical)
        cubicInches = kTruePi * radius * radius * level;
    return cubicInches / 231.0L;
}

inline bool isVertical(std::string_view shapeText)
{
    const tank::ShapeName* shape = tank::findShape(shapeText);
    return shape && shape->shape == tank::Shape::Vertical;
}

// The full tank: the diameter is the top of a horizontal tank, the length
// the height of an upright one.
inline long double exactCapacityGallons(std::string_view shape, long double radius, long double length)
{
    return exactGallons(shape, isVertical(shape) ? length : 2.0L * radius, radius, length);
}

// Exact by the definition of the US gallon (231 cubic inches, 3.785411784 l).
inline long double exactUnitsPerGallon(std::string_view volumeUnit)
{
    const tank::VolumeUnitName* unit = tank::findVolumeUnit(volumeUnit);
    if (!unit)
        return 0.0L;
    switch (unit->unit) {
    case tank::VolumeUnit::Gallons: return 1.0L;
    case tank::VolumeUnit::Litres: return 3.785411784L;
    case tank::VolumeUnit::CubicMeters: return 0.003785411784L;
    case tank::VolumeUnit::Millilitres: return 3785.411784L;
    }
    return 0.0L;
}

} // namespace accuracy
