// Draws the tank pictures shown beside the results, and the program icon.
//
//   draw_tank_pictures OUTPUT_DIR
//
// writes a picture for each shape and fill step (ftank50.bmp …), gaugestar.ico and the hicolor
// icons (icons/{32,48,128}/gaugestar.png, icons/scalable/gaugestar.svg).
// Everything is drawn from plain geometry, sampled on a fine grid for smooth
// edges, so the same source always gives the same bytes.

#include "icon_svg.h"
#include "image_files.h"
#include "palette.h"
#include "picture_set.h"
#include "tank_icon.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace tank_pictures {

namespace {

bool writePictures(const fs::path& dir)
{
    for (const tank::ShapeName& shape : tank::kShapes)
        for (const tank::FillStep& step : tank::kFillSteps) {
            const Indexed image = toIndexed(drawPicture(shape.shape, step.percent));
            const std::string name = tank::pictureName(shape, step) + ".bmp";
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
        // A folder that cannot be made shows as the failed write below.
        std::error_code ignored;
        fs::create_directories(sub, ignored);
        if (!writePng(sub / "gaugestar.png", drawIcon(size, iconScheme(), outline)))
            return false;
    }
    std::error_code ignored;
    fs::create_directories(dir / "icons" / "scalable", ignored);
    const std::string svg = iconSvg();
    return writeFile(dir / "icons" / "scalable" / "gaugestar.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()));
}

} // namespace

} // namespace tank_pictures

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
    return tank_pictures::writePictures(dir) && tank_pictures::writeIcons(dir) ? 0 : 1;
}
