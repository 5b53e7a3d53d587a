#pragma once

// The date and time panels of the status bar. They keep themselves current
// with a timer of their own; no handler of the window runs on it.

#include <QWidget>

class QLabel;
class QTimer;

class StatusClock : public QWidget {
    Q_OBJECT
public:
    explicit StatusClock(QWidget* parent = nullptr);

private:
    void refresh();

    QLabel* datePanel;
    QLabel* timePanel;
    QTimer* ticker;
};
