#include "image_files.h"

#include <QImage>

#include <cstddef>
#include <fstream>
#include <iostream>

namespace tank_pictures {

namespace fs = std::filesystem;

namespace {

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
    put32(out, 0); // uncompressed
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

// The 16 colours of the ICO colour table: the ones every screen can show.
const std::vector<Byte3> kStandard16{{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                     {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                     {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                     {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

} // namespace

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

std::vector<std::uint8_t> encodeIco(const Raster& icon)
{
    constexpr int size = 32;
    constexpr std::uint32_t xorBytes = size * size / 2, andBytes = size * size / 8;
    constexpr std::uint32_t resourceBytes = 40 + 16 * 4 + xorBytes + andBytes;
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, 1); // one image
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
            return 0; // black under the mask leaves the screen as it is
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

} // namespace tank_pictures
