#pragma once

// The first window: product name, platform line and version for two
// seconds. It cannot be dismissed; when its time is up it closes itself and
// says so, and whoever started the program opens the main window.

#include <QFrame>

class QGroupBox;
class QLabel;
class QTimer;

class frmSplash : public QFrame {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

signals:
    // The splash has closed; the main window is to be loaded and shown now.
    void timeUp();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void Timer1_Timer();

private:
    void buildControls();
    void Form_Load();

    QWidget* client = nullptr;
    QLabel* lblProductName = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label3 = nullptr;
    bool timeIsUp = false;
};
