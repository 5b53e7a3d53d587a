#pragma once

// What an operator does with the controls, done through the real widgets,
// and how a test finds a control.

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

class Mainform;
class QComboBox;
class QMainWindow;

namespace testsupport {

class ScriptedDialogs;

// A new main window, shown, its dialogs answered by `dialogs` from the
// start; false when it never came on the screen.
[[nodiscard]] bool showMainWindow(std::unique_ptr<Mainform>& window, ScriptedDialogs*& dialogs);

// Deletes every top-level window left, so that the next test starts
// without any.
void deleteTopLevelWindows();

// Runs the application's own event loop until it ends by itself; one still
// running after `ms` is ended with 99.
int execWithin(int ms);

// The window's control of that objectName. One that is not there ends the
// run, naming it, rather than failing later on a null pointer.
template <typename T = QWidget>
T* control(const QObject* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Each of these fails the test and returns false when it could not do
// what it says: call it as QVERIFY(chooseEntry(...)).

// Opens the selector's list and clicks the entry, as an operator does.
[[nodiscard]] bool chooseEntry(QComboBox* selector, int index);
[[nodiscard]] bool chooseEntry(QComboBox* selector, const QString& text);

// Opens the menu from the menu bar and clicks the entry, as an operator
// does; both are named by their objectName. The entry must have been
// triggered.
[[nodiscard]] bool chooseMenuEntry(QMainWindow* window, const char* menuName, const char* entryName);

// Turns the mouse wheel over the middle of the control by `notches`
// (below 0: towards the operator).
void turnWheel(QWidget* control, int notches);

// Replaces a field's text by typing: select all, then type.
[[nodiscard]] bool typeInto(QWidget* field, const QString& text);

} // namespace testsupport
