#pragma once

// The program icon as a scalable picture, for desktops that prefer one.

#include <string>

namespace tank_pictures {

// The same tank as the raster icons, with the shading done by gradients.
std::string iconSvg();

} // namespace tank_pictures
