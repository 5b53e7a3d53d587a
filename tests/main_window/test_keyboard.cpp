// One full round of work without a mouse: enter a tank, calculate, switch a
// unit and save a chart, by keys alone (the chart's dialogs answered through
// the program's dialogs seam).

#include "main_window/main_form.h"

#include "support/app_texts.h"
#include "support/helper_checks.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::ScriptedDialogs;
namespace texts = testsupport::texts;

namespace {

// Keys go where the operator's keystrokes go: to the focused widget.
[[nodiscard]] bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::focusWidget();
    if (QWidget* popup = QApplication::activePopupWidget())
        target = popup->focusWidget() ? popup->focusWidget() : popup;
    CHECK(target);
    QTest::keyClick(target, key, modifiers);
    return true;
}

[[nodiscard]] bool type(const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    CHECK(target);
    QTest::keyClicks(target, text);
    return true;
}

QString focusedName()
{
    QWidget* focused = QApplication::focusWidget();
    // An editable selector's text box has the focus on its selector's behalf.
    if (focused && !focused->objectName().startsWith("cbo") && focused->parentWidget() &&
        focused->parentWidget()->objectName().startsWith("cbo"))
        focused = focused->parentWidget();
    return focused ? focused->objectName() : QString();
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void init() { testsupport::failOnUnexpectedWarnings(); }

    void tabOrder()
    {
        Mainform form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList visited{focusedName()};
        for (int i = 0; i < 12; ++i) {
            QVERIFY(press(Qt::Key_Tab));
            visited << focusedName();
        }
        QCOMPARE(visited, QStringList({"cboTankShape", "txtTankDiameter", "txtTankLength", "cboProductType",
                                       "txtProductLevel", "txtProductTemp", "cboLengthUnits", "cboVolumeUnits",
                                       "cboTempUnits", "Command1", "txtCe", "txtNetVolume", "cboTankShape"}));
    }

    void fullRoundByKeys()
    {
        QTemporaryDir folder;
        const QString chartPath = folder.filePath("keyboard-chart.txt");
        Mainform form;
        // From the first key on: a dialog that comes unasked fails the test.
        ScriptedDialogs& dialogs = ScriptedDialogs::answering(form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* picture = form.findChild<QLabel*>("imgTank");

        // The shape selector takes the arrow keys: down to the upright
        // tank and back up to the flat-ended one.
        QCOMPARE(focusedName(), QString("cboTankShape"));
        QVERIFY(press(Qt::Key_Down));
        QVERIFY(press(Qt::Key_Down));
        QCOMPARE(picture->property("picture").toString(), QString("vtank0"));
        QVERIFY(press(Qt::Key_Up));
        QVERIFY(press(Qt::Key_Up));
        QCOMPARE(picture->property("picture").toString(), QString("ftank0"));

        // Diameter 12, length 24, level 6 inches.
        QVERIFY(press(Qt::Key_Tab));
        QVERIFY(press(Qt::Key_A, Qt::ControlModifier));
        QVERIFY(type("12"));
        QVERIFY(press(Qt::Key_Tab));
        QVERIFY(press(Qt::Key_A, Qt::ControlModifier));
        QVERIFY(type("24"));
        QVERIFY(press(Qt::Key_Tab));
        QVERIFY(press(Qt::Key_Tab));
        QVERIFY(press(Qt::Key_A, Qt::ControlModifier));
        QVERIFY(type("6"));
        for (int i = 0; i < 5; ++i)
            QVERIFY(press(Qt::Key_Tab));
        QCOMPARE(focusedName(), QString("Command1"));
        QVERIFY(press(Qt::Key_Return));
        auto* gross = form.findChild<QLineEdit*>("txtGrossVolume");
        QCOMPARE(form.findChild<QLineEdit*>("txtTankCapacity")->text(), QString("11.75"));
        QCOMPARE(gross->text(), QString("5.88"));
        QCOMPARE(picture->property("picture").toString(), QString("ftank50"));

        // Back to the volume units, open the list and choose litres.
        QVERIFY(press(Qt::Key_Backtab));
        QVERIFY(press(Qt::Key_Backtab));
        QCOMPARE(focusedName(), QString("cboVolumeUnits"));
        QVERIFY(press(Qt::Key_Down, Qt::AltModifier));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QAbstractItemView* list = form.findChild<QComboBox*>("cboVolumeUnits")->view();
        for (int i = 0; i < 4 && list->currentIndex().row() != 1; ++i)
            QVERIFY(press(Qt::Key_Down));
        QCOMPARE(list->currentIndex().data().toString(), QString("litres"));
        QVERIFY(press(Qt::Key_Return));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(form.property("NewVolumeUnits").toString(), QString("litres"));
        QCOMPARE(gross->text(), QString("22.26"));
        QCOMPARE(form.findChild<QLabel*>("lblVolumes_1")->text(), QString("litres"));

        // Utilities, Tank Chart Generator, through the access keys.
        dialogs.expectMessage(texts::chartNotice);
        dialogs.expectInput(texts::incrementPrompt, "3");
        dialogs.expectFile(chartPath);
        dialogs.expectQuestion(texts::printQuestion, QMessageBox::No);
        QVERIFY(press(Qt::Key_U, Qt::AltModifier));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QVERIFY(press(Qt::Key_T));
        QTRY_COMPARE(dialogs.pending(), 0);

        QFile chart(chartPath);
        QVERIFY(chart.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = chart.readAll().split('\n');
        QCOMPARE(lines.size(), 4); // header, two lines, nothing after the last line end
        QCOMPARE(lines[1], QByteArray("  0.00 -   6.00     0.00,     0.00    3.00,     8.70    6.00,    22.24  \r"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
