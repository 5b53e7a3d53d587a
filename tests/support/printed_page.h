#pragma once

// Looking at a printed page rendered to an image.

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>

namespace testsupport {

// The smallest rectangle holding everything that is not white paper.
inline QRect inkedArea(const QImage& page)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 245 || c.green() < 245 || c.blue() < 245) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace testsupport
