#include "main_window/caption_label.h"

#include <QFontMetrics>
#include <QLabel>

namespace {
constexpr const char* kAutoSizeProperty = "autoSize";

void fitToText(QLabel* label)
{
    const QFontMetrics metrics(label->font());
    const int width = metrics.horizontalAdvance(label->text()) + 2;
    label->resize(width, std::max(label->height(), metrics.height()));
}
} // namespace

void makeAutoSizing(QLabel* label)
{
    label->setProperty(kAutoSizeProperty, true);
    fitToText(label);
}

void setCaption(QLabel* label, const QString& text)
{
    label->setText(text);
    if (label->property(kAutoSizeProperty).toBool())
        fitToText(label);
}
