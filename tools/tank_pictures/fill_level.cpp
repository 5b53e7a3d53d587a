#include "fill_level.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tank_pictures {

namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

double segmentFraction(double d)
{
    const double c = std::clamp(1 - 2 * d, -1.0, 1.0);  // chord distance from the centre, in radii
    return (std::acos(c) - c * std::sqrt(1 - c * c)) / kPi;
}

double capsuleFraction(double d, double lengthOverRadius)
{
    const double cylinder = lengthOverRadius * kPi * segmentFraction(d);  // in r^3
    const double h = 2 * d;                                              // cap height, in r
    const double caps = kPi * h * h * (3 - h) / 3;
    return (cylinder + caps) / (lengthOverRadius * kPi + 4 * kPi / 3);
}

} // namespace tank_pictures
