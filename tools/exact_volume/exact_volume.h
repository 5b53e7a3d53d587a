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

// phi - sin(phi) for 0 <= phi <= pi, summed as its series: a shallow
// segment's area then never comes from two nearly equal terms.
inline long double angleMinusSine(long double phi)
{
    const long double phiSquared = phi * phi;
    long double term = phi * phiSquared / 6.0L;
    long double sum = 0.0L;
    for (int n = 1; n < 40 && sum + term != sum; ++n) {
        sum += term;
        term *= -phiSquared / static_cast<long double>((2 * n + 2) * (2 * n + 3));
    }
    return sum;
}

// Area of the part of a circle of radius r below a chord at height h
// (0 <= h <= 2r), in the circle's units squared.
inline long double segmentArea(long double h, long double r)
{
    if (h > r)
        return kTruePi * r * r - segmentArea(2.0L * r - h, r);
    // The central angle from the arcsine: no 1 - h/r to lose digits in.
    const long double phi = 4.0L * std::asin(std::sqrt(h / (2.0L * r)));
    return r * r / 2.0L * angleMinusSine(phi);
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
        cubicInches = segmentArea(level, radius) * length + kTruePi * level * level * (3.0L * radius - level) / 3.0L;
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
