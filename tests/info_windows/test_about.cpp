// The About window on its own: what it shows after loading, that its
// texts fit, and every way of closing it unloads it.

#include "info_windows/about_window.h"
#include "window_kit/app_identity.h"

#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/unexpected_warnings.h"
#include "window_fit.h"

#include <QtTest>

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <functional>

using CloseAction = std::function<void(frmAbout*)>;
Q_DECLARE_METATYPE(CloseAction)

namespace {

void pressKey(frmAbout* about, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == about ? target : about, key);
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init() { testsupport::failOnUnexpectedWarnings(); }

    void cleanup() { testsupport::deleteTopLevelWindows(); }

    void versionCaption_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("caption");
        QTest::newRow("this version") << GAUGESTAR_VERSION_MAJOR << GAUGESTAR_VERSION_MINOR << GAUGESTAR_VERSION_PATCH
                                      << testsupport::texts::version;
        QTest::newRow("no zero padding") << 2 << 0 << 0 << "Version 2.0.0";
        QTest::newRow("several digits") << 10 << 12 << 305 << "Version 10.12.305";
    }

    void versionCaption()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, caption);
        QCOMPARE(windowkit::versionCaption(major, minor, revision), caption);
    }

    void loadShowsTitleVersionAndFullTank()
    {
        frmAbout about;
        QCOMPARE(about.objectName(), QString("frmAbout"));
        QCOMPARE(about.windowTitle(), QString("About Gaugestar"));
        QCOMPARE(testsupport::control<QLabel>(&about, "lblTitle")->text(), QString("Gaugestar"));
        QCOMPARE(testsupport::control<QLabel>(&about, "lblVersion")->text(), testsupport::texts::version);
        QVERIFY(!about.isModal());

        const auto* picture = about.findChild<QLabel*>("Image2");
        QVERIFY(picture);
        const QImage expected = QPixmap(":/pictures/ctank100.bmp").toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(picture->pixmap().toImage(), expected);
        QVERIFY(picture->hasScaledContents());
    }

    void everyTextFits()
    {
        frmAbout about;
        const QStringList clipped = infowintest::clippedControls(&about);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
        // OK stands in front of the frame it overlaps.
        auto* ok = about.findChild<QPushButton*>("cmdOK");
        QVERIFY(ok);
        QCOMPARE(about.childAt(ok->geometry().center()), ok);
    }

    void closesAndUnloads_data()
    {
        QTest::addColumn<CloseAction>("close");
        QTest::newRow("OK clicked") << CloseAction(
            [](frmAbout* about) { QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); });
        QTest::newRow("Enter") << CloseAction([](frmAbout* about) { pressKey(about, Qt::Key_Enter); });
        QTest::newRow("Return") << CloseAction([](frmAbout* about) { pressKey(about, Qt::Key_Return); });
        QTest::newRow("Esc") << CloseAction([](frmAbout* about) { pressKey(about, Qt::Key_Escape); });
        QTest::newRow("close control") << CloseAction([](frmAbout* about) { about->windowHandle()->close(); });
    }

    void closesAndUnloads()
    {
        QFETCH(CloseAction, close);
        QPointer<frmAbout> about = new frmAbout;
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about));
        close(about);
        // Unloaded: nothing of it is left for the next opening.
        QTRY_VERIFY(about.isNull());
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
