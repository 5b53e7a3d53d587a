#include "app/startup_trace.h"
#include "info_windows/splash_window.h"
#include "main_window/main_form.h"

#include "app_version.h"

#include <QApplication>
#include <QPointer>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(appinfo::kTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(appinfo::kVersionText));
    // Ties the windows to the installed desktop entry, for the task bar's
    // icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.ombrix.Gaugestar"));

    std::unique_ptr<Mainform> window;
    // The splash deletes itself when its time is up; it is deleted here only
    // if the event loop ends before that.
    QPointer<frmSplash> splash = new frmSplash;
    traceFirstPaint(splash, "splash-painted");
    QObject::connect(splash, &frmSplash::timeUp, [&window] {
        traceMoment("timer");
        window = std::make_unique<Mainform>();
        traceFirstPaint(window.get(), "main-painted");
        window->show();
        traceMoment("main-shown");
    });
    splash->show();

    const int status = QApplication::exec();
    delete splash;
    return status;
}
