#include "main_window/status_clock.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace {
constexpr int kMinimumPanelWidth = 96; // one inch at 96 dots per inch

QLabel* makePanel(const QString& name, QWidget* parent)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMinimumWidth(kMinimumPanelWidth);
    return panel;
}
} // namespace

StatusClock::StatusClock(QWidget* parent)
    : QWidget(parent), datePanel(makePanel(QStringLiteral("sbDatePanel"), this)),
      timePanel(makePanel(QStringLiteral("sbTimePanel"), this)), ticker(new QTimer(this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(datePanel);
    row->addWidget(timePanel);

    ticker->setInterval(1000);
    connect(ticker, &QTimer::timeout, this, &StatusClock::refresh);
    ticker->start();
    refresh();
}

void StatusClock::refresh()
{
    const QDateTime time = now();
    const QLocale locale = QLocale::system();
    datePanel->setText(locale.toString(time.date(), QLocale::ShortFormat));
    timePanel->setText(locale.toString(time.time(), QLocale::ShortFormat));
}
