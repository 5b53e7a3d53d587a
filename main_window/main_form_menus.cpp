#include "main_window/main_form.h"

#include "main_window/window_image_printer.h"

#include "info_windows/about_window.h"
#include "window_kit/operator_dialogs.h"

#include <QImage>
#include <QMenuBar>

namespace {

// Everything the window shows below its menu bar: the controls and the
// status bar, as they look at this moment.
QImage clientAreaImage(QMainWindow& window)
{
    int top = 0;
    if (const QWidget* menu = window.menuWidget(); menu && menu->isVisible())
        top = menu->geometry().bottom() + 1;
    return window.grab(QRect(0, top, window.width(), window.height() - top)).toImage();
}

} // namespace

void Mainform::mnuPrint_Click()
{
    if (!windowImagePrinter->print(clientAreaImage(*this), logicalDpiX()))
        tell(windowkit::printingProblemMessage());
}

void Mainform::mnuAbout_Click()
{
    // A closed About window is on its way out (it deletes itself): a new
    // opening loads a fresh one.
    if (!aboutWindow || !aboutWindow->isVisible())
        aboutWindow = new frmAbout(this);
    aboutWindow->show();
    aboutWindow->raise();
    aboutWindow->activateWindow();
}
