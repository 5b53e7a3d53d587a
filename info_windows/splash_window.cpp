#include "info_windows/splash_window.h"

#include "info_windows/notice.h"

#include "window_kit/app_identity.h"
#include "window_kit/font_substitutes.h"
#include "window_kit/twips.h"
#include "window_kit/window_look.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int kClientWidthTwips = 5715;
constexpr int kClientHeightTwips = 3405;
constexpr int kShowMilliseconds = 2000;

QLabel* label(const char* name, const QString& text, QWidget* container, windowkit::Twips at, const QFont& font)
{
    auto* created = new QLabel(text, container);
    created->setObjectName(QString::fromLatin1(name));
    created->setFont(font);
    windowkit::placeTwips(created, at);
    return created;
}

} // namespace

frmSplash::frmSplash(QWidget* parent) : QFrame(parent)
{
    // A splash-screen window does not count as the application's last
    // window: closing it does not end the event loop before the main
    // window opens. It carries no title bar and stays out of the task bar.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("frmSplash");
    buildControls();
    Form_Load();
}

void frmSplash::buildControls()
{
    // Without a title bar, a raised border marks the window's edge; the
    // client area sits inside it.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    const int border = frameWidth();
    setFixedSize(windowkit::px(kClientWidthTwips) + 2 * border, windowkit::px(kClientHeightTwips) + 2 * border);
    windowkit::useMenuBackground(this);
    windowkit::useProgramIcon(this);
    setFont(windowkit::designFont(QStringLiteral("MS Sans Serif"), 8.25));

    client = new QWidget(this);
    client->setObjectName("clientArea");
    client->setGeometry(border, border, windowkit::px(kClientWidthTwips), windowkit::px(kClientHeightTwips));

    lblProductName = label("lblProductName", QStringLiteral("Ombrix Gaugestar"), client, {120, 120, 2940, 330},
                           windowkit::designFont(QStringLiteral("Arial"), 14.25, true));
    windowkit::useMenuBackground(lblProductName);
    lblProductName->adjustSize();

    Frame1 = new QGroupBox(client);
    Frame1->setObjectName("Frame1");
    windowkit::placeTwips(Frame1, {120, 480, 5460, 2010});
    windowkit::useMenuBackground(Frame1);

    imgLogo = windowkit::tankPicture(QStringLiteral("ctank75"), Frame1);
    imgLogo->setObjectName("imgLogo");
    windowkit::placeTwips(imgLogo, {240, 240, 2775, 1665});
    imgLogo->setAccessibleName(QStringLiteral("Gaugestar tank"));

    Label1 = label("Label1", QStringLiteral("For"), Frame1, {3120, 240, 855, 255},
                   windowkit::designFont(QStringLiteral("Arial"), 9.75, true));
    lblPlatform = label("lblPlatform", QStringLiteral("Windows 95/98/NT"), Frame1, {3120, 480, 2115, 285},
                        windowkit::designFont(QStringLiteral("Arial"), 12, true));
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblPlatform->adjustSize();
    lblVersion = label("lblVersion", QString(), Frame1, {3120, 840, 720, 240},
                       windowkit::designFont(QStringLiteral("Arial"), 9.75, true));

    Timer1 = new QTimer(Frame1);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(kShowMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Label2 = label("Label2", figuresNotice(), client, {120, 2640, 3375, 255}, font());
    Label2->setWordWrap(true);

    Line1 = new QFrame(client);
    Line1->setObjectName("Line1");
    Line1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    Line1->setLineWidth(1);
    Line1->setGeometry(windowkit::px(120), windowkit::px(3000), windowkit::px(5160 - 120) + 1, 1);

    Label3 = label("Label3", QStringLiteral("Fuel storage tank calculator by Ombrix Associates"), client,
                   {120, 3120, 4335, 255}, font());

    windowkit::centreOnScreen(this);
}

void frmSplash::Form_Load()
{
    lblVersion->setText(windowkit::applicationVersionCaption());
    lblVersion->adjustSize();
    Timer1->start();
}

void frmSplash::Timer1_Timer()
{
    timeIsUp = true;
    close();
    emit timeUp();
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    // It goes only when its time is up: no key, click or close request of
    // the window manager ends it early (which would also leave the program
    // without a main window).
    if (timeIsUp)
        event->accept();
    else
        event->ignore();
}
