#include "main_window/main_form.h"

#include "main_window/picture_store.h"
#include "main_window/selector_box.h"
#include "main_window/window_image_printer.h"

#include "chart/chart_printer.h"
#include "core/name_tables.h"
#include "core/number_text.h"
#include "core/tank_volume.h"
#include "info_windows/about_window.h"
#include "model/calculation.h"
#include "model/product_names.h"
#include "window_kit/operator_dialogs.h"
#include "window_kit/qt_text.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Fills a selector with the texts of a name table, in the table's order.
template <typename Row, std::size_t N>
void addEntries(SelectorBox* selector, const Row (&table)[N])
{
    for (const Row& row : table)
        selector->addItem(windowkit::qText(row.text));
}

} // namespace

Mainform::Mainform(QWidget* parent) : QMainWindow(parent)
{
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &Mainform::Command1_Click);
    connect(cboTankShape, &SelectorBox::entryChosen, this, &Mainform::cboTankShape_Click);
    connect(cboProductType, &SelectorBox::entryChosen, this, &Mainform::cboProductType_Click);
    connect(cboLengthUnits, &SelectorBox::entryChosen, this, &Mainform::cboLengthUnits_Click);
    connect(cboVolumeUnits, &SelectorBox::entryChosen, this, &Mainform::cboVolumeUnits_Click);
    connect(cboTempUnits, &SelectorBox::entryChosen, this, &Mainform::cboTempUnits_Click);

    // The seams a test may replace (the setters below): the real dialogs
    // and the default printer, all made here.
    dialogs = std::make_unique<windowkit::ModalDialogs>(this, CDialog1);
    chartPrinterFactory = std::make_unique<chart::DefaultPrinterChartFactory>();
    windowImagePrinter = std::make_unique<DefaultPrinterImagePrinter>();

    Form_Load();
}

Mainform::~Mainform() = default;

void Mainform::Form_Load()
{
    // The working state matches the texts the selectors start with: the
    // first product, and the first unit of each kind.
    cevalue = QString::fromStdString(tank::fifteenDigitText(model::kProducts[0].cePerF));
    NewLengthUnits = OldLengthUnits = windowkit::qText(tank::kLengthUnits[0].text);
    NewVolumeUnits = OldVolumeUnits = windowkit::qText(tank::kVolumeUnits[0].text);
    NewTempUnits = OldTempUnits = windowkit::qText(model::kTemperatureUnits[0].text);

    addEntries(cboTankShape, tank::kShapes);
    cboTankShape->selectEntry(0);

    addEntries(cboProductType, model::kProducts);
    addEntries(cboLengthUnits, tank::kLengthUnits);
    addEntries(cboVolumeUnits, tank::kVolumeUnits);
    addEntries(cboTempUnits, model::kTemperatureUnits);
    // Adding the first entry selects it; the lists start with nothing
    // selected, showing their initial texts.
    cboProductType->showText(windowkit::qText(model::kProducts[0].text));
    cboLengthUnits->showText(NewLengthUnits);
    cboVolumeUnits->showText(NewVolumeUnits);
    cboTempUnits->showText(NewTempUnits);
}

void Mainform::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Mainform::Form_Unload()
{
    // The other windows go with the main window, whether or not they are open.
    if (aboutWindow)
        aboutWindow->close();
    frmImages.reset();
    if (splashWindow)
        splashWindow->close();
}

void Mainform::setSplashWindow(QWidget* splash) { splashWindow = splash; }

void Mainform::mnuExit_Click() { close(); }

void Mainform::reportCalculationError() { tell(QString::fromLatin1(tank::kCalculationErrorMessage)); }

void Mainform::tell(const QString& message) { dialogs->tell(message); }

void Mainform::setOperatorDialogs(std::unique_ptr<windowkit::OperatorDialogs> replacement)
{
    dialogs = std::move(replacement);
}

void Mainform::setChartPrinterFactory(std::unique_ptr<chart::ChartPrinterFactory> factory)
{
    chartPrinterFactory = std::move(factory);
}

void Mainform::setWindowImagePrinter(std::unique_ptr<WindowImagePrinter> printer)
{
    windowImagePrinter = std::move(printer);
}

void Mainform::showTankPicture(const QString& name)
{
    // The store is made on first use and kept until the window closes.
    if (!frmImages)
        frmImages = std::make_unique<PictureStore>();
    imgTank->setPixmap(frmImages->picture(name));
    imgTank->setProperty("picture", name);
    imgTank->setAccessibleDescription(PictureStore::describe(name));
}

void Mainform::Command1_Click()
{
    model::CalculationEntries entries;
    entries.lengthUnits = cboLengthUnits->currentText().toStdString();
    entries.tankLength = txtTankLength->text().toStdString();
    entries.tankDiameter = txtTankDiameter->text().toStdString();
    entries.productLevel = txtProductLevel->text().toStdString();
    entries.tankShape = cboTankShape->currentText().toStdString();
    entries.volumeUnits = cboVolumeUnits->currentText().toStdString();
    entries.productTemp = txtProductTemp->text().toStdString();
    entries.ceTempRef = txtCeTempRef->text().toStdString();
    entries.cevalue = cevalue.toStdString();

    const auto writeResult = [this](model::ResultField field, const std::string& text) {
        QLineEdit* target = field == model::ResultField::Capacity ? txtTankCapacity
                            : field == model::ResultField::Gross  ? txtGrossVolume
                                                                  : txtNetVolume;
        target->setText(QString::fromStdString(text));
    };
    // The arithmetic's own failures are told as they happen, before the
    // results that follow them are written.
    const auto reportFailure = [this](std::string_view message) { tell(windowkit::qText(message)); };
    const model::CalculationOutcome outcome = model::performCalculations(entries, writeResult, reportFailure);
    if (outcome.stopped) {
        reportCalculationError();
        return;
    }
    if (outcome.picture)
        showTankPicture(QString::fromStdString(*outcome.picture));
}

void Mainform::cboTankShape_Click()
{
    // Every change of shape shows the new shape's empty tank.
    const tank::ShapeName* shape = tank::findShape(cboTankShape->currentText().toStdString());
    lblCylinderInfo->setVisible(shape && shape->shape == tank::Shape::HemisphericalEnded);
    if (shape)
        showTankPicture(QString::fromStdString(tank::pictureName(*shape, tank::kFillSteps[0])));
}

void Mainform::cboProductType_Click()
{
    const auto chosen =
        model::chooseProduct(cboProductType->currentText().toStdString(), cboTempUnits->currentText().toStdString());
    if (!chosen)
        return;
    txtCe->setText(QString::fromStdString(chosen->ceField));
    cevalue = QString::fromStdString(chosen->cevalue);
}
