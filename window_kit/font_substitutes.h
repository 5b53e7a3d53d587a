#pragma once

// The windows ask for the fonts they were designed with ("MS Sans Serif",
// "Arial"); on systems without them, metric-close ones stand in so every
// caption fits its box.

#include <QFont>

namespace windowkit {

// A font of the windows' design by its family and size. "MS Sans Serif"
// runs narrower than any sans serif font installed here, so its stand-in
// is set a little tighter to keep the captions' widths.
QFont designFont(const QString& family, double points, bool bold = false);

} // namespace windowkit
