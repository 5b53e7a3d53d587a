// Draws the tank pictures shown beside the results, and the program icon.
//
//   draw_tank_pictures OUTPUT_DIR
//
// writes {f,c,v}tank{0,10,25,50,75,90,100}.bmp, gaugestar.ico and the hicolor
// icons (icons/{32,48,128}/gaugestar.png, icons/scalable/gaugestar.svg).
// Everything is drawn from plain geometry, sampled on a fine grid for smooth
// edges, so the same source always gives the same bytes.

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------- colour

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }

// One point of the picture, painted back to front.
struct Sample {
    Rgb colour;
    double alpha = 0;

    void paint(Rgb c, double a = 1.0)
    {
        if (a <= 0)
            return;
        const double outAlpha = a + alpha * (1 - a);
        const double keep = alpha * (1 - a);
        colour = {(c.r * a + colour.r * keep) / outAlpha, (c.g * a + colour.g * keep) / outAlpha,
                  (c.b * a + colour.b * keep) / outAlpha};
        alpha = outAlpha;
    }
};

using Byte3 = std::array<std::uint8_t, 3>;  // R, G, B

std::uint8_t toByte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// ---------------------------------------------------------------- lighting

struct Vec3 {
    double x, y, z;
};

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 normalised(Vec3 v)
{
    const double len = std::sqrt(dot(v, v));
    return {v.x / len, v.y / len, v.z / len};
}

struct Finish {
    double ambient, diffuse, specular, shininess;
    double fill = 0.18;  // soft light bounced up from the ground
};

// Key light from the upper left, in front of the picture; y grows downwards.
const Vec3 kLight = normalised({-0.45, -0.8, 0.6});
const Vec3 kHalfway = normalised({kLight.x, kLight.y, kLight.z + 1.0});
const Vec3 kFillLight = normalised({0.3, 0.7, 0.6});

Rgb shade(Rgb base, Vec3 n, const Finish& f)
{
    const double light = f.ambient + f.diffuse * std::max(0.0, dot(n, kLight)) + f.fill * std::max(0.0, dot(n, kFillLight));
    const double gloss = f.specular * std::pow(std::max(0.0, dot(n, kHalfway)), f.shininess);
    return mix(scaled(base, light), rgb(255, 255, 255), std::min(gloss, 1.0));
}

// Normal of a cylinder lying along x, at height dy (-1 top .. 1 bottom) of its outline.
Vec3 lyingNormal(double dy)
{
    dy = std::clamp(dy, -1.0, 1.0);
    return {0, dy, std::sqrt(1 - dy * dy)};
}

// Normal of a cylinder standing along y, at dx (-1 left .. 1 right) of its outline.
Vec3 standingNormal(double dx)
{
    dx = std::clamp(dx, -1.0, 1.0);
    return {dx, 0, std::sqrt(1 - dx * dx)};
}

Vec3 sphereNormal(double dx, double dy)
{
    const double zz = std::max(0.0, 1 - dx * dx - dy * dy);
    return normalised({dx, dy, std::sqrt(zz) + 1e-9});
}

const Vec3 kUp = normalised({0, -1, 0.35});

// ---------------------------------------------------------------- shapes

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

// ---------------------------------------------------------------- colours of a drawing

struct Scheme {
    Rgb shell;
    Finish shellFinish;
    Rgb product;
    Finish productFinish;
    Rgb surface;  // lit top of the product
    Rgb outline;
    Rgb support;  // saddles, ladder, concrete
    Rgb concrete;
    bool background = true;  // false: transparent, for icons
    Rgb backgroundTop, backgroundBottom;
    double shadow = 0;  // strength of the soft shadow on the ground
};

const Finish kSteelFinish{0.42, 0.72, 0.55, 18};
const Finish kFiberglassFinish{0.48, 0.62, 0.30, 10};
const Finish kProductFinish{0.62, 0.52, 0.40, 24, 0.22};

Scheme pictureScheme(Rgb shell, const Finish& finish)
{
    Scheme s;
    s.shell = shell;
    s.shellFinish = finish;
    s.product = rgb(236, 150, 28);
    s.productFinish = kProductFinish;
    s.surface = rgb(255, 222, 120);
    s.outline = rgb(44, 52, 62);
    s.support = rgb(96, 104, 114);
    s.concrete = rgb(196, 192, 184);
    s.backgroundTop = rgb(242, 243, 245);
    s.backgroundBottom = rgb(222, 224, 228);
    s.shadow = 0.30;
    return s;
}

const Scheme kSteel = pictureScheme(rgb(160, 176, 194), kSteelFinish);
const Scheme kFiberglass = pictureScheme(rgb(150, 190, 150), kFiberglassFinish);

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

// ---------------------------------------------------------------- horizontal tanks

// A cylinder lying on two saddles. Its ends are either flat (the near end face
// seen at an angle as an ellipse) or hemispheres. Lengths are in pixels of the
// output; a "round" vertical radius is ry and horizontal radius is ry / aspect.
struct LyingTank {
    bool roundedEnds = false;
    double x0 = 0, x1 = 0;  // where the cylindrical part starts and ends
    double cy = 0, ry = 0;  // axis height and half the height
    double endRx = 0;       // half-width of the ends: hemisphere or end face
    double level = 0;       // product surface; product below it
    bool hasProduct = false;
    bool showSurface = false;
    double groundY = 0;
    std::array<double, 2> saddles{};
    double saddleHalfWidth = 0;
    double manwayX = 0, manwayHalfWidth = 0, manwayHeight = 0;
    int ribs = 0;
    double ribHalfWidth = 0;
    double outline = 1;
    double height = 0;  // of the whole picture, for the background
};

bool inLyingBody(const LyingTank& t, double x, double y, double grow)
{
    const double ry = t.ry + grow, rx = t.endRx + grow;
    return inRect(x, y, t.x0, t.cy - ry, t.x1, t.cy + ry) || inEllipse(x, y, t.x0, t.cy, rx, ry)
           || inEllipse(x, y, t.x1, t.cy, rx, ry);
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
        return inRect(x, y, sx - w * 0.7 - grow, t.cy - grow, sx + w * 0.7 + grow, t.groundY + grow)
               || inRect(x, y, sx - w - grow, t.groundY - plate - grow, sx + w + grow, t.groundY + grow);
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
        return inRect(x, y, mx - w - grow, top, mx + w + grow, t.cy) || inEllipse(x, y, mx, top, w + grow, capRy + grow);
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

// ---------------------------------------------------------------- upright tank

// A cylinder standing on a concrete ring, seen a little from above, with a
// ladder up its right side.
struct StandingTank {
    double cx = 0, rx = 0;
    double yTop = 0, yBottom = 0;  // centres of roof and floor ellipses
    double ery = 0;                // half-height of those ellipses
    double level = 0;              // centre of the product surface ellipse
    bool hasProduct = false;
    bool showSurface = false;
    double groundY = 0;
    double outline = 1;
    double height = 0;
};

bool inStandingBody(const StandingTank& t, double x, double y, double grow)
{
    const double rx = t.rx + grow, ery = t.ery + grow;
    return inRect(x, y, t.cx - rx, t.yTop, t.cx + rx, t.yBottom) || inEllipse(x, y, t.cx, t.yTop, rx, ery)
           || inEllipse(x, y, t.cx, t.yBottom, rx, ery);
}

void paintPad(Sample& px, const StandingTank& t, const Scheme& s, double x, double y)
{
    const double rx = t.rx + 4.5, ery = t.ery + 1.5, top = t.yBottom + 0.5, bottom = t.groundY - ery;
    auto inside = [&](double grow) {
        return inRect(x, y, t.cx - rx - grow, top, t.cx + rx + grow, bottom)
               || inEllipse(x, y, t.cx, top, rx + grow, ery + grow) || inEllipse(x, y, t.cx, bottom, rx + grow, ery + grow);
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
    const double top = t.yTop - 4.5;  // handrail above the roof edge
    const double bottom = t.groundY - 1.5;
    auto inside = [&]() {
        if (inRect(x, y, left - rail, top, left + rail, bottom) || inRect(x, y, right - rail, top, right + rail, bottom))
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
        return inRect(x, y, vx - w - grow, top, vx + w + grow, base) || inEllipse(x, y, vx, top, w + grow, 0.9 + grow)
               || inEllipse(x, y, vx, base, w + grow, 0.9 + grow);
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

// ---------------------------------------------------------------- fill level

// Fraction of a circle's area below a chord at depth d (0..1 of the diameter).
double segmentFraction(double d)
{
    const double c = std::clamp(1 - 2 * d, -1.0, 1.0);  // chord distance from the centre, in radii
    return (std::acos(c) - c * std::sqrt(1 - c * c)) / kPi;
}

// Fraction of a capsule's volume (cylinder of length L plus two hemispheres of
// radius r) below depth d (0..1 of the diameter).
double capsuleFraction(double d, double lengthOverRadius)
{
    const double cylinder = lengthOverRadius * kPi * segmentFraction(d);  // in r^3
    const double h = 2 * d;                                              // cap height, in r
    const double caps = kPi * h * h * (3 - h) / 3;
    return (cylinder + caps) / (lengthOverRadius * kPi + 4 * kPi / 3);
}

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

// ---------------------------------------------------------------- the 21 pictures

constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 75;
// The program stretches each picture to 233 x 177, a little taller than wide,
// so round things are drawn a touch flatter than round.
constexpr double kAspect = 0.86;
constexpr std::array<int, 7> kPercents{0, 10, 25, 50, 75, 90, 100};

enum class Shape { Flat, Rounded, Standing };

LyingTank lyingPicture(bool rounded, double fraction)
{
    LyingTank t;
    t.roundedEnds = rounded;
    t.ry = 18;
    t.cy = 36;
    const double radius = t.ry / kAspect;  // the tank's real radius, in horizontal pixels
    t.endRx = rounded ? radius : radius * 0.38;
    const double left = 9, right = 111;
    t.x0 = left + t.endRx;
    t.x1 = right - t.endRx;
    const double lengthOverRadius = (t.x1 - t.x0) / radius;
    const double depth = rounded ? depthForFraction(fraction, [&](double d) { return capsuleFraction(d, lengthOverRadius); })
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

struct Raster {
    int width = 0, height = 0;
    std::vector<Sample> pixels;  // rows top to bottom
};

// Averages an n x n grid of samples inside each pixel.
template <typename Draw>
Raster render(int width, int height, int grid, double unitsPerPixel, Draw draw)
{
    Raster out{width, height, {}};
    out.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < grid; ++j) {
                for (int i = 0; i < grid; ++i) {
                    const double x = (px + (i + 0.5) / grid) * unitsPerPixel;
                    const double y = (py + (j + 0.5) / grid) * unitsPerPixel;
                    const Sample s = draw(x, y);
                    r += s.colour.r * s.alpha;
                    g += s.colour.g * s.alpha;
                    b += s.colour.b * s.alpha;
                    a += s.alpha;
                }
            }
            Sample avg;
            if (a > 0)
                avg.colour = {r / a, g / a, b / a};
            avg.alpha = a / (grid * grid);
            out.pixels.push_back(avg);
        }
    }
    return out;
}

Raster drawPicture(Shape shape, int percent)
{
    const double fraction = percent / 100.0;
    constexpr int grid = 6;
    switch (shape) {
    case Shape::Flat: {
        const LyingTank t = lyingPicture(false, fraction);
        return render(kPictureWidth, kPictureHeight, grid, 1.0,
                      [&](double x, double y) { return drawLyingTank(t, kSteel, x, y); });
    }
    case Shape::Rounded: {
        const LyingTank t = lyingPicture(true, fraction);
        return render(kPictureWidth, kPictureHeight, grid, 1.0,
                      [&](double x, double y) { return drawLyingTank(t, kFiberglass, x, y); });
    }
    case Shape::Standing: {
        const StandingTank t = standingPicture(fraction);
        return render(kPictureWidth, kPictureHeight, grid, 1.0,
                      [&](double x, double y) { return drawStandingTank(t, kSteel, x, y); });
    }
    }
    return {};
}

// ---------------------------------------------------------------- palette

struct Indexed {
    std::vector<Byte3> palette;
    std::vector<std::uint8_t> index;  // one per pixel, rows top to bottom
};

int distance2(const Byte3& a, const Byte3& b)
{
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;  // rough weight for how the eye sees each
}

std::size_t nearest(const std::vector<Byte3>& palette, const Byte3& c)
{
    std::size_t best = 0;
    int bestD = distance2(palette[0], c);
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const int d = distance2(palette[i], c);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

// Median cut: split the box of colours with the widest spread at its
// weighted median until there are as many boxes as palette entries.
std::vector<Byte3> medianCut(const std::vector<Byte3>& pixels, std::size_t maxColours)
{
    std::map<Byte3, int> counts;  // ordered, so the result never depends on hashing
    for (const Byte3& p : pixels)
        ++counts[p];
    std::vector<std::pair<Byte3, int>> colours(counts.begin(), counts.end());
    if (colours.size() <= maxColours) {
        std::vector<Byte3> palette;
        for (const auto& [c, n] : colours)
            palette.push_back(c);
        return palette;
    }

    struct Box {
        std::size_t begin, end;
    };
    auto spread = [&](const Box& box, int channel) {
        int lo = 255, hi = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lo = std::min<int>(lo, colours[i].first[channel]);
            hi = std::max<int>(hi, colours[i].first[channel]);
        }
        return hi - lo;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < maxColours) {
        std::size_t pick = boxes.size();
        int pickChannel = 0, widest = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b)
            for (int ch = 0; ch < 3; ++ch)
                if (const int w = spread(boxes[b], ch); w > widest) {
                    widest = w;
                    pick = b;
                    pickChannel = ch;
                }
        if (pick == boxes.size())
            break;
        const Box box = boxes[pick];
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [&](const auto& a, const auto& b) {
            if (a.first[pickChannel] != b.first[pickChannel])
                return a.first[pickChannel] < b.first[pickChannel];
            return a.first < b.first;
        });
        long total = 0;
        for (auto it = first; it != last; ++it)
            total += it->second;
        long below = 0;
        std::size_t split = box.begin;
        while (split < box.end - 1 && 2 * (below + colours[split].second) <= total)
            below += colours[split++].second;
        split = std::clamp(split, box.begin + 1, box.end - 1);
        boxes[pick] = {box.begin, split};
        boxes.push_back({split, box.end});
    }

    std::vector<Byte3> palette;
    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            r += colours[i].first[0] * double(colours[i].second);
            g += colours[i].first[1] * double(colours[i].second);
            b += colours[i].first[2] * double(colours[i].second);
            n += colours[i].second;
        }
        palette.push_back({static_cast<std::uint8_t>(std::lround(r / n)), static_cast<std::uint8_t>(std::lround(g / n)),
                           static_cast<std::uint8_t>(std::lround(b / n))});
    }
    return palette;
}

// Dark to light, so the colour table reads sensibly in an editor.
void sortByBrightness(std::vector<Byte3>& palette)
{
    std::sort(palette.begin(), palette.end(), [](const Byte3& a, const Byte3& b) {
        const int la = 3 * a[0] + 6 * a[1] + a[2], lb = 3 * b[0] + 6 * b[1] + b[2];
        return la != lb ? la < lb : a < b;
    });
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
}

Indexed toIndexed(const Raster& raster)
{
    std::vector<Byte3> pixels;
    for (const Sample& s : raster.pixels)
        pixels.push_back({toByte(s.colour.r), toByte(s.colour.g), toByte(s.colour.b)});
    Indexed out;
    out.palette = medianCut(pixels, 256);
    sortByBrightness(out.palette);
    std::map<Byte3, std::uint8_t> cache;
    for (const Byte3& p : pixels) {
        auto it = cache.find(p);
        if (it == cache.end())
            it = cache.emplace(p, static_cast<std::uint8_t>(nearest(out.palette, p))).first;
        out.index.push_back(it->second);
    }
    return out;
}

// ---------------------------------------------------------------- writers

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t pixelsPerMetre, std::uint32_t coloursUsed)
{
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0);  // uncompressed
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, coloursUsed);
    put32(out, 0);
}

void putColourTable(std::vector<std::uint8_t>& out, const std::vector<Byte3>& palette, std::size_t entries)
{
    for (std::size_t i = 0; i < entries; ++i) {
        const Byte3 c = i < palette.size() ? palette[i] : Byte3{0, 0, 0};
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
}

bool writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        std::cerr << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

// 8-bit BMP with a full 256-entry colour table; rows stored bottom up.
std::vector<std::uint8_t> encodeBmp(const Indexed& image, int width, int height)
{
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) + 3) & ~3u;
    const std::uint32_t imageSize = rowBytes * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    putInfoHeader(out, width, height, 8, imageSize, 2835, 256);
    putColourTable(out, image.palette, 256);
    for (int y = height - 1; y >= 0; --y) {
        const auto row = image.index.begin() + static_cast<std::ptrdiff_t>(y) * width;
        out.insert(out.end(), row, row + width);
        out.resize(out.size() + (rowBytes - static_cast<std::uint32_t>(width)), 0);
    }
    return out;
}

// ---------------------------------------------------------------- icon

// The icon is a small fibreglass-style tank with rounded ends, part full,
// laid out on a 32 x 32 grid and scaled for the larger sizes.
constexpr double kIconUnits = 32;

LyingTank iconTank(double outline)
{
    LyingTank t;
    t.roundedEnds = true;
    t.cy = 15.5;
    t.ry = 6.8;
    t.endRx = 6;
    t.x0 = 2 + t.endRx;
    t.x1 = 30 - t.endRx;
    const double depth =
        depthForFraction(0.6, [&](double d) { return capsuleFraction(d, (t.x1 - t.x0) / t.endRx); });
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

// Colours for the 16-colour icon: plain greys and yellows snap cleanly onto
// the standard palette, where the steel blue and amber would not.
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

const std::vector<Byte3> kStandard16{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

Raster drawIcon(int size, const Scheme& scheme, double outlinePixels)
{
    const double unitsPerPixel = kIconUnits / size;
    const LyingTank t = iconTank(outlinePixels * unitsPerPixel);
    return render(size, size, 8, unitsPerPixel, [&](double x, double y) { return drawLyingTank(t, scheme, x, y); });
}

// 32 x 32, 4 bits per pixel, with the 1-bit mask after the colour bits.
std::vector<std::uint8_t> encodeIco(const Raster& icon)
{
    constexpr int size = 32;
    constexpr std::uint32_t xorBytes = size * size / 2, andBytes = size * size / 8;
    constexpr std::uint32_t resourceBytes = 40 + 16 * 4 + xorBytes + andBytes;
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, 1);  // one image
    out.insert(out.end(), {size, size, 16, 0});
    put16(out, 1);
    put16(out, 4);
    put32(out, resourceBytes);
    put32(out, 22);
    putInfoHeader(out, size, size * 2, 4, xorBytes + andBytes, 0, 0);
    putColourTable(out, kStandard16, 16);

    auto opaque = [&](int x, int y) { return icon.pixels[static_cast<std::size_t>(y) * size + x].alpha >= 0.5; };
    auto colourIndex = [&](int x, int y) -> std::uint8_t {
        if (!opaque(x, y))
            return 0;  // black under the mask leaves the screen as it is
        const Rgb c = icon.pixels[static_cast<std::size_t>(y) * size + x].colour;
        return static_cast<std::uint8_t>(nearest(kStandard16, {toByte(c.r), toByte(c.g), toByte(c.b)}));
    };
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; x += 2)
            out.push_back(static_cast<std::uint8_t>(colourIndex(x, y) << 4 | colourIndex(x + 1, y)));
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; x += 8) {
            std::uint8_t bits = 0;
            for (int b = 0; b < 8; ++b)
                if (!opaque(x + b, y))
                    bits |= static_cast<std::uint8_t>(0x80 >> b);
            out.push_back(bits);
        }
    return out;
}

bool writePng(const fs::path& path, const Raster& raster)
{
    QImage image(raster.width, raster.height, QImage::Format_ARGB32);
    for (int y = 0; y < raster.height; ++y)
        for (int x = 0; x < raster.width; ++x) {
            const Sample& s = raster.pixels[static_cast<std::size_t>(y) * raster.width + x];
            image.setPixel(x, y, qRgba(toByte(s.colour.r), toByte(s.colour.g), toByte(s.colour.b), toByte(s.alpha)));
        }
    if (!image.save(QString::fromStdString(path.string()), "PNG")) {
        std::cerr << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

std::string hex(Rgb c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", toByte(c.r), toByte(c.g), toByte(c.b));
    return buf;
}

std::string num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

// The same tank as the raster icons, with the shading done by gradients.
std::string iconSvg()
{
    const Scheme s = iconScheme();
    const LyingTank t = iconTank(0.9);
    const double top = t.cy - t.ry, bottom = t.cy + t.ry, left = t.x0 - t.endRx, right = t.x1 + t.endRx;
    auto stop = [&](double offset, Rgb base, const Finish& f) {
        return "<stop offset=\"" + num(offset) + "\" stop-color=\"" + hex(shade(base, lyingNormal(offset * 2 - 1), f))
               + "\"/>";
    };
    auto gradient = [&](const std::string& id, Rgb base, const Finish& f) {
        std::string g = "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\""
                        + num(top) + "\" x2=\"0\" y2=\"" + num(bottom) + "\">";
        for (double o : {0.0, 0.1, 0.2, 0.3, 0.45, 0.6, 0.75, 0.9, 1.0})
            g += stop(o, base, f);
        return g + "</linearGradient>\n";
    };
    const std::string stroke = "stroke=\"" + hex(s.outline) + "\" stroke-width=\"" + num(t.outline) + "\"";
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"128\" height=\"128\" viewBox=\"0 0 32 32\">\n";
    out += "<defs>\n";
    out += gradient("shell", s.shell, s.shellFinish);
    out += gradient("product", s.product, s.productFinish);
    out += "<clipPath id=\"body\"><rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" + num(right - left)
           + "\" height=\"" + num(bottom - top) + "\" rx=\"" + num(t.endRx) + "\" ry=\"" + num(t.ry) + "\"/></clipPath>\n";
    out += "</defs>\n";
    for (double sx : t.saddles) {
        const double w = t.saddleHalfWidth;
        out += "<path d=\"M" + num(sx - w * 0.7) + " " + num(t.cy) + "H" + num(sx + w * 0.7) + "V" + num(t.groundY - 1.5)
               + "H" + num(sx + w) + "V" + num(t.groundY) + "H" + num(sx - w) + "V" + num(t.groundY - 1.5) + "H"
               + num(sx - w * 0.7) + "Z\" fill=\"" + hex(s.support) + "\" " + stroke + " stroke-linejoin=\"round\"/>\n";
    }
    const double mTop = top - t.manwayHeight;
    out += "<rect x=\"" + num(t.manwayX - t.manwayHalfWidth) + "\" y=\"" + num(mTop) + "\" width=\""
           + num(2 * t.manwayHalfWidth) + "\" height=\"" + num(t.manwayHeight + 1) + "\" fill=\""
           + hex(shade(s.shell, standingNormal(-0.3), s.shellFinish)) + "\" " + stroke + "/>\n";
    out += "<ellipse cx=\"" + num(t.manwayX) + "\" cy=\"" + num(mTop) + "\" rx=\"" + num(t.manwayHalfWidth) + "\" ry=\""
           + num(t.manwayHalfWidth * 0.35) + "\" fill=\"" + hex(shade(s.shell, kUp, s.shellFinish)) + "\" " + stroke
           + "/>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" + num(right - left) + "\" height=\""
           + num(bottom - top) + "\" rx=\"" + num(t.endRx) + "\" ry=\"" + num(t.ry) + "\" fill=\"url(#shell)\"/>\n";
    out += "<g clip-path=\"url(#body)\">\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(t.level) + "\" width=\"" + num(right - left) + "\" height=\""
           + num(bottom - t.level) + "\" fill=\"url(#product)\"/>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(t.level - 0.66) + "\" width=\"" + num(right - left)
           + "\" height=\"0.66\" fill=\"" + hex(s.outline) + "\" fill-opacity=\"0.45\"/>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(t.level) + "\" width=\"" + num(right - left)
           + "\" height=\"1.2\" fill=\"" + hex(s.surface) + "\" fill-opacity=\"0.85\"/>\n";
    out += "</g>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" + num(right - left) + "\" height=\""
           + num(bottom - top) + "\" rx=\"" + num(t.endRx) + "\" ry=\"" + num(t.ry) + "\" fill=\"none\" " + stroke
           + "/>\n";
    out += "</svg>\n";
    return out;
}

// ---------------------------------------------------------------- output

bool writePictures(const fs::path& dir)
{
    const std::array<std::pair<Shape, char>, 3> shapes{
        {{Shape::Flat, 'f'}, {Shape::Rounded, 'c'}, {Shape::Standing, 'v'}}};
    for (const auto& [shape, prefix] : shapes)
        for (int percent : kPercents) {
            const Indexed image = toIndexed(drawPicture(shape, percent));
            const std::string name = std::string(1, prefix) + "tank" + std::to_string(percent) + ".bmp";
            if (!writeFile(dir / name, encodeBmp(image, kPictureWidth, kPictureHeight)))
                return false;
        }
    return true;
}

bool writeIcons(const fs::path& dir)
{
    if (!writeFile(dir / "gaugestar.ico", encodeIco(drawIcon(32, icon16Scheme(), 1.0))))
        return false;
    const std::array<std::pair<int, double>, 3> sizes{{{32, 1.0}, {48, 1.3}, {128, 2.6}}};
    for (const auto& [size, outline] : sizes) {
        const fs::path sub = dir / "icons" / std::to_string(size);
        fs::create_directories(sub);
        if (!writePng(sub / "gaugestar.png", drawIcon(size, iconScheme(), outline)))
            return false;
    }
    fs::create_directories(dir / "icons" / "scalable");
    const std::string svg = iconSvg();
    return writeFile(dir / "icons" / "scalable" / "gaugestar.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT_DIR\n";
        return 2;
    }
    const fs::path dir = argv[1];
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) {
        std::cerr << "cannot create " << dir << ": " << error.message() << '\n';
        return 1;
    }
    return writePictures(dir) && writeIcons(dir) ? 0 : 1;
}
