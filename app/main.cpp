#include "main_window/main_form.h"

#include "app_version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(appinfo::kTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(appinfo::kVersionText));

    Mainform window;
    window.show();
    return QApplication::exec();
}
