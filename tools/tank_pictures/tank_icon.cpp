#include "tank_icon.h"

#include "fill_level.h"

namespace tank_pictures {

namespace {

// The icon is a small fibreglass-style tank with rounded ends, part full,
// laid out on a 32 x 32 grid and scaled for the larger sizes.
constexpr double kIconUnits = 32;

} // namespace

LyingTank iconTank(double outline)
{
    LyingTank t;
    t.roundedEnds = true;
    t.cy = 15.5;
    t.ry = 6.8;
    t.endRx = 6;
    t.x0 = 2 + t.endRx;
    t.x1 = 30 - t.endRx;
    const double depth = depthForFraction(0.6, [&](double d) { return capsuleFraction(d, (t.x1 - t.x0) / t.endRx); });
    t.level = t.cy + t.ry - 2 * t.ry * depth;
    t.hasProduct = true;
    t.showSurface = true;
    t.groundY = 27;
    t.saddles = {t.x0 + 1, t.x1 - 1};
    t.saddleHalfWidth = 3.2;
    t.manwayX = 16;
    t.manwayHalfWidth = 3.2;
    t.manwayHeight = 3.5;
    t.outline = outline;
    t.height = kIconUnits;
    return t;
}

Scheme iconScheme()
{
    Scheme s = pictureScheme(rgb(168, 184, 202), kSteelFinish);
    s.background = false;
    s.shadow = 0;
    return s;
}

Scheme icon16Scheme()
{
    Scheme s = iconScheme();
    s.shell = rgb(200, 200, 200);
    s.shellFinish = {0.55, 0.6, 0.5, 12, 0.0};
    s.product = rgb(240, 240, 0);
    s.productFinish = {0.78, 0.4, 0.0, 1, 0.0};
    s.surface = rgb(255, 255, 160);
    s.outline = rgb(0, 0, 0);
    s.support = rgb(128, 128, 128);
    return s;
}

Raster drawIcon(int size, const Scheme& scheme, double outlinePixels)
{
    const double unitsPerPixel = kIconUnits / size;
    const LyingTank t = iconTank(outlinePixels * unitsPerPixel);
    return render(size, size, 8, unitsPerPixel, [&](double x, double y) { return drawLyingTank(t, scheme, x, y); });
}

} // namespace tank_pictures
