#include "info_windows/font_substitutes.h"

#include <QStringList>

namespace {
constexpr int kSansSerifSpacingPercent = 92;
}

void installFontSubstitutes()
{
    // Liberation Sans has Arial's metrics and is installed with the program.
    QFont::insertSubstitutions("MS Sans Serif", QStringList{"Liberation Sans", "Arial"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans"});
}

QFont designFont(const QString& family, double points, bool bold)
{
    installFontSubstitutes();
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    if (family == QLatin1String("MS Sans Serif"))
        font.setLetterSpacing(QFont::PercentageSpacing, kSansSerifSpacingPercent);
    return font;
}
