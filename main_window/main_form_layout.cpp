// The window's controls, laid out from one table. Positions and sizes are
// in twips (1/1440 inch) as the operator's manual gives them, relative to
// the container's top-left corner; 15 twips make one pixel at 96 dpi.

#include "main_window/main_form.h"

#include "main_window/caption_label.h"
#include "main_window/selector_box.h"
#include "main_window/status_clock.h"

#include "core/name_tables.h"
#include "window_kit/font_substitutes.h"
#include "window_kit/twips.h"
#include "window_kit/window_look.h"
#include "model/product_names.h"

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

enum class Kind { Frame, Label, Field, FixedSelector, EditableSelector, Button, Picture };

enum Trait : unsigned {
    None = 0,
    Right = 1u << 0,        // right-aligned text
    Centred = 1u << 1,      // centred text
    Hidden = 1u << 2,
    Disabled = 1u << 3,     // greyed output field that takes no focus
    ReadOnly = 1u << 4,     // output field whose text can be selected and copied
    MenuColour = 1u << 5,   // frame painted in the neutral menu colour
    Opaque = 1u << 6,       // label with a background of its own
    RedNote = 1u << 7,      // red text wrapping over lines
    UnitLabel = 1u << 8,
    AutoSize = 1u << 9,     // sized to its text, growing to the right
};

// A row reads as the table does (name, kind, container, caption, twips,
// traits); its fields keep the pointers together, so no row carries padding.
struct ControlRow {
    constexpr ControlRow(const char* name, Kind kind, const char* container, const char* text, int left, int top,
                         int width, int height, unsigned traits)
        : name(name), container(container), text(text), kind(kind), left(left), top(top), width(width),
          height(height), traits(traits)
    {
    }

    const char* name;
    const char* container;   // nullptr: the window's client area
    const char* text;
    Kind kind;
    int left, top, width, height;
    unsigned traits;
};

// What the window starts with: the first entry of each list, and the first
// product's coefficient and reference temperature in the first temperature
// unit.
constexpr const char* kStartLength = tank::kLengthUnits[0].text.data();
constexpr const char* kStartVolume = tank::kVolumeUnits[0].text.data();
constexpr const char* kStartTemperature = products::kTemperatureUnits[0].text.data();
constexpr const char* kStartCeTempRef = products::kTemperatureUnits[0].ceTempRef.data();
constexpr const char* kStartProduct = products::kProducts[0].text.data();
constexpr const char* kStartCe = products::kProducts[0].ceTextPerF.data();

// Creation order is stacking order: later controls stand in front.
constexpr ControlRow kControls[] = {
    {"Frame2", Kind::Frame, nullptr, "Tank  Parameters", 0, 120, 3255, 1455, None},
    {"Frame4", Kind::Frame, nullptr, "Product Parameters", 0, 1680, 3255, 2055, None},
    {"Frame5", Kind::Frame, nullptr, " Units", 0, 3840, 3255, 1815, None},
    {"Frame3", Kind::Frame, nullptr, "Tank Shape and Product Level", 3360, 120, 3735, 3015, MenuColour},
    {"Frame1", Kind::Frame, nullptr, "Calculated Values", 3360, 3240, 3735, 1455, None},
    {"Frame6", Kind::Frame, nullptr, "", 3360, 4680, 3735, 975, None},
    {"Command1", Kind::Button, nullptr, "Perform Calculations", 3600, 4920, 3255, 615, None},

    {"Label1", Kind::Label, "Frame2", "Shape", 300, 360, 465, 195, Right},
    {"cboTankShape", Kind::FixedSelector, "Frame2", "", 840, 360, 2280, 315, None},
    {"Label5", Kind::Label, "Frame2", "Diameter", 135, 720, 630, 195, Right},
    {"txtTankDiameter", Kind::Field, "Frame2", "96", 840, 720, 1095, 285, Centred},
    {"lbllengths_0", Kind::Label, "Frame2", kStartLength, 2040, 720, 1215, 255, UnitLabel},
    {"Label6", Kind::Label, "Frame2", "Length", 270, 1080, 495, 195, Right},
    {"txtTankLength", Kind::Field, "Frame2", "324", 840, 1080, 1095, 285, Centred},
    {"lbllengths_1", Kind::Label, "Frame2", kStartLength, 2040, 1080, 1215, 255, UnitLabel},

    {"Label4", Kind::Label, "Frame4", "Type", 360, 360, 360, 195, Right},
    {"cboProductType", Kind::EditableSelector, "Frame4", kStartProduct, 840, 360, 2295, 315, None},
    {"Label7", Kind::Label, "Frame4", "Level", 360, 720, 390, 195, Right},
    {"txtProductLevel", Kind::Field, "Frame4", "48", 840, 720, 1095, 285, Centred},
    {"lbllengths_2", Kind::Label, "Frame4", kStartLength, 2040, 720, 1095, 255, UnitLabel},
    {"Label8", Kind::Label, "Frame4", "Temp.", 330, 1080, 450, 195, Right},
    {"txtProductTemp", Kind::Field, "Frame4", "70", 840, 1080, 1095, 285, Centred},
    {"lblTemp_0", Kind::Label, "Frame4", kStartTemperature, 2040, 1080, 975, 255, UnitLabel},
    {"lblCe", Kind::Label, "Frame4", "Ce Value:", 90, 1440, 690, 195, Right},
    {"txtCe", Kind::Field, "Frame4", kStartCe, 840, 1440, 1095, 285, Centred},
    {"lblVolumes_3", Kind::Label, "Frame4", kStartVolume, 2040, 1440, 495, 195, UnitLabel | AutoSize},
    {"Label10", Kind::Label, "Frame4", "per", 2040, 1680, 225, 195, Opaque},
    {"lblTemp_1", Kind::Label, "Frame4", kStartTemperature, 2400, 1680, 705, 195, UnitLabel | AutoSize},

    {"Label2", Kind::Label, "Frame5", "Lengths", 150, 360, 570, 195, Right},
    {"cboLengthUnits", Kind::EditableSelector, "Frame5", kStartLength, 840, 360, 2280, 315, None},
    {"Label3", Kind::Label, "Frame5", "Volumes", 120, 840, 600, 195, Right},
    {"cboVolumeUnits", Kind::EditableSelector, "Frame5", kStartVolume, 840, 840, 2280, 315, None},
    {"Label9", Kind::Label, "Frame5", "Temps", 240, 1320, 480, 195, None},
    {"cboTempUnits", Kind::EditableSelector, "Frame5", kStartTemperature, 840, 1320, 2295, 315, None},

    {"imgTank", Kind::Picture, "Frame3", "", 120, 240, 3495, 2655, None},
    {"lblCylinderInfo", Kind::Label, "Frame3",
     "* Length doesn't include hemispherical ends of cylinders and assumes true hemispheres.",
     240, 2400, 3480, 390, RedNote | Hidden},
    {"Label14", Kind::Label, "Frame3", "Ce Temp Ref", 360, 1200, 1095, 255, Hidden},
    {"txtCeTempRef", Kind::Field, "Frame3", kStartCeTempRef, 1440, 1200, 1095, 285, Centred | Hidden},
    {"lblTemp_2", Kind::Label, "Frame3", kStartTemperature, 2640, 1200, 975, 255, UnitLabel | Hidden},

    {"Label11", Kind::Label, "Frame1", "Tank Capacity", 120, 360, 1035, 195, Right},
    {"txtTankCapacity", Kind::Field, "Frame1", "10,000", 1320, 360, 1455, 285, Centred | Disabled},
    {"lblVolumes_0", Kind::Label, "Frame1", kStartVolume, 2880, 360, 495, 195, UnitLabel | AutoSize},
    {"Label12", Kind::Label, "Frame1", "Gross Volume", 240, 720, 975, 195, Right},
    {"txtGrossVolume", Kind::Field, "Frame1", "10,000", 1320, 720, 1455, 285, Centred | Disabled},
    {"lblVolumes_1", Kind::Label, "Frame1", kStartVolume, 2880, 720, 495, 195, UnitLabel | AutoSize},
    {"Label13", Kind::Label, "Frame1", "Net Volume", 360, 1080, 825, 195, Right},
    {"txtNetVolume", Kind::Field, "Frame1", "10,000", 1320, 1080, 1455, 285, Centred | ReadOnly},
    {"lblVolumes_2", Kind::Label, "Frame1", kStartVolume, 2880, 1080, 495, 195, UnitLabel | AutoSize},
};

// Keyboard focus order among the controls that take focus.
constexpr const char* kTabOrder[] = {
    "cboTankShape", "txtTankDiameter", "txtTankLength", "cboProductType", "txtProductLevel",
    "txtProductTemp", "cboLengthUnits", "cboVolumeUnits", "cboTempUnits", "Command1", "txtCe",
    "txtNetVolume",
};

// Screen-reader names of the fields, in the words an operator uses.
constexpr std::pair<const char*, const char*> kAccessibleNames[] = {
    {"cboTankShape", "Shape"},
    {"txtTankDiameter", "Diameter"},
    {"txtTankLength", "Length"},
    {"cboProductType", "Product type"},
    {"txtProductLevel", "Product level"},
    {"txtProductTemp", "Product temperature"},
    {"txtCe", "Ce value"},
    {"txtTankCapacity", "Tank capacity"},
    {"txtGrossVolume", "Gross volume"},
    {"txtNetVolume", "Net volume"},
    {"cboLengthUnits", "Lengths"},
    {"cboVolumeUnits", "Volumes"},
    {"cboTempUnits", "Temps"},
    {"imgTank", "Tank picture"},
    {"txtCeTempRef", "Ce reference temperature"},
};

// What the unit selectors change, said once for a screen-reader user.
constexpr std::pair<const char*, const char*> kAccessibleDescriptions[] = {
    {"cboLengthUnits", "Unit of every length"},
    {"cboVolumeUnits", "Unit of every volume"},
    {"cboTempUnits", "Unit of every temperature"},
};

// Captions a screen reader reads with a control: each is its control's
// buddy, and so one of the control's labels. On Linux a selector is known
// by its label rather than by its accessible name, which the bridge fills
// with the entry shown; a unit caption is read as it shows at that moment.
// No caption has an access key, so a buddy changes nothing for the keyboard.
struct ControlCaption {
    const char* caption;
    const char* control;
    const char* description;   // nullptr: the caption says it all
};
constexpr ControlCaption kControlCaptions[] = {
    {"Label1", "cboTankShape", nullptr},
    {"Label4", "cboProductType", nullptr},
    {"Label2", "cboLengthUnits", nullptr},
    {"Label3", "cboVolumeUnits", nullptr},
    {"Label9", "cboTempUnits", nullptr},
    {"lbllengths_0", "txtTankDiameter", "Unit of the diameter"},
    {"lbllengths_1", "txtTankLength", "Unit of the length"},
    {"lbllengths_2", "txtProductLevel", "Unit of the product level"},
    {"lblTemp_0", "txtProductTemp", "Unit of the product temperature"},
    {"lblVolumes_3", "txtCe", "Volume unit of the Ce value"},
    {"Label10", "txtCe", "Volume unit per temperature unit"},
    {"lblTemp_1", "txtCe", "Temperature unit of the Ce value"},
    {"lblVolumes_0", "txtTankCapacity", "Unit of the tank capacity"},
    {"lblVolumes_1", "txtGrossVolume", "Unit of the gross volume"},
    {"lblVolumes_2", "txtNetVolume", "Unit of the net volume"},
};

constexpr int kClientWidthTwips = 7125;
constexpr int kClientHeightTwips = 6210;
constexpr int kStatusBarHeightTwips = 375;

QFont defaultFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 8.25);
}

QFont boldFont(double points)
{
    return designFont(QStringLiteral("MS Sans Serif"), points, true);
}

QWidget* createControl(const ControlRow& row, QWidget* container)
{
    const QString text = QString::fromUtf8(row.text);
    QWidget* widget = nullptr;
    switch (row.kind) {
    case Kind::Frame: {
        auto* frame = new QGroupBox(text, container);
        frame->setFont(boldFont(8.25));
        if (row.traits & MenuColour) {
            frame->setAutoFillBackground(true);
            QPalette palette = frame->palette();
            palette.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));
            palette.setColor(QPalette::WindowText, Qt::black);
            frame->setPalette(palette);
        }
        widget = frame;
        break;
    }
    case Kind::Label: {
        auto* label = new QLabel(text, container);
        label->setAlignment((row.traits & Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        if (row.traits & Opaque)
            label->setAutoFillBackground(true);
        if (row.traits & RedNote) {
            label->setWordWrap(true);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
            label->setPalette(palette);
        }
        widget = label;
        break;
    }
    case Kind::Field: {
        auto* field = new QLineEdit(text, container);
        if (row.traits & Centred)
            field->setAlignment(Qt::AlignCenter);
        if (row.traits & Disabled)
            field->setEnabled(false);
        if (row.traits & ReadOnly)
            field->setReadOnly(true);
        field->setCursorPosition(0);
        widget = field;
        break;
    }
    case Kind::FixedSelector:
    case Kind::EditableSelector: {
        auto* selector = new SelectorBox(
            row.kind == Kind::EditableSelector ? SelectorBox::Kind::Editable : SelectorBox::Kind::FixedList,
            container);
        selector->showText(text);
        widget = selector;
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton(text, container);
        button->setFont(boldFont(13.5));
        // Enter on the focused button presses it, as Space does.
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(container);
        picture->setScaledContents(true);
        picture->setFrameShape(QFrame::Box);
        picture->setLineWidth(1);
        widget = picture;
        break;
    }
    }
    widget->setObjectName(QString::fromLatin1(row.name));
    if (row.kind != Kind::Frame && row.kind != Kind::Button)
        widget->setFont(defaultFont());
    widget->setGeometry(px(row.left), px(row.top), px(row.width), px(row.height));
    if (row.traits & AutoSize)
        makeAutoSizing(qobject_cast<QLabel*>(widget));
    if (row.traits & Hidden)
        widget->hide();
    return widget;
}

} // namespace

void Mainform::buildControls()
{
    setObjectName("Mainform");
    setWindowTitle(QStringLiteral("Ombrix Associates Gaugestar"));
    windowkit::useProgramIcon(this);
    // A minimise button but no maximise button; the border stays resizable.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(defaultFont());

    auto* client = new QWidget(this);
    client->setObjectName("clientArea");
    setCentralWidget(client);

    QHash<QString, QWidget*> byName;
    for (const ControlRow& row : kControls) {
        QWidget* container = row.container ? byName.value(QString::fromLatin1(row.container)) : client;
        byName.insert(QString::fromLatin1(row.name), createControl(row, container));
    }
    const auto control = [&byName](const char* name) { return byName.value(QString::fromLatin1(name)); };

    Frame1 = qobject_cast<QGroupBox*>(control("Frame1"));
    Frame2 = qobject_cast<QGroupBox*>(control("Frame2"));
    Frame3 = qobject_cast<QGroupBox*>(control("Frame3"));
    Frame4 = qobject_cast<QGroupBox*>(control("Frame4"));
    Frame5 = qobject_cast<QGroupBox*>(control("Frame5"));
    Frame6 = qobject_cast<QGroupBox*>(control("Frame6"));
    Command1 = qobject_cast<QPushButton*>(control("Command1"));
    cboTankShape = qobject_cast<SelectorBox*>(control("cboTankShape"));
    cboProductType = qobject_cast<SelectorBox*>(control("cboProductType"));
    cboLengthUnits = qobject_cast<SelectorBox*>(control("cboLengthUnits"));
    cboVolumeUnits = qobject_cast<SelectorBox*>(control("cboVolumeUnits"));
    cboTempUnits = qobject_cast<SelectorBox*>(control("cboTempUnits"));
    txtTankDiameter = qobject_cast<QLineEdit*>(control("txtTankDiameter"));
    txtTankLength = qobject_cast<QLineEdit*>(control("txtTankLength"));
    txtProductLevel = qobject_cast<QLineEdit*>(control("txtProductLevel"));
    txtProductTemp = qobject_cast<QLineEdit*>(control("txtProductTemp"));
    txtCe = qobject_cast<QLineEdit*>(control("txtCe"));
    txtCeTempRef = qobject_cast<QLineEdit*>(control("txtCeTempRef"));
    txtTankCapacity = qobject_cast<QLineEdit*>(control("txtTankCapacity"));
    txtGrossVolume = qobject_cast<QLineEdit*>(control("txtGrossVolume"));
    txtNetVolume = qobject_cast<QLineEdit*>(control("txtNetVolume"));
    for (std::size_t i = 0; i < lbllengths.size(); ++i)
        lbllengths[i] = qobject_cast<QLabel*>(control(("lbllengths_" + std::to_string(i)).c_str()));
    for (std::size_t i = 0; i < lblVolumes.size(); ++i)
        lblVolumes[i] = qobject_cast<QLabel*>(control(("lblVolumes_" + std::to_string(i)).c_str()));
    for (std::size_t i = 0; i < lblTemp.size(); ++i)
        lblTemp[i] = qobject_cast<QLabel*>(control(("lblTemp_" + std::to_string(i)).c_str()));
    lblCylinderInfo = qobject_cast<QLabel*>(control("lblCylinderInfo"));
    imgTank = qobject_cast<QLabel*>(control("imgTank"));

    for (const auto& [name, accessibleName] : kAccessibleNames)
        control(name)->setAccessibleName(QString::fromLatin1(accessibleName));
    for (const auto& [name, description] : kAccessibleDescriptions)
        control(name)->setAccessibleDescription(QString::fromLatin1(description));
    for (const ControlCaption& captioned : kControlCaptions) {
        auto* caption = qobject_cast<QLabel*>(control(captioned.caption));
        caption->setBuddy(control(captioned.control));
        if (captioned.description)
            caption->setAccessibleDescription(QString::fromLatin1(captioned.description));
    }

    // Labels take no focus; everything else follows the operator's order.
    for (std::size_t i = 1; i < std::size(kTabOrder); ++i)
        QWidget::setTabOrder(control(kTabOrder[i - 1]), control(kTabOrder[i]));

    // The file dialog is a component without a visible area; a chart run
    // sets it up each time it opens it.
    CDialog1 = new QFileDialog(this);
    CDialog1->setObjectName("CDialog1");

    sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName("sbStatusBar");
    sbStatusBar->setFixedHeight(px(kStatusBarHeightTwips));
    auto* statusPanel = new QLabel(QStringLiteral("Status"), sbStatusBar);
    statusPanel->setObjectName("sbStatusPanel");
    statusPanel->setMinimumWidth(px(1440));
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
    resize(px(kClientWidthTwips), menuBar()->sizeHint().height() + px(kClientHeightTwips));
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
