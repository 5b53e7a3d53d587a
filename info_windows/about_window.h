#pragma once

// The About window: title, version, a full tank, a credit and a notice.
// Modeless; it unloads itself (and is deleted) when closed by OK, Enter,
// Esc or its close control, so each opening loads it afresh.

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

private slots:
    void cmdOK_Click();

private:
    void buildControls();
    void Form_Load();

    QGroupBox* Frame1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblNotice = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdOK = nullptr;
};
