#pragma once

// What an operator does with the controls, done through the real widgets.

class QComboBox;
class QString;
class QWidget;

namespace testsupport {

// Opens the selector's list and clicks the entry, as an operator does.
void chooseEntry(QComboBox* selector, int index);
void chooseEntry(QComboBox* selector, const QString& text);

// Replaces a field's text by typing: select all, then type.
void typeInto(QWidget* field, const QString& text);

} // namespace testsupport
