#include "support/gui_actions.h"

#include "main_window/main_form.h"
#include "support/helper_checks.h"
#include "support/scripted_dialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace testsupport {

void deleteTopLevelWindows()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (!window->parentWidget())
            delete window;
}

int execWithin(int ms)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(ms);
    return QApplication::exec();
}

bool showMainWindow(std::unique_ptr<Mainform>& window, ScriptedDialogs*& dialogs)
{
    window = std::make_unique<Mainform>();
    dialogs = &ScriptedDialogs::answering(*window);
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

void turnWheel(QWidget* control, int notches)
{
    QWidget* window = control->window();
    const QPoint inWindow = control->mapTo(window, control->rect().center());
    QWidget* target = window->childAt(inWindow);
    // The widget under the pointer first, then its parents while they
    // ignore the turn, as the toolkit passes on one from the platform: an
    // editable selector's field passes it to the selector.
    for (target = target ? target : window; target; target = target->parentWidget()) {
        const QPoint at = target->mapFrom(window, inWindow);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        if (wheel.isAccepted() || target->isWindow())
            break;
    }
}

bool chooseEntry(QComboBox* selector, int index)
{
    CHECK(selector);
    CHECK(index >= 0 && index < selector->count());
    selector->showPopup();
    QAbstractItemView* list = selector->view();
    CHECK(QTest::qWaitForWindowExposed(list->window()));
    const QModelIndex item = list->model()->index(index, selector->modelColumn(), list->rootIndex());
    list->scrollTo(item);
    const QPoint at = list->visualRect(item).center();
    // The list acts on the release of a click that began inside it.
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    CHECK(QTest::qWaitFor([list] { return !list->window()->isVisible(); }));
    return true;
}

bool chooseEntry(QComboBox* selector, const QString& text)
{
    CHECK(selector);
    const int index = selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    CHECK2(index >= 0, qPrintable("no entry " + text));
    return chooseEntry(selector, index);
}

bool chooseMenuEntry(QMainWindow* window, const char* menuName, const char* entryName)
{
    auto* menu = window->findChild<QMenu*>(menuName);
    auto* entry = window->findChild<QAction*>(entryName);
    CHECK2(menu && entry, entryName);
    QSignalSpy triggered(entry, &QAction::triggered);
    QMenuBar* bar = window->menuBar();
    const QPoint title = bar->actionGeometry(menu->menuAction()).center();
    // The pointer goes to the title before it clicks, as an operator's does.
    // A menu takes a press only where the pointer has moved away from where
    // it was when the menu opened (newer Qt closes the menu on any other
    // press), and Qt learns where the pointer is only from moves: a click
    // delivered to a widget moves nothing. Without this move the menu opens
    // with the pointer still where the last choice left it, so choosing the
    // same entry twice in a row would close the menu instead.
    QTest::mouseMove(bar, title);
    QTest::mouseClick(bar, Qt::LeftButton, {}, title);
    CHECK(QTest::qWaitForWindowExposed(menu));
    const QPoint at = menu->actionGeometry(entry).center();
    QTest::mouseMove(menu, at);
    QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    CHECK2(triggered.size() == 1,
           qPrintable(QString("%1 was triggered %2 times").arg(entryName).arg(triggered.size())));
    return true;
}

bool typeInto(QWidget* field, const QString& text)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (!edit)
        if (auto* combo = qobject_cast<QComboBox*>(field))
            edit = combo->lineEdit();
    CHECK(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    return true;
}

} // namespace testsupport
