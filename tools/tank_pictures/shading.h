#pragma once

// Colour, light and the colour schemes the tank drawings are painted with.

#include <array>
#include <cstdint>

namespace tank_pictures {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

Rgb mix(Rgb a, Rgb b, double t);

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

using Byte3 = std::array<std::uint8_t, 3>; // R, G, B

std::uint8_t toByte(double v);

struct Vec3 {
    double x, y, z;
};

Vec3 normalised(Vec3 v);

struct Finish {
    double ambient, diffuse, specular, shininess;
    double fill = 0.18; // soft light bounced up from the ground
};

Rgb shade(Rgb base, Vec3 n, const Finish& f);

// Normal of a cylinder lying along x, at height dy (-1 top .. 1 bottom) of its outline.
Vec3 lyingNormal(double dy);

// Normal of a cylinder standing along y, at dx (-1 left .. 1 right) of its outline.
Vec3 standingNormal(double dx);

Vec3 sphereNormal(double dx, double dy);

// Facing up and a little towards the viewer: roofs, caps and the product surface.
extern const Vec3 kUp;

struct Scheme {
    Rgb shell;
    Finish shellFinish;
    Rgb product;
    Finish productFinish;
    Rgb surface; // lit top of the product
    Rgb outline;
    Rgb support; // saddles, ladder, concrete
    Rgb concrete;
    bool background = true; // false: transparent, for icons
    Rgb backgroundTop, backgroundBottom;
    double shadow = 0; // strength of the soft shadow on the ground
};

inline constexpr Finish kSteelFinish{0.42, 0.72, 0.55, 18};
inline constexpr Finish kFiberglassFinish{0.48, 0.62, 0.30, 10};
inline constexpr Finish kProductFinish{0.62, 0.52, 0.40, 24, 0.22};

Scheme pictureScheme(Rgb shell, const Finish& finish);

} // namespace tank_pictures
