#pragma once

// The program's title and version, written in one place (the build's
// project version), for every window, the printouts and the application.

#include <QString>

namespace windowkit {

// The installed desktop entry's name, less ".desktop".
QString desktopEntryName();

// "Gaugestar": the caption of every message box, the About window's title.
QString applicationTitle();

// The project's version, "MAJOR.MINOR.PATCH" (CMakeLists.txt).
QString applicationVersion();

// "Version MAJOR.MINOR.PATCH": plain decimal numbers, no leading zeros.
QString versionCaption(int major, int minor, int revision);
QString applicationVersionCaption();

} // namespace windowkit
