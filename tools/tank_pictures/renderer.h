#pragma once

// Turns a drawing, given as the colour at any point, into pixels.

#include "shading.h"

#include <cstddef>
#include <vector>

namespace tank_pictures {

struct Raster {
    int width = 0, height = 0;
    std::vector<Sample> pixels; // rows top to bottom
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

} // namespace tank_pictures
