#pragma once

// Unit captions that size themselves to their text, growing to the right
// from their left edge, and those that keep the size they were given.

class QLabel;
class QString;

// Marks a label as sizing itself to its text from now on, and fits it.
void makeAutoSizing(QLabel* label);

// Sets a caption; an auto-sizing label then fits its new text.
void setCaption(QLabel* label, const QString& text);
