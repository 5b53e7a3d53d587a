#include "window_kit/app_identity.h"

#include "app_version.h"

namespace windowkit {

QString desktopEntryName() { return QString::fromUtf8(appinfo::kDesktopEntryName); }

QString applicationTitle() { return QString::fromUtf8(appinfo::kTitle); }

QString applicationVersion() { return QString::fromUtf8(appinfo::kVersionText); }

QString versionCaption(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString applicationVersionCaption()
{
    return versionCaption(appinfo::kVersionMajor, appinfo::kVersionMinor, appinfo::kVersionRevision);
}

} // namespace windowkit
