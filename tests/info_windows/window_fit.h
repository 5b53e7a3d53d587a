#pragma once

// A window laid out to fixed positions shows every text in full only if
// each control lies inside its container and each label's box holds its
// text in the font it was given.

#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace infowintest {

inline QStringList clippedControls(const QWidget* window)
{
    QStringList clipped;
    const auto controls = window->findChildren<QWidget*>();
    for (const QWidget* control : controls) {
        if (!control->isVisibleTo(window))
            continue;
        const QWidget* container = control->parentWidget();
        if (!container->rect().contains(control->geometry()))
            clipped << control->objectName() + " reaches outside " + container->objectName();
        const auto* label = qobject_cast<const QLabel*>(control);
        if (!label || label->text().isEmpty())
            continue;
        const QSize needed =
            label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width())) : label->sizeHint();
        if (needed.width() > label->width() || needed.height() > label->height())
            clipped << QStringLiteral("%1 needs %2x%3, has %4x%5")
                           .arg(label->objectName())
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(label->width())
                           .arg(label->height());
    }
    return clipped;
}

} // namespace infowintest
