#include "window_kit/font_substitutes.h"

#include <QStringList>

namespace windowkit {

namespace {

constexpr int kSansSerifSpacingPercent = 92;

void installFontSubstitutes()
{
    // Liberation Sans has Arial's metrics and is installed with the program.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), QStringList{QStringLiteral("Liberation Sans")});
}

} // namespace

QFont designFont(const QString& family, double points, bool bold)
{
    // Once for the process, before the first design font is made.
    [[maybe_unused]] static const bool substituted = (installFontSubstitutes(), true);
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    if (family == QLatin1String("MS Sans Serif"))
        font.setLetterSpacing(QFont::PercentageSpacing, kSansSerifSpacingPercent);
    return font;
}

} // namespace windowkit
