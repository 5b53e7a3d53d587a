#pragma once

// The calculator window: it owns every control and the working state, and
// its handlers move texts between the controls and the pure calculation and
// conversion code.

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>

class QAction;
class QFileDialog;
class QFrame;
class QGroupBox;
class CaptionLabel;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;

class SelectorBox;
class PictureStore;
class frmAbout;
class WindowImagePrinter;
namespace chart {
class ChartPrinterFactory;
}
namespace windowkit {
class OperatorDialogs;
}

class Mainform : public QMainWindow {
    Q_OBJECT
    // The working state, as text; read-only from outside.
    Q_PROPERTY(QString OldLengthUnits READ oldLengthUnits)
    Q_PROPERTY(QString NewLengthUnits READ newLengthUnits)
    Q_PROPERTY(QString OldVolumeUnits READ oldVolumeUnits)
    Q_PROPERTY(QString NewVolumeUnits READ newVolumeUnits)
    Q_PROPERTY(QString OldTempUnits READ oldTempUnits)
    Q_PROPERTY(QString NewTempUnits READ newTempUnits)
    Q_PROPERTY(QString cevalue READ ceValue)

public:
    explicit Mainform(QWidget* parent = nullptr);
    ~Mainform() override;

    QString oldLengthUnits() const { return OldLengthUnits; }
    QString newLengthUnits() const { return NewLengthUnits; }
    QString oldVolumeUnits() const { return OldVolumeUnits; }
    QString newVolumeUnits() const { return NewVolumeUnits; }
    QString oldTempUnits() const { return OldTempUnits; }
    QString newTempUnits() const { return NewTempUnits; }
    QString ceValue() const { return cevalue; }

    // Writes the level/volume chart of the tank shown, asking for the
    // increment and the file, and prints it on request.
    void generatetankchart();

    // Where Print Screen sends the window's image (the default printer
    // unless replaced, e.g. by a test printing to a file).
    void setWindowImagePrinter(std::unique_ptr<WindowImagePrinter> printer);
    // Where a chart is printed (the default printer unless replaced).
    void setChartPrinterFactory(std::unique_ptr<chart::ChartPrinterFactory> factory);
    // Who answers the window's questions and reads its messages (the
    // toolkit's modal dialogs unless replaced, e.g. by a test answering them).
    void setOperatorDialogs(std::unique_ptr<windowkit::OperatorDialogs> dialogs);
    // The splash window, which this window's close unloads as well (by then
    // it has normally gone already).
    void setSplashWindow(QWidget* splash);

public slots:
    void Command1_Click();
    void cboTankShape_Click();
    void cboProductType_Click();
    void cboLengthUnits_Click();
    void cboVolumeUnits_Click();
    void cboTempUnits_Click();
    void mnuPrint_Click();
    void mnuExit_Click();
    void mnuTGen_Click();
    void mnuAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The table every control is made from (main_form_layout.cpp).
    struct Controls;
    void buildControls();
    void buildMenus();
    void Form_Load();
    void Form_Unload();

    // Shows a picture of the store in imgTank, by name ("ftank50").
    void showTankPicture(const QString& name);
    // The operator's one message for a calculation that cannot go on.
    void reportCalculationError();
    // A message with an OK button, under the program's title.
    void tell(const QString& message);

    // Working state.
    QString OldLengthUnits;
    QString NewLengthUnits;
    QString OldVolumeUnits;
    QString NewVolumeUnits;
    QString OldTempUnits;
    QString NewTempUnits;
    QString cevalue;

    // Controls, named as the operator's manual and the tests know them.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QPushButton* Command1 = nullptr;

    SelectorBox* cboTankShape = nullptr;
    SelectorBox* cboProductType = nullptr;
    SelectorBox* cboLengthUnits = nullptr;
    SelectorBox* cboVolumeUnits = nullptr;
    SelectorBox* cboTempUnits = nullptr;

    QLineEdit* txtTankDiameter = nullptr;
    QLineEdit* txtTankLength = nullptr;
    QLineEdit* txtProductLevel = nullptr;
    QLineEdit* txtProductTemp = nullptr;
    QLineEdit* txtCe = nullptr;
    QLineEdit* txtCeTempRef = nullptr;
    QLineEdit* txtTankCapacity = nullptr;
    QLineEdit* txtGrossVolume = nullptr;
    QLineEdit* txtNetVolume = nullptr;

    std::array<CaptionLabel*, 3> lbllengths{};
    std::array<CaptionLabel*, 4> lblVolumes{};
    std::array<CaptionLabel*, 3> lblTemp{};
    QLabel* lblCylinderInfo = nullptr;
    QLabel* imgTank = nullptr;
    std::unique_ptr<PictureStore> frmImages;

    QStatusBar* sbStatusBar = nullptr;
    QFileDialog* CDialog1 = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuUtilities = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuBarFile = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuTGen = nullptr;
    QAction* mnuAbout = nullptr;

    QPointer<frmAbout> aboutWindow;
    QPointer<QWidget> splashWindow;
    std::unique_ptr<windowkit::OperatorDialogs> dialogs;
    std::unique_ptr<WindowImagePrinter> windowImagePrinter;
    std::unique_ptr<chart::ChartPrinterFactory> chartPrinterFactory;
};
