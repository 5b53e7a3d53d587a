#pragma once

// Reduces a drawn picture to the 256 colours an 8-bit bitmap can hold.

#include "renderer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tank_pictures {

struct Indexed {
    std::vector<Byte3> palette;
    std::vector<std::uint8_t> index; // one per pixel, rows top to bottom
};

// The palette entry closest to c, weighted for how the eye sees each channel.
std::size_t nearest(const std::vector<Byte3>& palette, const Byte3& c);

Indexed toIndexed(const Raster& raster);

} // namespace tank_pictures
