#include "tank_drawings.h"

#include <algorithm>
#include <cmath>

namespace tank_pictures {

namespace {

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry)
{
    if (rx <= 0 || ry <= 0)
        return false;
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
}

bool inRect(double x, double y, double left, double top, double right, double bottom)
{
    return x >= left && x <= right && y >= top && y <= bottom;
}

// Thin elliptical line of width w, for seams and edges inside a shape.
bool onEllipse(double x, double y, double cx, double cy, double rx, double ry, double w)
{
    return inEllipse(x, y, cx, cy, rx + w / 2, ry + w / 2) && !inEllipse(x, y, cx, cy, rx - w / 2, ry - w / 2);
}

double smoothstep(double a, double b, double v)
{
    const double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Sample background(const Scheme& s, double y, double height)
{
    Sample px;
    if (s.background)
        px.paint(mix(s.backgroundTop, s.backgroundBottom, y / height));
    return px;
}

void paintShadow(Sample& px, const Scheme& s, double x, double y, double cx, double cy, double rx, double ry)
{
    if (s.shadow <= 0)
        return;
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    px.paint(rgb(0, 0, 0), s.shadow * (1 - smoothstep(0.25, 1.0, u * u + v * v)));
}

bool inLyingBody(const LyingTank& t, double x, double y, double grow)
{
    const double ry = t.ry + grow, rx = t.endRx + grow;
    return inRect(x, y, t.x0, t.cy - ry, t.x1, t.cy + ry) || inEllipse(x, y, t.x0, t.cy, rx, ry) ||
           inEllipse(x, y, t.x1, t.cy, rx, ry);
}

// Stiffening ribs wound round a fibreglass shell.
double ribX(const LyingTank& t, int i) { return t.x0 + (t.x1 - t.x0) * (i + 1) / (t.ribs + 1); }

bool inRib(const LyingTank& t, double x, double y, double grow)
{
    for (int i = 0; i < t.ribs; ++i) {
        const double rx = ribX(t, i);
        const double lip = t.ribHalfWidth * 0.6;
        if (inRect(x, y, rx - t.ribHalfWidth - grow, t.cy - t.ry - lip - grow, rx + t.ribHalfWidth + grow,
                   t.cy + t.ry + lip + grow))
            return true;
    }
    return false;
}

void paintSaddle(Sample& px, const LyingTank& t, const Scheme& s, double x, double y, double sx)
{
    const double w = t.saddleHalfWidth, o = t.outline;
    const double plate = std::max(1.5, w * 0.3);
    auto inside = [&](double grow) {
        return inRect(x, y, sx - w * 0.7 - grow, t.cy - grow, sx + w * 0.7 + grow, t.groundY + grow) ||
               inRect(x, y, sx - w - grow, t.groundY - plate - grow, sx + w + grow, t.groundY + grow);
    };
    if (inside(o))
        px.paint(s.outline);
    if (inside(0))
        px.paint(shade(s.support, standingNormal((x - sx) / (w * 1.1)), kSteelFinish));
}

void paintManway(Sample& px, const LyingTank& t, const Scheme& s, double x, double y)
{
    if (t.manwayHeight <= 0)
        return;
    const double mx = t.manwayX, w = t.manwayHalfWidth, o = t.outline;
    const double top = t.cy - t.ry - t.manwayHeight;
    const double capRy = w * 0.35;
    auto inside = [&](double grow) {
        return inRect(x, y, mx - w - grow, top, mx + w + grow, t.cy) ||
               inEllipse(x, y, mx, top, w + grow, capRy + grow);
    };
    if (inside(o))
        px.paint(s.outline);
    if (!inside(0))
        return;
    if (inEllipse(x, y, mx, top, w, capRy))
        px.paint(shade(s.shell, kUp, s.shellFinish));
    else
        px.paint(shade(s.shell, standingNormal((x - mx) / w), s.shellFinish));
}

Vec3 lyingSurfaceNormal(const LyingTank& t, double x, double y, bool onFace)
{
    const double dy = (y - t.cy) / t.ry;
    if (onFace)
        return normalised({0.85, dy * 0.25, 0.5});
    if (t.roundedEnds && (x < t.x0 || x > t.x1)) {
        const double dx = (x < t.x0 ? x - t.x0 : x - t.x1) / t.endRx;
        return sphereNormal(dx, dy);
    }
    return lyingNormal(dy);
}

bool inStandingBody(const StandingTank& t, double x, double y, double grow)
{
    const double rx = t.rx + grow, ery = t.ery + grow;
    return inRect(x, y, t.cx - rx, t.yTop, t.cx + rx, t.yBottom) || inEllipse(x, y, t.cx, t.yTop, rx, ery) ||
           inEllipse(x, y, t.cx, t.yBottom, rx, ery);
}

void paintPad(Sample& px, const StandingTank& t, const Scheme& s, double x, double y)
{
    const double rx = t.rx + 4.5, ery = t.ery + 1.5, top = t.yBottom + 0.5, bottom = t.groundY - ery;
    auto inside = [&](double grow) {
        return inRect(x, y, t.cx - rx - grow, top, t.cx + rx + grow, bottom) ||
               inEllipse(x, y, t.cx, top, rx + grow, ery + grow) ||
               inEllipse(x, y, t.cx, bottom, rx + grow, ery + grow);
    };
    if (inside(t.outline))
        px.paint(s.outline);
    if (!inside(0))
        return;
    if (inEllipse(x, y, t.cx, top, rx, ery))
        px.paint(shade(s.concrete, kUp, kFiberglassFinish));
    else
        px.paint(shade(s.concrete, standingNormal((x - t.cx) / rx), kFiberglassFinish));
}

void paintLadder(Sample& px, const StandingTank& t, const Scheme& s, double x, double y)
{
    // Thin bars: no outline of their own, or the rungs run together.
    const double left = t.cx + t.rx + 2.5, right = left + 6.5;
    const double rail = 0.8, rung = 0.55;
    const double top = t.yTop - 4.5; // handrail above the roof edge
    const double bottom = t.groundY - 1.5;
    auto inside = [&]() {
        if (inRect(x, y, left - rail, top, left + rail, bottom) ||
            inRect(x, y, right - rail, top, right + rail, bottom))
            return true;
        if (inRect(x, y, t.cx + t.rx * 0.55, top - rail, right + rail, top + rail))
            return true;
        for (double ry = bottom - 4; ry > t.yTop; ry -= 5)
            if (inRect(x, y, left, ry - rung, right, ry + rung))
                return true;
        return false;
    };
    if (inside())
        px.paint(mix(s.support, s.outline, 0.35));
}

void paintVent(Sample& px, const StandingTank& t, const Scheme& s, double x, double y)
{
    const double vx = t.cx - t.rx * 0.35, w = 2.2, top = t.yTop - 6.0, base = t.yTop - 1.0;
    auto inside = [&](double grow) {
        return inRect(x, y, vx - w - grow, top, vx + w + grow, base) ||
               inEllipse(x, y, vx, top, w + grow, 0.9 + grow) || inEllipse(x, y, vx, base, w + grow, 0.9 + grow);
    };
    if (inside(t.outline))
        px.paint(s.outline);
    if (!inside(0))
        return;
    if (inEllipse(x, y, vx, top, w, 0.9))
        px.paint(shade(s.shell, kUp, s.shellFinish));
    else
        px.paint(shade(s.shell, standingNormal((x - vx) / w), s.shellFinish));
}

} // namespace

Sample drawLyingTank(const LyingTank& t, const Scheme& s, double x, double y)
{
    Sample px = background(s, y, t.height);
    const double length = t.x1 - t.x0 + 2 * t.endRx;
    paintShadow(px, s, x, y, (t.x0 + t.x1) / 2, t.groundY, length * 0.55, t.ry * 0.22);
    for (double sx : t.saddles)
        paintSaddle(px, t, s, x, y, sx);
    paintManway(px, t, s, x, y);

    const double o = t.outline;
    if (inLyingBody(t, x, y, o) || inRib(t, x, y, o))
        px.paint(s.outline);
    const bool inBody = inLyingBody(t, x, y, 0);
    const bool inRibOnly = !inBody && inRib(t, x, y, 0);
    if (!inBody && !inRibOnly)
        return px;

    const bool onFace = !t.roundedEnds && inEllipse(x, y, t.x1, t.cy, t.endRx, t.ry);
    const Vec3 n = lyingSurfaceNormal(t, x, y, onFace);
    const bool product = t.hasProduct && y >= t.level && inBody;
    px.paint(product ? shade(s.product, n, s.productFinish) : shade(s.shell, n, s.shellFinish));

    if (t.showSurface && inBody) {
        // A bright band just under the surface and a shadow line above it.
        const double band = std::max(1.2, t.ry * 0.08);
        if (y >= t.level && y < t.level + band)
            px.paint(s.surface, 0.85);
        else if (y < t.level && y >= t.level - band * 0.55)
            px.paint(s.outline, 0.45);
    }
    // Ribs: lit on top of whatever is behind, with a dark edge on each side.
    for (int i = 0; i < t.ribs; ++i) {
        const double d = std::abs(x - ribX(t, i));
        if (d <= t.ribHalfWidth) {
            const double edge = smoothstep(t.ribHalfWidth * 0.45, t.ribHalfWidth, d);
            px.paint(rgb(255, 255, 255), 0.22 * (1 - edge));
            px.paint(s.outline, 0.35 * edge);
        }
    }
    if (!t.roundedEnds && onEllipse(x, y, t.x1, t.cy, t.endRx, t.ry, o * 0.8))
        px.paint(s.outline);
    return px;
}

Sample drawStandingTank(const StandingTank& t, const Scheme& s, double x, double y)
{
    Sample px = background(s, y, t.height);
    paintShadow(px, s, x, y, t.cx + 4, t.groundY - 1, t.rx * 1.6, t.ery * 1.2);
    paintPad(px, t, s, x, y);

    const double o = t.outline;
    if (inStandingBody(t, x, y, o))
        px.paint(s.outline);
    if (inStandingBody(t, x, y, 0)) {
        const double dx = (x - t.cx) / t.rx;
        const double halfChord = t.ery * std::sqrt(std::max(0.0, 1 - dx * dx));
        const bool roof = inEllipse(x, y, t.cx, t.yTop, t.rx, t.ery);
        const bool product = t.hasProduct && y >= t.level - halfChord;
        const bool surface = product && inEllipse(x, y, t.cx, t.level, t.rx, t.ery);
        if (surface)
            px.paint(shade(mix(s.product, s.surface, 0.55), kUp, s.productFinish));
        else if (product)
            px.paint(shade(s.product, standingNormal(dx), s.productFinish));
        else if (roof)
            px.paint(shade(s.shell, kUp, s.shellFinish));
        else
            px.paint(shade(s.shell, standingNormal(dx), s.shellFinish));

        if (!product && onEllipse(x, y, t.cx, t.yTop, t.rx, t.ery, o * 0.8))
            px.paint(s.outline);
        if (t.showSurface && onEllipse(x, y, t.cx, t.level, t.rx, t.ery, o))
            px.paint(mix(s.product, s.outline, 0.55));
    }
    paintVent(px, t, s, x, y);
    paintLadder(px, t, s, x, y);
    return px;
}

} // namespace tank_pictures
