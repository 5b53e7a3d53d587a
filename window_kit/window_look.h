#pragma once

// What the windows share in their look: the neutral menu-coloured
// background, the program's icon, the tank pictures and the first position.

#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

namespace windowkit {

// The window (or control) paints its background in the menu colour.
void useMenuBackground(QWidget* widget);

void useProgramIcon(QWidget* window);

// One of the tank pictures by name ("ctank75"); a null pixmap for a name
// there is none of.
QPixmap tankPixmap(const QString& name);

// A picture control showing one of the tank pictures, stretched to its area.
QLabel* tankPicture(const QString& name, QWidget* container);

// Moves a window that is not yet shown to the centre of the screen it will
// open on.
void centreOnScreen(QWidget* window);

} // namespace windowkit
