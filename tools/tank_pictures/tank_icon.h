#pragma once

// The program icon, drawn at any size from one layout.

#include "renderer.h"
#include "tank_drawings.h"

namespace tank_pictures {

// The icon's tank, in units of its 32 x 32 grid; outline in the same units.
LyingTank iconTank(double outline);

Scheme iconScheme();

// Colours for the 16-colour icon: plain greys and yellows snap cleanly onto
// the standard palette, where the steel blue and amber would not.
Scheme icon16Scheme();

Raster drawIcon(int size, const Scheme& scheme, double outlinePixels);

} // namespace tank_pictures
