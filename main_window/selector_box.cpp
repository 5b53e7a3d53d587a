#include "main_window/selector_box.h"

#include <QLineEdit>
#include <QWheelEvent>

SelectorBox::SelectorBox(Kind kind, QWidget* parent) : QComboBox(parent)
{
    if (kind == Kind::Editable) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
        // The toolkit treats Enter or leaving the field with a text that
        // matches an entry as choosing it (and rewrites the text to the
        // entry's case). Here a typed text is only ever read, never chosen.
        disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
        disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
    }
    connect(this, &QComboBox::activated, this, &SelectorBox::entryChosen);
}

void SelectorBox::selectEntry(int index)
{
    setCurrentIndex(index);
    emit entryChosen();
}

void SelectorBox::showText(const QString& text)
{
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(text);
}

void SelectorBox::wheelEvent(QWheelEvent* event)
{
    // The toolkit would step to the next entry and report it as chosen: a
    // hand scrolling past the window would convert the values shown. Left
    // to the window below; an open list gets its wheel turns itself.
    event->ignore();
}
