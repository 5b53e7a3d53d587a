#include "picture_set.h"

#include "fill_level.h"
#include "tank_drawings.h"

namespace tank_pictures {

namespace {

// The program stretches each picture to 233 x 177, a little taller than wide,
// so round things are drawn a touch flatter than round.
constexpr double kAspect = 0.86;

const Scheme kSteel = pictureScheme(rgb(160, 176, 194), kSteelFinish);
const Scheme kFiberglass = pictureScheme(rgb(150, 190, 150), kFiberglassFinish);

LyingTank lyingPicture(bool rounded, double fraction)
{
    LyingTank t;
    t.roundedEnds = rounded;
    t.ry = 18;
    t.cy = 36;
    const double radius = t.ry / kAspect; // the tank's real radius, in horizontal pixels
    t.endRx = rounded ? radius : radius * 0.38;
    const double left = 9, right = 111;
    t.x0 = left + t.endRx;
    t.x1 = right - t.endRx;
    const double lengthOverRadius = (t.x1 - t.x0) / radius;
    const double depth =
        rounded ? depthForFraction(fraction, [&](double d) { return capsuleFraction(d, lengthOverRadius); })
                : depthForFraction(fraction, segmentFraction);
    t.hasProduct = fraction > 0;
    t.showSurface = fraction > 0 && fraction < 1;
    t.level = fraction >= 1 ? -1e9 : t.cy + t.ry - 2 * t.ry * depth;
    t.groundY = 65;
    const double span = t.x1 - t.x0;
    t.saddles = {t.x0 + span * (rounded ? 0.12 : 0.18), t.x1 - span * (rounded ? 0.12 : 0.18)};
    t.saddleHalfWidth = 6;
    t.manwayX = rounded ? (t.x0 + t.x1) / 2 : t.x0 + span * 0.5;
    t.manwayHalfWidth = 5;
    t.manwayHeight = 6;
    t.ribs = rounded ? 4 : 0;
    t.ribHalfWidth = 1.6;
    t.outline = 1.3;
    t.height = kPictureHeight;
    return t;
}

StandingTank standingPicture(double fraction)
{
    StandingTank t;
    t.cx = 52;
    t.rx = 21;
    t.ery = 5.5;
    t.yTop = 13;
    t.yBottom = 59;
    t.groundY = 69;
    t.hasProduct = fraction > 0;
    t.showSurface = fraction > 0 && fraction < 1;
    t.level = t.yBottom - fraction * (t.yBottom - t.yTop);
    t.outline = 1.3;
    t.height = kPictureHeight;
    return t;
}

} // namespace

Raster drawPicture(tank::Shape shape, int percent)
{
    const double fraction = percent / 100.0;
    constexpr int grid = 6;
    switch (shape) {
    case tank::Shape::FlatEnded: {
        const LyingTank t = lyingPicture(false, fraction);
        return render(kPictureWidth, kPictureHeight, grid, 1.0,
                      [&](double x, double y) { return drawLyingTank(t, kSteel, x, y); });
    }
    case tank::Shape::HemisphericalEnded: {
        const LyingTank t = lyingPicture(true, fraction);
        return render(kPictureWidth, kPictureHeight, grid, 1.0,
                      [&](double x, double y) { return drawLyingTank(t, kFiberglass, x, y); });
    }
    case tank::Shape::Vertical: {
        const StandingTank t = standingPicture(fraction);
        return render(kPictureWidth, kPictureHeight, grid, 1.0,
                      [&](double x, double y) { return drawStandingTank(t, kSteel, x, y); });
    }
    }
    return {};
}

} // namespace tank_pictures
