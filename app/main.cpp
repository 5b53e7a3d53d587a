#include "app/startup_trace.h"
#include "info_windows/splash_window.h"
#include "main_window/main_form.h"

#include "window_kit/app_identity.h"

#include <QApplication>
#include <QPointer>
#include <QSettings>

#include <memory>

namespace {

// The toolkit's file dialog keeps its history, last folder and look in the
// user's shared toolkit settings, and reads them back next time. The
// program stores nothing: those settings are pointed at a folder that can
// never exist (nothing can be made under a device file), so nothing is
// read from the user's settings and every write quietly fails.
void keepToolkitSettingsOut()
{
    const QString nowhere = QStringLiteral("/dev/null/gaugestar-stores-nothing");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, nowhere);
}

} // namespace

int main(int argc, char* argv[])
{
    keepToolkitSettingsOut();
    QApplication app(argc, argv);
    QApplication::setApplicationName(windowkit::applicationTitle());
    QApplication::setApplicationVersion(windowkit::applicationVersion());
    // Ties the windows to the installed desktop entry, for the task bar's
    // icon and name.
    QGuiApplication::setDesktopFileName(windowkit::desktopEntryName());

    std::unique_ptr<Mainform> window;
    // The splash deletes itself when its time is up; it is deleted here only
    // if the event loop ends before that.
    QPointer<frmSplash> splash = new frmSplash;
    traceFirstPaint(splash, "splash-painted");
    QObject::connect(splash, &frmSplash::timeUp, [&window, splash] {
        traceMoment("timer");
        window = std::make_unique<Mainform>();
        window->setSplashWindow(splash.data());
        traceFirstPaint(window.get(), "main-painted");
        window->show();
        traceMoment("main-shown");
    });
    splash->show();

    const int status = QApplication::exec();
    delete splash;
    return status;
}
