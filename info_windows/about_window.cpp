#include "info_windows/about_window.h"

#include "info_windows/notice.h"

#include "window_kit/app_identity.h"
#include "window_kit/font_substitutes.h"
#include "window_kit/twips.h"
#include "window_kit/window_look.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kClientWidthTwips = 5430;
constexpr int kClientHeightTwips = 2970;

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    // A fixed border with a close control only; as a window owned by the
    // main window it stays out of the task bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About Gaugestar"));
    buildControls();
    Form_Load();
}

void frmAbout::buildControls()
{
    setFixedSize(windowkit::px(kClientWidthTwips), windowkit::px(kClientHeightTwips));
    windowkit::useMenuBackground(this);
    windowkit::useProgramIcon(this);
    setFont(windowkit::designFont(QStringLiteral("MS Sans Serif"), 8.25));

    // Made first, so the OK button stands in front of it.
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    windowkit::placeTwips(Frame1, {120, 720, 5295, 1815});

    Image2 = windowkit::tankPicture(QStringLiteral("ctank100"), Frame1);
    Image2->setObjectName("Image2");
    Image2->setAccessibleName(QStringLiteral("Full tank"));
    windowkit::placeTwips(Image2, {120, 240, 2775, 1455});

    lblTitle = new QLabel(QStringLiteral("App Name"), this);
    lblTitle->setObjectName("lblTitle");
    QPalette black = lblTitle->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblTitle->setPalette(black);
    windowkit::placeTwips(lblTitle, {120, 120, 1485, 240});

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName("lblVersion");
    windowkit::placeTwips(lblVersion, {120, 360, 3885, 225});

    lblNotice = new QLabel(figuresNotice(), this);
    lblNotice->setObjectName("lblNotice");
    lblNotice->setWordWrap(true);
    windowkit::placeTwips(lblNotice, {120, 2640, 3375, 255});

    Label1 = new QLabel(QStringLiteral("Fuel tank calculator by Ombrix Associates"), this);
    Label1->setObjectName("Label1");
    windowkit::placeTwips(Label1, {2160, 120, 3135, 375});

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName("cmdOK");
    windowkit::placeTwips(cmdOK, {3360, 1335, 1740, 585});
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    windowkit::centreOnScreen(this);
}

void frmAbout::Form_Load()
{
    lblVersion->setText(windowkit::applicationVersionCaption());
    lblTitle->setText(windowkit::applicationTitle());
}

void frmAbout::cmdOK_Click() { close(); }
