// The File and Help menus through the real menu bar: Print Screen on a
// machine without a printer and into a PDF file, the About window, and Exit.

#include "main_window/main_form.h"
#include "main_window/window_image_printer.h"
#include "support/pdf_printers.h"

#include "info_windows/about_window.h"
#include "info_windows/splash_window.h"
#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/printed_page.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QtTest>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

using testsupport::ScriptedDialogs;

namespace texts = testsupport::texts;
using testsupport::chooseMenuEntry;
using testsupport::inkedArea;

namespace {

QList<frmAbout*> openAboutWindows()
{
    QList<frmAbout*> open;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (auto* about = qobject_cast<frmAbout*>(window); about && about->isVisible())
            open << about;
    return open;
}

// What the window shows below its menu bar, as the operator sees it now.
QImage clientArea(QMainWindow* window)
{
    const int top = window->menuBar()->height();
    return window->grab(QRect(0, top, window->width(), window->height() - top)).toImage();
}

// The texts of every field: what Print Screen must leave as it was.
QStringList fieldTexts(const QWidget* window)
{
    QStringList texts;
    const auto fields = window->findChildren<QLineEdit*>();
    for (const QLineEdit* field : fields)
        texts << field->objectName() + "=" + field->text();
    return texts;
}

double meanDifference(const QImage& a, const QImage& b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32).scaled(first.size());
    double total = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y), q = second.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * first.width() * first.height());
}

// Notes each window that is asked to close, by name, in order.
class CloseRecorder : public QObject {
public:
    explicit CloseRecorder(QStringList& closed) : closed(closed) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }

private:
    QStringList& closed;
};

} // namespace

class TestMenus : public QObject {
    Q_OBJECT

    QPointer<Mainform> form;
    ScriptedDialogs* dialogs = nullptr;

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        form = new Mainform;
        dialogs = &ScriptedDialogs::answering(*form);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }

    void cleanup()
    {
        delete form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        testsupport::deleteTopLevelWindows();
    }

    void aboutOpensOneWindow()
    {
        QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        QTRY_COMPARE(openAboutWindows().size(), 1);
        frmAbout* first = openAboutWindows().first();
        QCOMPARE(testsupport::control<QLabel>(first, "lblTitle")->text(), QString("Gaugestar"));
        QCOMPARE(testsupport::control<QLabel>(first, "lblVersion")->text(), texts::version);

        // Choosing it again brings the same window to the front.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(first));
        QCOMPARE(openAboutWindows(), QList<frmAbout*>{first});
    }

    void aboutReopensAfterClose_data()
    {
        QTest::addColumn<bool>("reopenAtOnce");
        QTest::newRow("reopened after it is gone") << false;
        // The closed window deletes itself a moment later; reopening in that
        // moment must not bring back the window that is about to go.
        QTest::newRow("reopened before the old one is deleted") << true;
    }

    void aboutReopensAfterClose()
    {
        QFETCH(bool, reopenAtOnce);
        QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        QTRY_COMPARE(openAboutWindows().size(), 1);
        QPointer<frmAbout> first = openAboutWindows().first();
        QTest::mouseClick(first->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(!first->isVisible());
        if (reopenAtOnce) {
            form->mnuAbout_Click();
        } else {
            QTRY_VERIFY(first.isNull());
            QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        }
        QTRY_VERIFY(first.isNull());
        QTRY_COMPARE(openAboutWindows().size(), 1);
        const frmAbout* second = openAboutWindows().first();
        QCOMPARE(testsupport::control<QLabel>(second, "lblTitle")->text(), QString("Gaugestar"));
        QCOMPARE(testsupport::control<QLabel>(second, "lblVersion")->text(), texts::version);
    }

    void mainWindowWorksWhileAboutIsOpen()
    {
        QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        QTRY_COMPARE(openAboutWindows().size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QGuiApplication::modalWindow());

        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QVERIFY(testsupport::typeInto(form->findChild<QLineEdit*>("txtTankDiameter"), "120"));
        QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(form->findChild<QLineEdit*>("txtTankCapacity")->text() != "10,000");
        QCOMPARE(openAboutWindows().size(), 1);
    }

    void printFailureIsReportedOnce_data()
    {
        QTest::addColumn<bool>("useDefaultPrinter");
        QTest::newRow("no default printer") << true;
        QTest::newRow("file that cannot be written") << false;
    }

    void printFailureIsReportedOnce()
    {
        QFETCH(bool, useDefaultPrinter);
        QTemporaryDir dir;
        if (useDefaultPrinter) {
            if (!QPrinterInfo::defaultPrinter().isNull())
                QSKIP("this machine has a default printer");
        } else {
            form->setWindowImagePrinter(std::make_unique<PdfFileImagePrinter>(dir.filePath("no/such/folder.pdf")));
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        }
        // The controls only: the status bar's clock moves on by itself.
        const QImage before = form->centralWidget()->grab().toImage();
        const QStringList textsBefore = fieldTexts(form);

        dialogs->expectMessage(texts::printProblem);
        QVERIFY(chooseMenuEntry(form, "mnuFile", "mnuPrint"));
        VERIFY_DIALOGS(*dialogs);
        QVERIFY(form->isVisible());
        QCOMPARE(fieldTexts(form), textsBefore);
        QCOMPARE(form->centralWidget()->grab().toImage(), before);
    }

    void printsTheWindowOnOnePage()
    {
        const QString renderer = QStandardPaths::findExecutable("pdftoppm");
        if (renderer.isEmpty())
            QFAIL("pdftoppm is not installed: install poppler-utils");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = dir.filePath("window.pdf");
        form->setWindowImagePrinter(std::make_unique<PdfFileImagePrinter>(pdf));

        QVERIFY(chooseMenuEntry(form, "mnuFile", "mnuPrint"));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        const QImage shown = clientArea(form);

        // Rendered at the screen's resolution, the page shows the window at
        // the size it has on the screen.
        const int dpi = form->logicalDpiX();
        QProcess render;
        render.start(renderer, {"-r", QString::number(dpi), "-png", pdf, dir.filePath("page")});
        QVERIFY(render.waitForFinished(30000));
        QCOMPARE(render.exitCode(), 0);
        const QStringList pages = QDir(dir.path()).entryList({"page*.png"});
        QCOMPARE(pages.size(), 1);
        const QImage page(dir.filePath(pages.first()));
        QVERIFY(!page.isNull());

        const QRect picture = inkedArea(page);
        QVERIFY2(std::abs(picture.width() - shown.width()) <= 2 && std::abs(picture.height() - shown.height()) <= 2,
                 qPrintable(QString("printed %1x%2, shown %3x%4")
                                .arg(picture.width())
                                .arg(picture.height())
                                .arg(shown.width())
                                .arg(shown.height())));
        const double difference = meanDifference(shown, page.copy(picture));
        QVERIFY2(difference < 8, qPrintable(QString("mean difference %1").arg(difference)));
    }

    void printedImagePlacement_data()
    {
        QTest::addColumn<QSizeF>("onScreen");
        QTest::addColumn<double>("screenDpi");
        QTest::addColumn<double>("deviceDpi");
        QTest::addColumn<QSizeF>("printable");
        QTest::addColumn<QSizeF>("printed");
        const QSizeF letter(8 * 600, 10.5 * 600);
        const QSizeF window(475, 432);
        const QSizeF square(1000, 1000);
        const double nan = std::nan("");
        QTest::newRow("screen size at 600 dpi") << window << 96.0 << 600.0 << letter << QSizeF(2968.75, 2700);
        QTest::newRow("same resolution") << window << 96.0 << 96.0 << QSizeF(768, 1008) << window;
        QTest::newRow("finer screen prints smaller") << window << 192.0 << 600.0 << letter << QSizeF(1484.375, 1350);
        QTest::newRow("too wide, shrunk in proportion")
            << QSizeF(2000, 400) << 96.0 << 96.0 << square << QSizeF(1000, 200);
        QTest::newRow("too tall, shrunk in proportion")
            << QSizeF(300, 3000) << 96.0 << 96.0 << square << QSizeF(100, 1000);
        QTest::newRow("empty image") << QSizeF(0, 0) << 96.0 << 600.0 << letter << QSizeF();
        QTest::newRow("no screen resolution") << window << 0.0 << 600.0 << letter << QSizeF();
        QTest::newRow("screen resolution not a number") << window << nan << 600.0 << letter << QSizeF();
    }

    void printedImagePlacement()
    {
        QFETCH(QSizeF, onScreen);
        QFETCH(double, screenDpi);
        QFETCH(double, deviceDpi);
        QFETCH(QSizeF, printable);
        QFETCH(QSizeF, printed);
        const QRectF placed = printedImageRect(onScreen, screenDpi, deviceDpi, printable);
        if (printed.isEmpty()) {
            QVERIFY(placed.isEmpty());
            return;
        }
        QCOMPARE(placed.topLeft(), QPointF(0, 0));
        QCOMPARE(placed.size(), printed);
    }

    // The whole close sequence in the application's own event loop: Exit
    // closes the About window with the main window, and with no window left
    // the loop ends by itself.
    void exitWithAboutOpenEndsTheEventLoop()
    {
        QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        QTRY_COMPARE(openAboutWindows().size(), 1);
        QPointer<frmAbout> about = openAboutWindows().first();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));

        QTimer::singleShot(0, form, [this] { QVERIFY(chooseMenuEntry(form, "mnuFile", "mnuExit")); });
        const int status = testsupport::execWithin(20000);

        QCOMPARE(status, 0);
        QVERIFY(form);
        QVERIFY(!form->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
        const auto windows = QApplication::topLevelWidgets();
        for (const QWidget* window : windows)
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + " is still open"));
    }

    // Closing unloads the About window, the picture store and the splash
    // window, in that order.
    void closeUnloadsTheOtherWindowsInOrder()
    {
        QStringList unloaded;
        auto* splash = new frmSplash;
        form->setSplashWindow(splash);
        QVERIFY(chooseMenuEntry(form, "mnuHelp", "mnuAbout"));
        QTRY_COMPARE(openAboutWindows().size(), 1);
        QObject* store = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "frmImages")
                store = window;
        QVERIFY(store);
        connect(store, &QObject::destroyed, this, [&unloaded] { unloaded << "frmImages"; });
        CloseRecorder recorder(unloaded);
        openAboutWindows().first()->installEventFilter(&recorder);
        splash->installEventFilter(&recorder);
        form->close();
        QCOMPARE(unloaded, (QStringList{"frmAbout", "frmImages", "frmSplash"}));
    }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
