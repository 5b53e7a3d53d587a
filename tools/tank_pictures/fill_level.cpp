#include "fill_level.h"

#include "tools/exact_volume/exact_volume.h"

#include <algorithm>

namespace tank_pictures {

using accuracy::kPiOf;

double segmentFraction(double d) { return accuracy::segmentArea(std::clamp(2 * d, 0.0, 2.0), 1.0) / kPiOf<double>; }

double capsuleFraction(double d, double lengthOverRadius)
{
    const double full = lengthOverRadius * kPiOf<double> + 4 * kPiOf<double> / 3;
    return accuracy::hemisphericalEndedVolume(2 * d, 1.0, lengthOverRadius) / full;
}

} // namespace tank_pictures
