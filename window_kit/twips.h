#pragma once

// Positions and sizes of every window are given in twips (1/1440 inch);
// 15 twips make one pixel at 96 dots per inch.

#include <QRect>
#include <QWidget>

namespace windowkit {

constexpr int px(int twips) { return twips / 15; }

// A control's place and size, in twips from its container's top-left corner.
struct Twips {
    int left, top, width, height;
};

constexpr QRect pixels(Twips at) { return {px(at.left), px(at.top), px(at.width), px(at.height)}; }

inline void placeTwips(QWidget* control, Twips at) { control->setGeometry(pixels(at)); }

} // namespace windowkit
