#pragma once

// The two kinds of tank in the pictures. Each draw function gives the colour
// of one point, so the renderer can sample it as finely as it likes.

#include "shading.h"

#include <array>

namespace tank_pictures {

// A cylinder lying on two saddles. Its ends are either flat (the near end face
// seen at an angle as an ellipse) or hemispheres. Lengths are in pixels of the
// output; a "round" vertical radius is ry and horizontal radius is ry / aspect.
struct LyingTank {
    bool roundedEnds = false;
    double x0 = 0, x1 = 0; // where the cylindrical part starts and ends
    double cy = 0, ry = 0; // axis height and half the height
    double endRx = 0;      // half-width of the ends: hemisphere or end face
    double level = 0;      // product surface; product below it
    bool hasProduct = false;
    bool showSurface = false;
    double groundY = 0;
    std::array<double, 2> saddles{};
    double saddleHalfWidth = 0;
    double manwayX = 0, manwayHalfWidth = 0, manwayHeight = 0;
    int ribs = 0;
    double ribHalfWidth = 0;
    double outline = 1;
    double height = 0; // of the whole picture, for the background
};

// A cylinder standing on a concrete ring, seen a little from above, with a
// ladder up its right side.
struct StandingTank {
    double cx = 0, rx = 0;
    double yTop = 0, yBottom = 0; // centres of roof and floor ellipses
    double ery = 0;               // half-height of those ellipses
    double level = 0;             // centre of the product surface ellipse
    bool hasProduct = false;
    bool showSurface = false;
    double groundY = 0;
    double outline = 1;
    double height = 0;
};

Sample drawLyingTank(const LyingTank& t, const Scheme& s, double x, double y);
Sample drawStandingTank(const StandingTank& t, const Scheme& s, double x, double y);

} // namespace tank_pictures
