#pragma once

// A unit caption. One that sizes itself to its text grows to the right from
// its left edge whenever its text is set; the others keep the size they were
// given.

#include <QLabel>

class CaptionLabel final : public QLabel {
    Q_OBJECT
public:
    enum class Sizing { Fixed, ToText };

    CaptionLabel(const QString& text, Sizing sizing, QWidget* parent);

    // Sets the caption, and fits a label sized to its text to the new text.
    // It stands in for QLabel's, which callers reach through this type.
    void setText(const QString& text);
    // Fits a label sized to its text to it, keeping at least its height; the
    // window does so once it has placed the label.
    void fitToText();

private:
    Sizing sizing;
};
