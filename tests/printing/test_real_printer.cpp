// Printing on the system's default printer, as the operator does it: a
// chart answered with Yes, and Print Screen, both from the menu bar with
// nothing put in between. The printer is a PDF printer (scripts/cups-printer
// sets one up as the default of the tests' own print server), so what came
// out can be counted page by page.

#include "main_window/main_form.h"

#include "model/chart_printout.h"
#include "model/chart_setup.h"

#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/printed_page.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace texts = testsupport::texts;
using testsupport::chooseMenuEntry;
using testsupport::inkedArea;

namespace {

// A print server takes its time: converting and writing a PDF can take
// seconds on a busy machine.
constexpr int kPdfTimeoutMs = 120000;

// Jobs the print server still has to finish; none when it cannot be asked.
bool jobsPending()
{
    const QString lpstat = QStandardPaths::findExecutable("lpstat");
    if (lpstat.isEmpty())
        return false;
    QProcess process;
    process.start(lpstat, {"-o"});
    if (!process.waitForFinished(10000))
        return true;
    return !process.readAllStandardOutput().trimmed().isEmpty();
}

// The one PDF that is new in `folder`, once the server has finished every
// job; empty when none (or more than one) came in time.
QString waitForNewPdf(const QDir& folder, const QStringList& before)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kPdfTimeoutMs) {
        QStringList fresh = folder.entryList({"*.pdf"}, QDir::Files);
        fresh.removeIf([&before](const QString& name) { return before.contains(name); });
        if (fresh.size() > 1)
            return {};
        if (fresh.size() == 1 && !jobsPending())
            return folder.filePath(fresh.first());
        QTest::qWait(250);
    }
    return {};
}

// The pages of a PDF as pictures at `dotsPerInch`; empty when it does not render.
QList<QImage> renderedPages(const QString& pdf, int dotsPerInch)
{
    QTemporaryDir out;
    QProcess render;
    render.start(QStandardPaths::findExecutable("pdftoppm"),
                 {"-q", "-r", QString::number(dotsPerInch), "-png", pdf, out.filePath("page")});
    if (!render.waitForFinished(60000) || render.exitStatus() != QProcess::NormalExit || render.exitCode() != 0)
        return {};
    QList<QImage> pages;
    const QStringList names = QDir(out.path()).entryList({"page*.png"}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        pages << QImage(out.filePath(name));
    return pages;
}

// The chart's layout on paper of this printer's size, only counting pages.
// Its line height is that of the printout's font (10 pt Liberation Mono),
// and a line may start no lower than one and a half lines above the bottom,
// as the printout allows.
class PageCounter : public model::PrintSurface {
public:
    explicit PageCounter(const QPrinterInfo& printer)
    {
        QPrinter device(printer, QPrinter::HighResolution);
        QFont font(QStringLiteral("Liberation Mono"));
        font.setStyleHint(QFont::Monospace);
        font.setPointSizeF(10.0);
        line = static_cast<float>(QFontMetricsF(font, &device).height());
        lowestStart = static_cast<float>(device.pageRect(QPrinter::DevicePixel).height() - 1.5 * line);
    }

    // Full chart lines (three rows each) that fit one page after the first.
    int linesPerPage() const { return static_cast<int>(lowestStart / (1.5f * line)); }
    int pages() const { return pageCount; }

    float textWidth(std::string_view text) override { return static_cast<float>(text.size()); }
    float textHeight(std::string_view) override { return line; }
    float currentX() const override { return x; }
    float currentY() const override { return y; }
    void setCurrentX(float value) override { x = value; }
    void setCurrentY(float value) override { y = value; }
    float pageHeight() override { return lowestStart; }
    bool printLine(std::string_view) override
    {
        x = 0;
        y += line;
        return true;
    }
    bool newPage() override
    {
        ++pageCount;
        x = y = 0;
        return true;
    }
    bool endDocument() override { return true; }

private:
    float line = 0;
    float lowestStart = 0;
    float x = 0;
    float y = 0;
    int pageCount = 1;
};

} // namespace

class TestRealPrinter : public QObject {
    Q_OBJECT

    QDir pdfFolder;
    std::unique_ptr<Mainform> form;
    testsupport::ScriptedDialogs* dialogs = nullptr;
    QTemporaryDir dir;

    template <typename T>
    T* control(const char* name)
    {
        return testsupport::control<T>(form.get(), QString::fromLatin1(name));
    }
    [[nodiscard]] bool setSelector(const char* name, const QString& text)
    {
        auto* selector = control<QComboBox>(name);
        return selector->currentText() == text || testsupport::chooseEntry(selector, text);
    }

private slots:
    void initTestCase()
    {
        // The print server of scripts/cups-printer for the same root; set
        // before the first call into the print system, which reads it once.
        const QString root =
            qEnvironmentVariable("GAUGESTAR_PRINTER_ROOT", QStringLiteral(GAUGESTAR_DEFAULT_PRINTER_ROOT));
        qputenv("CUPS_SERVER", QFile::encodeName(root + "/cups.sock"));
        if (QPrinterInfo::defaultPrinter().isNull())
            QSKIP("no default printer: run the test command as root or through sudo to get a CUPS-PDF queue");
        const QString folder = root + "/pdf";
        if (!QDir(folder).exists())
            QSKIP(qPrintable("no CUPS-PDF output folder " + folder +
                             ": start scripts/cups-printer with the same"
                             " GAUGESTAR_PRINTER_ROOT"));
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        pdfFolder = QDir(folder);
        QVERIFY(dir.isValid());
    }

    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        QVERIFY(testsupport::showMainWindow(form, dialogs));
    }
    void cleanup() { form.reset(); }

    // A chart over several pages: the chart file written, and a PDF with
    // as many pages as the chart needs on this printer's paper.
    void chartAnsweredYes()
    {
        const QString diameter = "96";
        PageCounter counter(QPrinterInfo::defaultPrinter());
        QVERIFY(counter.linesPerPage() > 5);
        // About two and a half pages of lines, so the count does not hang
        // on the exact height of a line.
        const int lines = counter.linesPerPage() * 5 / 2;
        const int steps = 3 * lines - 1;
        const QString increment = QString::number(diameter.toDouble() / steps, 'g', 17);

        QVERIFY(setSelector("cboTankShape", "Flat-Ended (Steel)"));
        QVERIFY(setSelector("cboLengthUnits", "inches"));
        QVERIFY(setSelector("cboVolumeUnits", "gallons"));
        QVERIFY(testsupport::typeInto(control<QLineEdit>("txtTankDiameter"), diameter));
        QVERIFY(testsupport::typeInto(control<QLineEdit>("txtTankLength"), "240"));

        model::ChartFieldTexts texts{diameter.toStdString(), "240", "inches", "Flat-Ended (Steel)", "gallons"};
        const model::StepCount count = model::stepCount(96.0, diameter.toDouble() / steps);
        QCOMPARE(count.steps, steps);
        const std::optional<model::ChartGeometry> geometry = model::chartGeometry(texts, count.steps);
        QVERIFY(geometry);
        QVERIFY(model::printChart(*geometry, counter, {}));
        QVERIFY2(counter.pages() >= 2, "the chart should need more than one page");

        const QStringList before = pdfFolder.entryList({"*.pdf"}, QDir::Files);
        const QString chartPath = dir.filePath("chart.txt");
        dialogs->expectMessage(texts::chartNotice);
        dialogs->expectInput(texts::incrementPrompt, increment);
        dialogs->expectFile(chartPath);
        dialogs->expectQuestion(texts::printQuestion, QMessageBox::Yes);
        QVERIFY(chooseMenuEntry(form.get(), "mnuUtilities", "mnuTGen"));
        VERIFY_DIALOGS(*dialogs);

        QFile chartFile(chartPath);
        QVERIFY(chartFile.open(QIODevice::ReadOnly));
        QCOMPARE(chartFile.readAll().count("\r\n"), 1 + lines);

        const QString pdf = waitForNewPdf(pdfFolder, before);
        QVERIFY2(!pdf.isEmpty(), qPrintable("no new PDF in " + pdfFolder.path()));
        const QList<QImage> pages = renderedPages(pdf, 30);
        QCOMPARE(pages.size(), counter.pages());
        for (const QImage& page : pages)
            QVERIFY(!inkedArea(page).isEmpty());
    }

    // Print Screen: one page, the window on it at its size on the screen,
    // and no message.
    void printScreen()
    {
        QVERIFY(testsupport::typeInto(control<QLineEdit>("txtTankDiameter"), "120"));
        const QStringList before = pdfFolder.entryList({"*.pdf"}, QDir::Files);
        const QSize shown(form->width(), form->height() - form->menuBar()->height());

        // Printing is done when the entry's handler returns; a message it
        // showed has failed the test by then.
        QVERIFY(chooseMenuEntry(form.get(), "mnuFile", "mnuPrint"));

        const QString pdf = waitForNewPdf(pdfFolder, before);
        QVERIFY2(!pdf.isEmpty(), qPrintable("no new PDF in " + pdfFolder.path()));
        const QList<QImage> pages = renderedPages(pdf, form->logicalDpiX());
        QCOMPARE(pages.size(), 1);
        const QRect picture = inkedArea(pages.first());
        QVERIFY2(std::abs(picture.width() - shown.width()) <= 3 && std::abs(picture.height() - shown.height()) <= 3,
                 qPrintable(QString("printed %1x%2, shown %3x%4")
                                .arg(picture.width())
                                .arg(picture.height())
                                .arg(shown.width())
                                .arg(shown.height())));
    }
};

QTEST_MAIN(TestRealPrinter)
#include "test_real_printer.moc"
