#pragma once

// A drop-down selector that runs its handler only when the operator picks
// an entry from the list (mouse or arrow keys), even the entry already
// shown. Typing into an editable one never runs a handler, never completes
// the text and never adds an entry; its handlers read the text shown. A
// wheel turn over the closed selector chooses nothing either.

#include <QComboBox>

class SelectorBox : public QComboBox {
    Q_OBJECT
public:
    enum class Kind { FixedList, Editable };

    explicit SelectorBox(Kind kind, QWidget* parent = nullptr);

    // Selects an entry as an operator's choice would, running the handler.
    void selectEntry(int index);
    // Shows a text with no entry selected.
    void showText(const QString& text);

signals:
    void entryChosen();

protected:
    void wheelEvent(QWheelEvent* event) override;
};
