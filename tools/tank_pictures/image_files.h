#pragma once

// The files the pictures and icons are kept in: 8-bit BMP, 16-colour ICO and
// PNG. BMP and ICO are written byte by byte; Qt writes the PNG.

#include "palette.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tank_pictures {

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// 8-bit BMP with a full 256-entry colour table; rows stored bottom up.
std::vector<std::uint8_t> encodeBmp(const Indexed& image, int width, int height);

// 32 x 32, 4 bits per pixel, with the 1-bit mask after the colour bits.
std::vector<std::uint8_t> encodeIco(const Raster& icon);

bool writePng(const std::filesystem::path& path, const Raster& raster);

} // namespace tank_pictures
