#pragma once

// How deep the product stands when it fills a given share of a tank.

namespace tank_pictures {

// Fraction of a circle's area below a chord at depth d (0..1 of the diameter).
double segmentFraction(double d);

// Fraction of a capsule's volume (cylinder of length L plus two hemispheres of
// radius r) below depth d (0..1 of the diameter).
double capsuleFraction(double d, double lengthOverRadius);

// Depth (0..1 of the diameter) holding the given fraction of the volume.
template <typename Volume>
double depthForFraction(double fraction, Volume volume)
{
    double lo = 0, hi = 1;
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        (volume(mid) < fraction ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

} // namespace tank_pictures
