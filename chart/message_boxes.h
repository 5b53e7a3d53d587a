#pragma once

// The program's message boxes: modal, no icon, the application's title as
// caption.

class QString;
class QWidget;

// A message with an OK button only; returns when the operator closes it.
void showAppMessage(QWidget* parent, const QString& text);

// A question with Yes and No, Yes the default; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);
