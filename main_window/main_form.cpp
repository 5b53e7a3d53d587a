#include "main_window/main_form.h"

#include "main_window/calculation.h"
#include "main_window/picture_store.h"
#include "main_window/selector_box.h"
#include "main_window/window_image_printer.h"

#include "chart/chart_printer.h"
#include "chart/message_boxes.h"
#include "core/number_text.h"
#include "core/tank_volume.h"
#include "info_windows/font_substitutes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Product {
    const char* name;
    const char* ceTextPerF;   // the Ce field's text with degrees F in force
    double cePerF;
};

constexpr Product kProducts[] = {
    {"Regular Unleaded", "0.0007", 0.0007},
    {"Mid-Grade Unleaded", "0.0007", 0.0007},
    {"Premium Unleaded", "0.0007", 0.0007},
    {"Diesel Fuel", "0.00047", 0.00047},
    {"Kerosene", "0.00047", 0.00047},
};

constexpr const char* kShapes[] = {tank::kFlatEnded, tank::kHemisphericalEnded, tank::kVertical};
constexpr const char* kLengthUnits[] = {"inches", "feet", "millimeters", "centimeters", "meters"};
constexpr const char* kVolumeUnits[] = {"gallons", "litres", "cubic meters", "millilitres"};
constexpr const char* kTempUnits[] = {"degrees F", "degrees C"};

constexpr const char* kDegreesF = "degrees F";
constexpr const char* kDegreesC = "degrees C";

template <std::size_t N>
void addEntries(SelectorBox* selector, const char* const (&entries)[N])
{
    for (const char* entry : entries)
        selector->addItem(QString::fromLatin1(entry));
}

} // namespace

Mainform::Mainform(QWidget* parent) : QMainWindow(parent)
{
    installFontSubstitutes();
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &Mainform::Command1_Click);
    connect(cboTankShape, &SelectorBox::entryChosen, this, &Mainform::cboTankShape_Click);
    connect(cboProductType, &SelectorBox::entryChosen, this, &Mainform::cboProductType_Click);
    connect(cboLengthUnits, &SelectorBox::entryChosen, this, &Mainform::cboLengthUnits_Click);
    connect(cboVolumeUnits, &SelectorBox::entryChosen, this, &Mainform::cboVolumeUnits_Click);
    connect(cboTempUnits, &SelectorBox::entryChosen, this, &Mainform::cboTempUnits_Click);

    // The calculation core reports its failures through this window,
    // wherever the window is hosted.
    SetTankVolumeReporter([self = QPointer<Mainform>(this)](const std::string& message) {
        showAppMessage(self.data(), QString::fromStdString(message));
    });

    Form_Load();
}

Mainform::~Mainform()
{
    delete frmImages;
}

void Mainform::Form_Load()
{
    cevalue = QString::fromStdString(numtext::fifteenDigitText(0.0007));
    NewLengthUnits = OldLengthUnits = QStringLiteral("inches");
    NewVolumeUnits = OldVolumeUnits = QStringLiteral("gallons");
    NewTempUnits = OldTempUnits = kDegreesF;

    addEntries(cboTankShape, kShapes);
    cboTankShape->selectEntry(0);

    for (const Product& product : kProducts)
        cboProductType->addItem(QString::fromLatin1(product.name));
    addEntries(cboLengthUnits, kLengthUnits);
    addEntries(cboVolumeUnits, kVolumeUnits);
    addEntries(cboTempUnits, kTempUnits);
    // Adding the first entry selects it; the lists start with nothing
    // selected, showing their initial texts.
    cboProductType->showText(QStringLiteral("Regular Unleaded"));
    cboLengthUnits->showText(QStringLiteral("inches"));
    cboVolumeUnits->showText(QStringLiteral("gallons"));
    cboTempUnits->showText(kDegreesF);
}

void Mainform::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Mainform::Form_Unload()
{
    // The other windows go with the main window, whether or not they are open.
    delete frmImages;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (window->objectName() == QLatin1String("frmAbout")
            || window->objectName() == QLatin1String("frmSplash"))
            window->close();
}

void Mainform::mnuExit_Click()
{
    close();
}

void Mainform::reportCalculationError()
{
    showAppMessage(this, QString::fromLatin1(tank::kCalculationErrorMessage));
}

void Mainform::showTankPicture(const QString& name)
{
    // The store is made on first use and kept until the window closes.
    if (!frmImages)
        frmImages = new PictureStore;
    imgTank->setPixmap(frmImages->picture(name));
    imgTank->setProperty("picture", name);
    imgTank->setAccessibleDescription(PictureStore::describe(name));
}

void Mainform::Command1_Click()
{
    calc::CalculationEntries entries;
    entries.lengthUnits = cboLengthUnits->currentText().toStdString();
    entries.tankLength = txtTankLength->text().toStdString();
    entries.tankDiameter = txtTankDiameter->text().toStdString();
    entries.productLevel = txtProductLevel->text().toStdString();
    entries.tankShape = cboTankShape->currentText().toStdString();
    entries.volumeUnits = cboVolumeUnits->currentText().toStdString();
    entries.productTemp = txtProductTemp->text().toStdString();
    entries.ceTempRef = txtCeTempRef->text().toStdString();
    entries.cevalue = cevalue.toStdString();

    const auto writeResult = [this](calc::ResultField field, const std::string& text) {
        QLineEdit* target = field == calc::ResultField::Capacity ? txtTankCapacity
                            : field == calc::ResultField::Gross  ? txtGrossVolume
                                                                 : txtNetVolume;
        target->setText(QString::fromStdString(text));
    };
    const calc::CalculationOutcome outcome = calc::performCalculations(entries, writeResult);
    if (outcome.stopped) {
        reportCalculationError();
        return;
    }
    if (outcome.picture)
        showTankPicture(QString::fromStdString(*outcome.picture));
}

void Mainform::cboTankShape_Click()
{
    const QString shape = cboTankShape->currentText();
    if (shape == tank::kFlatEnded)
        showTankPicture(QStringLiteral("ftank0"));
    lblCylinderInfo->setVisible(shape == tank::kHemisphericalEnded);
    if (shape == tank::kHemisphericalEnded)
        showTankPicture(QStringLiteral("ctank0"));
    if (shape == tank::kVertical)
        showTankPicture(QStringLiteral("vtank0"));
}

void Mainform::cboProductType_Click()
{
    const QString productName = cboProductType->currentText();
    const QString tempUnits = cboTempUnits->currentText();
    for (const Product& product : kProducts) {
        if (productName != QLatin1String(product.name))
            continue;
        if (tempUnits == kDegreesF) {
            txtCe->setText(QString::fromLatin1(product.ceTextPerF));
            cevalue = QString::fromStdString(numtext::fifteenDigitText(product.cePerF));
        } else if (tempUnits == kDegreesC) {
            const double perDegreeC = product.cePerF / (5.0 / 9.0);
            cevalue = QString::fromStdString(numtext::fifteenDigitText(perDegreeC));
            txtCe->setText(QString::fromStdString(numtext::displayPattern(perDegreeC, "#########.#####")));
        }
        return;
    }
}
