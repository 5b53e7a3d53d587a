// The window's controls, made from one table. Positions and sizes are in
// twips (window_kit/twips.h) as the operator's manual gives them.

#include "main_window/main_form.h"

#include "main_window/caption_label.h"
#include "main_window/selector_box.h"
#include "main_window/status_clock.h"

#include "core/name_tables.h"
#include "model/product_names.h"
#include "window_kit/font_substitutes.h"
#include "window_kit/twips.h"
#include "window_kit/window_look.h"

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

enum Trait : unsigned {
    None = 0,
    Right = 1u << 0,   // right-aligned text
    Centred = 1u << 1, // centred text
    Hidden = 1u << 2,
    Disabled = 1u << 3,   // greyed output field that takes no focus
    ReadOnly = 1u << 4,   // output field whose text can be selected and copied
    MenuColour = 1u << 5, // frame painted in the neutral menu colour
    Opaque = 1u << 6,     // label with a background of its own
    RedNote = 1u << 7,    // red text wrapping over lines
    AutoSize = 1u << 8,   // unit caption sized to its text, growing to the right
    Editable = 1u << 9,   // selector whose text can be typed over
    Picture = 1u << 10,   // label that shows a picture
};

// Everything about one control. The pointers come first, so that no row
// carries padding.
struct ControlRow {
    const char* name;
    // Makes the control, and keeps it in the window's member of its name
    // when it has one.
    QWidget* (*make)(Mainform& form, const ControlRow& row, QWidget* container);
    const char* container = nullptr; // nullptr: the window's client area
    const char* text = "";
    // What a screen reader calls it, and what more it says of it.
    const char* accessibleName = nullptr;
    const char* accessibleDescription = nullptr;
    // A caption is read with its control (it is the control's buddy, and so
    // one of its labels). On Linux a selector is known by its label rather
    // than by its accessible name, which the bridge fills with the entry
    // shown; a unit caption is read as it shows at that moment. No caption
    // has an access key, so a buddy changes nothing for the keyboard.
    const char* captionOf = nullptr;
    windowkit::Twips at{};
    unsigned traits = None;
    int tab = 0; // its place in the keyboard's focus order; 0: none
};

// What the window starts with: the first entry of each list, and the first
// product's coefficient and reference temperature in the first temperature
// unit.
constexpr const char* kStartLength = tank::kLengthUnits[0].text.data();
constexpr const char* kStartVolume = tank::kVolumeUnits[0].text.data();
constexpr const char* kStartTemperature = model::kTemperatureUnits[0].text.data();
constexpr const char* kStartCeTempRef = model::kTemperatureUnits[0].ceTempRef.data();
constexpr const char* kStartProduct = model::kProducts[0].text.data();
constexpr const char* kStartCe = model::kProducts[0].ceTextPerF.data();

constexpr int kClientWidthTwips = 7125;
constexpr int kClientHeightTwips = 6210;
constexpr int kStatusBarHeightTwips = 375;

QFont defaultFont() { return windowkit::designFont(QStringLiteral("MS Sans Serif"), 8.25); }

QFont boldFont(double points) { return windowkit::designFont(QStringLiteral("MS Sans Serif"), points, true); }

// What every control does as its row says: its name, place and visibility.
template <typename Widget>
Widget* placed(Widget* widget, const ControlRow& row)
{
    widget->setObjectName(QString::fromLatin1(row.name));
    windowkit::placeTwips(widget, row.at);
    if (row.traits & Hidden)
        widget->hide();
    return widget;
}

// A control of each kind, set up as its row says.
QGroupBox* create(std::type_identity<QGroupBox> /*kind*/, const ControlRow& row, QWidget* container)
{
    auto* frame = new QGroupBox(QString::fromUtf8(row.text), container);
    frame->setFont(boldFont(8.25));
    if (row.traits & MenuColour) {
        windowkit::useMenuBackground(frame);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        frame->setPalette(palette);
    }
    return placed(frame, row);
}

QLabel* create(std::type_identity<QLabel> /*kind*/, const ControlRow& row, QWidget* container)
{
    QLabel* label = nullptr;
    if (row.traits & Picture) {
        label = new QLabel(container);
        label->setScaledContents(true);
        label->setFrameShape(QFrame::Box);
        label->setLineWidth(1);
    } else {
        label = new QLabel(QString::fromUtf8(row.text), container);
        label->setAlignment((row.traits & Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        if (row.traits & Opaque)
            label->setAutoFillBackground(true);
        if (row.traits & RedNote) {
            label->setWordWrap(true);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
            label->setPalette(palette);
        }
    }
    label->setFont(defaultFont());
    return placed(label, row);
}

CaptionLabel* create(std::type_identity<CaptionLabel> /*kind*/, const ControlRow& row, QWidget* container)
{
    const auto sizing = row.traits & AutoSize ? CaptionLabel::Sizing::ToText : CaptionLabel::Sizing::Fixed;
    auto* caption = new CaptionLabel(QString::fromUtf8(row.text), sizing, container);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption->setFont(defaultFont());
    placed(caption, row);
    caption->fitToText();
    return caption;
}

QLineEdit* create(std::type_identity<QLineEdit> /*kind*/, const ControlRow& row, QWidget* container)
{
    auto* field = new QLineEdit(QString::fromUtf8(row.text), container);
    if (row.traits & Centred)
        field->setAlignment(Qt::AlignCenter);
    if (row.traits & Disabled)
        field->setEnabled(false);
    if (row.traits & ReadOnly)
        field->setReadOnly(true);
    field->setCursorPosition(0);
    field->setFont(defaultFont());
    return placed(field, row);
}

SelectorBox* create(std::type_identity<SelectorBox> /*kind*/, const ControlRow& row, QWidget* container)
{
    auto* selector =
        new SelectorBox(row.traits & Editable ? SelectorBox::Kind::Editable : SelectorBox::Kind::FixedList, container);
    selector->showText(QString::fromUtf8(row.text));
    selector->setFont(defaultFont());
    return placed(selector, row);
}

QPushButton* create(std::type_identity<QPushButton> /*kind*/, const ControlRow& row, QWidget* container)
{
    auto* button = new QPushButton(QString::fromUtf8(row.text), container);
    button->setFont(boldFont(13.5));
    // Enter on the focused button presses it, as Space does.
    button->setAutoDefault(true);
    return placed(button, row);
}

// A control the window keeps in no member of its own.
template <typename Widget>
QWidget* unkept(Mainform& /*form*/, const ControlRow& row, QWidget* container)
{
    return create(std::type_identity<Widget>{}, row, container);
}

// A control kept in `member`, of the member's type.
template <auto member>
QWidget* keep(Mainform& form, const ControlRow& row, QWidget* container)
{
    using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(form.*member)>>;
    return form.*member = create(std::type_identity<Widget>{}, row, container);
}

// A control kept at `index` of the control array `array`.
template <auto array, std::size_t index>
QWidget* keepAt(Mainform& form, const ControlRow& row, QWidget* container)
{
    using Widget = std::remove_pointer_t<typename std::remove_reference_t<decltype(form.*array)>::value_type>;
    return std::get<index>(form.*array) = create(std::type_identity<Widget>{}, row, container);
}

} // namespace

// Every control, in creation order, which is stacking order: later
// controls stand in front.
struct Mainform::Controls {
    // clang-format off
    static constexpr ControlRow kRows[] = {
        {.name = "Frame2", .make = keep<&Mainform::Frame2>, .text = "Tank  Parameters", .at = {0, 120, 3255, 1455}},
        {.name = "Frame4", .make = keep<&Mainform::Frame4>, .text = "Product Parameters", .at = {0, 1680, 3255, 2055}},
        {.name = "Frame5", .make = keep<&Mainform::Frame5>, .text = " Units", .at = {0, 3840, 3255, 1815}},
        {.name = "Frame3", .make = keep<&Mainform::Frame3>, .text = "Tank Shape and Product Level",
         .at = {3360, 120, 3735, 3015}, .traits = MenuColour},
        {.name = "Frame1", .make = keep<&Mainform::Frame1>, .text = "Calculated Values", .at = {3360, 3240, 3735, 1455}},
        {.name = "Frame6", .make = keep<&Mainform::Frame6>, .at = {3360, 4680, 3735, 975}},
        {.name = "Command1", .make = keep<&Mainform::Command1>, .text = "Perform Calculations",
         .at = {3600, 4920, 3255, 615}, .tab = 10},

        {.name = "Label1", .make = unkept<QLabel>, .container = "Frame2", .text = "Shape", .captionOf = "cboTankShape",
         .at = {300, 360, 465, 195}, .traits = Right},
        {.name = "cboTankShape", .make = keep<&Mainform::cboTankShape>, .container = "Frame2",
         .accessibleName = "Shape", .at = {840, 360, 2280, 315}, .tab = 1},
        {.name = "Label5", .make = unkept<QLabel>, .container = "Frame2", .text = "Diameter", .at = {135, 720, 630, 195},
         .traits = Right},
        {.name = "txtTankDiameter", .make = keep<&Mainform::txtTankDiameter>, .container = "Frame2", .text = "96",
         .accessibleName = "Diameter", .at = {840, 720, 1095, 285}, .traits = Centred, .tab = 2},
        {.name = "lbllengths_0", .make = keepAt<&Mainform::lbllengths, 0>, .container = "Frame2", .text = kStartLength,
         .accessibleDescription = "Unit of the diameter", .captionOf = "txtTankDiameter",
         .at = {2040, 720, 1215, 255}},
        {.name = "Label6", .make = unkept<QLabel>, .container = "Frame2", .text = "Length", .at = {270, 1080, 495, 195},
         .traits = Right},
        {.name = "txtTankLength", .make = keep<&Mainform::txtTankLength>, .container = "Frame2", .text = "324",
         .accessibleName = "Length", .at = {840, 1080, 1095, 285}, .traits = Centred, .tab = 3},
        {.name = "lbllengths_1", .make = keepAt<&Mainform::lbllengths, 1>, .container = "Frame2", .text = kStartLength,
         .accessibleDescription = "Unit of the length", .captionOf = "txtTankLength", .at = {2040, 1080, 1215, 255}},

        {.name = "Label4", .make = unkept<QLabel>, .container = "Frame4", .text = "Type", .captionOf = "cboProductType",
         .at = {360, 360, 360, 195}, .traits = Right},
        {.name = "cboProductType", .make = keep<&Mainform::cboProductType>, .container = "Frame4",
         .text = kStartProduct, .accessibleName = "Product type", .at = {840, 360, 2295, 315}, .traits = Editable,
         .tab = 4},
        {.name = "Label7", .make = unkept<QLabel>, .container = "Frame4", .text = "Level", .at = {360, 720, 390, 195},
         .traits = Right},
        {.name = "txtProductLevel", .make = keep<&Mainform::txtProductLevel>, .container = "Frame4", .text = "48",
         .accessibleName = "Product level", .at = {840, 720, 1095, 285}, .traits = Centred, .tab = 5},
        {.name = "lbllengths_2", .make = keepAt<&Mainform::lbllengths, 2>, .container = "Frame4", .text = kStartLength,
         .accessibleDescription = "Unit of the product level", .captionOf = "txtProductLevel",
         .at = {2040, 720, 1095, 255}},
        {.name = "Label8", .make = unkept<QLabel>, .container = "Frame4", .text = "Temp.", .at = {330, 1080, 450, 195},
         .traits = Right},
        {.name = "txtProductTemp", .make = keep<&Mainform::txtProductTemp>, .container = "Frame4", .text = "70",
         .accessibleName = "Product temperature", .at = {840, 1080, 1095, 285}, .traits = Centred, .tab = 6},
        {.name = "lblTemp_0", .make = keepAt<&Mainform::lblTemp, 0>, .container = "Frame4", .text = kStartTemperature,
         .accessibleDescription = "Unit of the product temperature", .captionOf = "txtProductTemp",
         .at = {2040, 1080, 975, 255}},
        {.name = "lblCe", .make = unkept<QLabel>, .container = "Frame4", .text = "Ce Value:", .at = {90, 1440, 690, 195},
         .traits = Right},
        {.name = "txtCe", .make = keep<&Mainform::txtCe>, .container = "Frame4", .text = kStartCe,
         .accessibleName = "Ce value", .at = {840, 1440, 1095, 285}, .traits = Centred, .tab = 11},
        {.name = "lblVolumes_3", .make = keepAt<&Mainform::lblVolumes, 3>, .container = "Frame4", .text = kStartVolume,
         .accessibleDescription = "Volume unit of the Ce value", .captionOf = "txtCe", .at = {2040, 1440, 495, 195},
         .traits = AutoSize},
        {.name = "Label10", .make = unkept<QLabel>, .container = "Frame4", .text = "per",
         .accessibleDescription = "Volume unit per temperature unit", .captionOf = "txtCe",
         .at = {2040, 1680, 225, 195}, .traits = Opaque},
        {.name = "lblTemp_1", .make = keepAt<&Mainform::lblTemp, 1>, .container = "Frame4", .text = kStartTemperature,
         .accessibleDescription = "Temperature unit of the Ce value", .captionOf = "txtCe",
         .at = {2400, 1680, 705, 195}, .traits = AutoSize},

        {.name = "Label2", .make = unkept<QLabel>, .container = "Frame5", .text = "Lengths", .captionOf = "cboLengthUnits",
         .at = {150, 360, 570, 195}, .traits = Right},
        {.name = "cboLengthUnits", .make = keep<&Mainform::cboLengthUnits>, .container = "Frame5", .text = kStartLength,
         .accessibleName = "Lengths", .accessibleDescription = "Unit of every length", .at = {840, 360, 2280, 315},
         .traits = Editable, .tab = 7},
        {.name = "Label3", .make = unkept<QLabel>, .container = "Frame5", .text = "Volumes", .captionOf = "cboVolumeUnits",
         .at = {120, 840, 600, 195}, .traits = Right},
        {.name = "cboVolumeUnits", .make = keep<&Mainform::cboVolumeUnits>, .container = "Frame5", .text = kStartVolume,
         .accessibleName = "Volumes", .accessibleDescription = "Unit of every volume", .at = {840, 840, 2280, 315},
         .traits = Editable, .tab = 8},
        {.name = "Label9", .make = unkept<QLabel>, .container = "Frame5", .text = "Temps", .captionOf = "cboTempUnits",
         .at = {240, 1320, 480, 195}},
        {.name = "cboTempUnits", .make = keep<&Mainform::cboTempUnits>, .container = "Frame5",
         .text = kStartTemperature, .accessibleName = "Temps", .accessibleDescription = "Unit of every temperature",
         .at = {840, 1320, 2295, 315}, .traits = Editable, .tab = 9},

        {.name = "imgTank", .make = keep<&Mainform::imgTank>, .container = "Frame3", .accessibleName = "Tank picture",
         .at = {120, 240, 3495, 2655}, .traits = Picture},
        {.name = "lblCylinderInfo", .make = keep<&Mainform::lblCylinderInfo>, .container = "Frame3",
         .text = "* Length doesn't include hemispherical ends of cylinders and assumes true hemispheres.",
         .at = {240, 2400, 3480, 390}, .traits = RedNote | Hidden},
        {.name = "Label14", .make = unkept<QLabel>, .container = "Frame3", .text = "Ce Temp Ref",
         .at = {360, 1200, 1095, 255}, .traits = Hidden},
        {.name = "txtCeTempRef", .make = keep<&Mainform::txtCeTempRef>, .container = "Frame3", .text = kStartCeTempRef,
         .accessibleName = "Ce reference temperature", .at = {1440, 1200, 1095, 285}, .traits = Centred | Hidden},
        {.name = "lblTemp_2", .make = keepAt<&Mainform::lblTemp, 2>, .container = "Frame3", .text = kStartTemperature,
         .at = {2640, 1200, 975, 255}, .traits = Hidden},

        {.name = "Label11", .make = unkept<QLabel>, .container = "Frame1", .text = "Tank Capacity",
         .at = {120, 360, 1035, 195}, .traits = Right},
        {.name = "txtTankCapacity", .make = keep<&Mainform::txtTankCapacity>, .container = "Frame1", .text = "10,000",
         .accessibleName = "Tank capacity", .at = {1320, 360, 1455, 285}, .traits = Centred | Disabled},
        {.name = "lblVolumes_0", .make = keepAt<&Mainform::lblVolumes, 0>, .container = "Frame1", .text = kStartVolume,
         .accessibleDescription = "Unit of the tank capacity", .captionOf = "txtTankCapacity",
         .at = {2880, 360, 495, 195}, .traits = AutoSize},
        {.name = "Label12", .make = unkept<QLabel>, .container = "Frame1", .text = "Gross Volume",
         .at = {240, 720, 975, 195}, .traits = Right},
        {.name = "txtGrossVolume", .make = keep<&Mainform::txtGrossVolume>, .container = "Frame1", .text = "10,000",
         .accessibleName = "Gross volume", .at = {1320, 720, 1455, 285}, .traits = Centred | Disabled},
        {.name = "lblVolumes_1", .make = keepAt<&Mainform::lblVolumes, 1>, .container = "Frame1", .text = kStartVolume,
         .accessibleDescription = "Unit of the gross volume", .captionOf = "txtGrossVolume",
         .at = {2880, 720, 495, 195}, .traits = AutoSize},
        {.name = "Label13", .make = unkept<QLabel>, .container = "Frame1", .text = "Net Volume",
         .at = {360, 1080, 825, 195}, .traits = Right},
        {.name = "txtNetVolume", .make = keep<&Mainform::txtNetVolume>, .container = "Frame1", .text = "10,000",
         .accessibleName = "Net volume", .at = {1320, 1080, 1455, 285}, .traits = Centred | ReadOnly, .tab = 12},
        {.name = "lblVolumes_2", .make = keepAt<&Mainform::lblVolumes, 2>, .container = "Frame1", .text = kStartVolume,
         .accessibleDescription = "Unit of the net volume", .captionOf = "txtNetVolume", .at = {2880, 1080, 495, 195},
         .traits = AutoSize},
    };
    // clang-format on
};

void Mainform::buildControls()
{
    setObjectName("Mainform");
    setWindowTitle(QStringLiteral("Ombrix Associates Gaugestar"));
    windowkit::useProgramIcon(this);
    // A minimise button but no maximise button; the border stays resizable.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(defaultFont());

    auto* client = new QWidget(this);
    client->setObjectName("clientArea");
    setCentralWidget(client);

    // By name, for the containers and the captions' controls.
    QHash<QString, QWidget*> byName;
    for (const ControlRow& row : Controls::kRows) {
        QWidget* container = row.container ? byName.value(QString::fromLatin1(row.container)) : client;
        byName.insert(QString::fromLatin1(row.name), row.make(*this, row, container));
    }

    // Labels take no focus; everything else follows the operator's order.
    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ControlRow& row : Controls::kRows) {
        QWidget* control = byName.value(QString::fromLatin1(row.name));
        if (row.accessibleName)
            control->setAccessibleName(QString::fromLatin1(row.accessibleName));
        if (row.accessibleDescription)
            control->setAccessibleDescription(QString::fromLatin1(row.accessibleDescription));
        if (auto* caption = qobject_cast<QLabel*>(control); caption && row.captionOf)
            caption->setBuddy(byName.value(QString::fromLatin1(row.captionOf)));
        if (row.tab)
            focusOrder.emplace_back(row.tab, control);
    }
    std::sort(focusOrder.begin(), focusOrder.end());
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);

    // The file dialog is a component without a visible area; a chart run
    // sets it up each time it opens it.
    CDialog1 = new QFileDialog(this);
    CDialog1->setObjectName("CDialog1");

    sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName("sbStatusBar");
    sbStatusBar->setFixedHeight(windowkit::px(kStatusBarHeightTwips));
    auto* statusPanel = new QLabel(QStringLiteral("Status"), sbStatusBar);
    statusPanel->setObjectName("sbStatusPanel");
    statusPanel->setMinimumWidth(windowkit::px(1440));
    statusPanel->setFrameShape(QFrame::Panel);
    statusPanel->setFrameShadow(QFrame::Sunken);
    sbStatusBar->addWidget(statusPanel, 1);
    sbStatusBar->addPermanentWidget(new StatusClock(sbStatusBar));
    setStatusBar(sbStatusBar);

    buildMenus();

    // The window starts at its client size below the menu bar, the status
    // bar docked at its bottom. It may be made smaller, down to what the
    // menu bar and the status bar need: the controls keep their places and
    // what no longer fits is clipped.
    resize(windowkit::px(kClientWidthTwips), menuBar()->sizeHint().height() + windowkit::px(kClientHeightTwips));
    windowkit::centreOnScreen(this);
    cboTankShape->setFocus();
}

void Mainform::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("menuBar");
    bar->setFont(defaultFont());

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName("mnuFile");
    mnuPrint = mnuFile->addAction(QStringLiteral("Print Screen"));
    mnuPrint->setObjectName("mnuPrint");
    mnuBarFile = mnuFile->addSeparator();
    mnuBarFile->setObjectName("mnuBarFile");
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName("mnuExit");

    mnuUtilities = bar->addMenu(QStringLiteral("&Utilites"));
    mnuUtilities->setObjectName("mnuUtilities");
    mnuTGen = mnuUtilities->addAction(QStringLiteral("&Tank Chart Generator"));
    mnuTGen->setObjectName("mnuTGen");

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName("mnuHelp");
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About Gaugestar"));
    mnuAbout->setObjectName("mnuAbout");

    connect(mnuPrint, &QAction::triggered, this, &Mainform::mnuPrint_Click);
    connect(mnuExit, &QAction::triggered, this, &Mainform::mnuExit_Click);
    connect(mnuTGen, &QAction::triggered, this, &Mainform::mnuTGen_Click);
    connect(mnuAbout, &QAction::triggered, this, &Mainform::mnuAbout_Click);
}
