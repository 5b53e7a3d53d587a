#pragma once

// The pictures shown beside the results: each tank shape at each fill step
// (core/name_tables.h).

#include "renderer.h"

#include "core/name_tables.h"

namespace tank_pictures {

constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 75;

Raster drawPicture(tank::Shape shape, int percent);

} // namespace tank_pictures
