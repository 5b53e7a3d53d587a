#pragma once

// The pictures shown beside the results: three tank shapes, each at seven
// fill levels.

#include "renderer.h"

#include <array>

namespace tank_pictures {

constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 75;
constexpr std::array<int, 7> kPercents{0, 10, 25, 50, 75, 90, 100};

enum class Shape { Flat, Rounded, Standing };

Raster drawPicture(Shape shape, int percent);

} // namespace tank_pictures
