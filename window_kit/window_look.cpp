#include "window_kit/window_look.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>

namespace windowkit {

namespace {

// A picture or icon by its file name, under the prefix its library compiles
// them in with.
QString pictureFile(const QString& fileName) { return QStringLiteral(GAUGESTAR_PICTURES) + fileName; }

} // namespace

void useMenuBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void useProgramIcon(QWidget* window) { window->setWindowIcon(QIcon(pictureFile(QStringLiteral("gaugestar.ico")))); }

QPixmap tankPixmap(const QString& name) { return QPixmap(pictureFile(name + QStringLiteral(".bmp"))); }

QLabel* tankPicture(const QString& name, QWidget* container)
{
    auto* picture = new QLabel(container);
    picture->setPixmap(tankPixmap(name));
    picture->setScaledContents(true);
    picture->setProperty("picture", name);
    return picture;
}

void centreOnScreen(QWidget* window)
{
    const QWidget* owner = window->parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect placed(QPoint(), window->size());
    placed.moveCenter(screen->availableGeometry().center());
    window->move(placed.topLeft());
}

} // namespace windowkit
