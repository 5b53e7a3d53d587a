// The splash window: its texts, that input cannot end it early, and the
// hand-over to the main window in the running event loop.

#include "info_windows/splash_window.h"

#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/unexpected_warnings.h"
#include "window_fit.h"

#include <QtTest>

#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

using SplashInput = std::function<void(frmSplash*)>;
Q_DECLARE_METATYPE(SplashInput)

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void init() { testsupport::failOnUnexpectedWarnings(); }

    void cleanup() { testsupport::deleteTopLevelWindows(); }

    void texts_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("product") << "lblProductName" << "Ombrix Gaugestar";
        QTest::newRow("for") << "Label1" << "For";
        QTest::newRow("platform") << "lblPlatform" << "Windows 95/98/NT";
        QTest::newRow("version") << "lblVersion" << testsupport::texts::version;
        // clang-format on
    }

    void texts()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        frmSplash splash;
        const auto* shown = splash.findChild<QLabel*>(label);
        QVERIFY(shown);
        QCOMPARE(shown->text(), text);
    }

    void logoIsTheThreeQuarterTank()
    {
        frmSplash splash;
        const auto* logo = splash.findChild<QLabel*>("imgLogo");
        QVERIFY(logo);
        const QImage expected = QPixmap(":/pictures/ctank75.bmp").toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(logo->pixmap().toImage(), expected);
    }

    void everyTextFits()
    {
        frmSplash splash;
        const QStringList clipped = infowintest::clippedControls(&splash);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
    }

    void inputDoesNothing_data()
    {
        QTest::addColumn<SplashInput>("input");
        const auto click = [](const char* name) {
            return SplashInput([name](frmSplash* splash) {
                QWidget* target = splash->findChild<QWidget*>(name);
                QTest::mouseClick(target, Qt::LeftButton);
            });
        };
        const auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
            return SplashInput(
                [pressed, modifiers](frmSplash* splash) { QTest::keyClick(splash, pressed, modifiers); });
        };
        QTest::newRow("click on the window") << click("clientArea");
        QTest::newRow("double click") << SplashInput(
            [](frmSplash* splash) { QTest::mouseDClick(splash->findChild<QWidget*>("lblVersion"), Qt::LeftButton); });
        QTest::newRow("Esc") << key(Qt::Key_Escape);
        QTest::newRow("Enter") << key(Qt::Key_Return);
        QTest::newRow("Alt+F4") << key(Qt::Key_F4, Qt::AltModifier);
        QTest::newRow("close request") << SplashInput([](frmSplash* splash) { splash->windowHandle()->close(); });
    }

    void inputDoesNothing()
    {
        QFETCH(SplashInput, input);
        QPointer<frmSplash> splash = new frmSplash;
        bool handedOver = false;
        connect(splash, &frmSplash::timeUp, this, [&handedOver] { handedOver = true; });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        input(splash);
        // Whatever the input would start has run once the queue is empty.
        QCoreApplication::processEvents();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QVERIFY(!handedOver);
        const auto* timer = splash->findChild<QTimer*>("Timer1");
        QVERIFY(timer && timer->isActive());
    }

    // The whole start of the program with a stand-in for the main window,
    // run in the application's own event loop. The stand-in opens a little
    // after the splash has gone, so no window at all is open for a moment:
    // the loop must live through that, and end only when the main window
    // (the last window) closes.
    void handsOverOnceAfterTwoSeconds()
    {
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QElapsedTimer clock;
        clock.start();
        QPointer<frmSplash> splash = new frmSplash;
        splash->show();
        // The wall clock below only bounds a slow machine; the time itself
        // is the timer's.
        const auto* timer = splash->findChild<QTimer*>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 2000);
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer); // a coarse one may open the window 5 % early

        int openings = 0;
        qint64 openedAt = -1;
        bool splashGoneFirst = false;
        std::unique_ptr<QWidget> mainWindow;
        connect(splash, &frmSplash::timeUp, this, [&] {
            ++openings;
            openedAt = clock.elapsed();
            splashGoneFirst = !splash->isVisible();
            QTimer::singleShot(200, this, [&mainWindow] {
                mainWindow = std::make_unique<QWidget>();
                mainWindow->show();
            });
        });

        bool loopRanWithMainWindow = false;
        QTimer closer;
        closer.setInterval(50);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (mainWindow && mainWindow->isVisible() && clock.elapsed() > openedAt + 800) {
                loopRanWithMainWindow = true;
                mainWindow->close();
            }
        });
        closer.start();
        const int status = testsupport::execWithin(20000);

        QCOMPARE(status, 0);
        QVERIFY2(loopRanWithMainWindow, "the event loop ended before the main window was open");
        QCOMPARE(openings, 1);
        QVERIFY(splashGoneFirst);
        QVERIFY2(openedAt >= 1990 && openedAt < 4000, qPrintable(QString::number(openedAt) + " ms"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash.isNull());
    }
};

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
