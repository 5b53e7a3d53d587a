#include "main_window/selector_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace {

// The text field of an editable selector. The toolkit's selector takes
// Enter, or leaving the field, with a text that matches an entry as
// choosing that entry (and rewrites the text to the entry's case); here a
// typed text is only ever read, never chosen. The field does everything
// else a field does on those events, but says nothing of them.
class SelectorField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        const QSignalBlocker quiet(this);
        QLineEdit::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        const QSignalBlocker quiet(this);
        QLineEdit::focusOutEvent(event);
    }
};

} // namespace

SelectorBox::SelectorBox(Kind kind, QWidget* parent) : QComboBox(parent)
{
    if (kind == Kind::Editable) {
        setEditable(true);
        setLineEdit(new SelectorField(this));
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
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

#include "selector_box.moc"
