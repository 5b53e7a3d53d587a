#include "main_window/caption_label.h"

#include <QFontMetrics>

#include <algorithm>

CaptionLabel::CaptionLabel(const QString& text, Sizing sizing, QWidget* parent) : QLabel(text, parent), sizing(sizing)
{
}

void CaptionLabel::setText(const QString& text)
{
    QLabel::setText(text);
    fitToText();
}

void CaptionLabel::fitToText()
{
    if (sizing != Sizing::ToText)
        return;
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text()) + 2;
    resize(width, std::max(height(), metrics.height()));
}
