#pragma once

// The program's title and version as the information windows show them.
// The numbers come from the build's project version, written in one place.

#include <QString>

// "Version 2.5.3": plain decimal numbers, no leading zeros.
QString versionCaption(int major, int minor, int revision);

QString applicationVersionCaption();
QString applicationTitle();
