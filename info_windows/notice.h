#pragma once

// The notice that the splash screen and the About window both carry.

#include <QString>

inline QString figuresNotice() { return QStringLiteral("Check every figure before you order fuel."); }
