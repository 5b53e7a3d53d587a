#pragma once

// The date and time panels of the status bar. They keep themselves current
// with a timer of their own; no handler of the window runs on it.

#include <QDateTime>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

class StatusClock : public QWidget {
    Q_OBJECT
public:
    explicit StatusClock(QWidget* parent = nullptr);

    // Where the panels read the time from the next tick on: the system clock
    // unless a test hands in one of its own, to see the panels follow it.
    void setTimeSource(std::function<QDateTime()> source) { now = std::move(source); }

private:
    void refresh();

    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    QLabel* datePanel;
    QLabel* timePanel;
    QTimer* ticker;
};
