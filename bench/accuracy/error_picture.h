#pragma once

// The picture of TankVolume's error across the level, one 96 in tank of
// each shape, as a PNG file. Needs a QGuiApplication (for the fonts).

#include <QString>

namespace accuracy {

// False when the file cannot be written.
bool drawErrorPicture(const QString& path);

} // namespace accuracy
