#pragma once

// What the splash and About windows share: positions given in twips, the
// neutral menu-coloured background, the program's icon and the pictures.

#include <QString>

class QLabel;
class QWidget;

namespace infowin {

// 15 twips are one pixel at 96 dots per inch.
constexpr int px(int twips)
{
    return twips / 15;
}

// The window (or control) paints its background in the menu colour.
void useMenuBackground(QWidget* widget);

void useProgramIcon(QWidget* window);

// A picture control showing one of the tank pictures, stretched to its area.
QLabel* tankPicture(const QString& name, QWidget* container);

// Moves a window that is not yet shown to the centre of the screen it will
// open on.
void centreOnScreen(QWidget* window);

} // namespace infowin
