#pragma once

// What an operator does with the controls, done through the real widgets.

class QComboBox;
class QMainWindow;
class QString;
class QWidget;

namespace testsupport {

// Opens the selector's list and clicks the entry, as an operator does.
void chooseEntry(QComboBox* selector, int index);
void chooseEntry(QComboBox* selector, const QString& text);

// Opens the menu from the menu bar and clicks the entry, as an operator
// does; both are named by their objectName.
void chooseMenuEntry(QMainWindow* window, const char* menuName, const char* entryName);

// Turns the mouse wheel over the middle of the control by `notches`
// (below 0: towards the operator).
void turnWheel(QWidget* control, int notches);

// Replaces a field's text by typing: select all, then type.
void typeInto(QWidget* field, const QString& text);

} // namespace testsupport
