#include "shading.h"

#include <algorithm>
#include <cmath>

namespace tank_pictures {

namespace {

Rgb scaled(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Key light from the upper left, in front of the picture; y grows downwards.
const Vec3 kLight = normalised({-0.45, -0.8, 0.6});
const Vec3 kHalfway = normalised({kLight.x, kLight.y, kLight.z + 1.0});
const Vec3 kFillLight = normalised({0.3, 0.7, 0.6});

} // namespace

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

std::uint8_t toByte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

Vec3 normalised(Vec3 v)
{
    const double len = std::sqrt(dot(v, v));
    return {v.x / len, v.y / len, v.z / len};
}

Rgb shade(Rgb base, Vec3 n, const Finish& f)
{
    const double light =
        f.ambient + f.diffuse * std::max(0.0, dot(n, kLight)) + f.fill * std::max(0.0, dot(n, kFillLight));
    const double gloss = f.specular * std::pow(std::max(0.0, dot(n, kHalfway)), f.shininess);
    return mix(scaled(base, light), rgb(255, 255, 255), std::min(gloss, 1.0));
}

Vec3 lyingNormal(double dy)
{
    dy = std::clamp(dy, -1.0, 1.0);
    return {0, dy, std::sqrt(1 - dy * dy)};
}

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

} // namespace tank_pictures
