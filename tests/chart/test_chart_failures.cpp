// Chart runs that fail, again and again, each followed by a run that must
// succeed: every way a run can end early must let go of the chart file and
// of the print job, or the operator's next chart would fail too. Runs are
// started from the menu bar.

#include "main_window/main_form.h"

#include "chart/chart_printer.h"
#include "support/pdf_printers.h"

#include "recording_surface.h"
#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/helper_checks.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <memory>

using testsupport::ScriptedDialogs;

namespace texts = testsupport::texts;
using testsupport::chooseMenuEntry;

namespace {

const QString cancel = "<cancel>";

// Diameter 28 at increment 1: 29 rows, ten lines, three pages on the
// recording printer below.
const QString goodIncrement = "1";
constexpr qsizetype kChartLines = 11;
constexpr float kPageHeight = 200.0f;

enum class Fault {
    None,
    NoPrinter,    // nothing to print on
    LineFails,    // a line fails part-way through the chart
    NewPageFails, // the printer cannot start the second page
    EndFails,     // the document cannot be ended
};

enum class PrinterKind {
    Paper, // records what is printed
    Pdf,   // the program's own PDF printer, into a real file
};

// What became of every print job a printer handed out.
struct JobLedger {
    int asked = 0;
    int begun = 0;
    int ended = 0;
    int released = 0;
};

// Puts a fault in front of a printer and counts its jobs: begun when handed
// out, ended when the document was sent, released when the run let it go.
class LedgerSurface : public model::PrintSurface {
public:
    LedgerSurface(std::unique_ptr<model::PrintSurface> inner, JobLedger& ledger, Fault fault)
        : inner(std::move(inner)), ledger(ledger), fault(fault)
    {
        ++ledger.begun;
    }
    ~LedgerSurface() override
    {
        inner.reset();
        ++ledger.released;
    }

    float textWidth(std::string_view text) override { return inner->textWidth(text); }
    float textHeight(std::string_view text) override { return inner->textHeight(text); }
    float currentX() const override { return inner->currentX(); }
    float currentY() const override { return inner->currentY(); }
    void setCurrentX(float x) override { inner->setCurrentX(x); }
    void setCurrentY(float y) override { inner->setCurrentY(y); }
    float pageHeight() override { return inner->pageHeight(); }

    bool printLine(std::string_view text) override
    {
        // The header, the empty line and two chart lines go out first.
        if (fault == Fault::LineFails && ++linesPrinted > 4)
            return false;
        return inner->printLine(text);
    }
    bool newPage() override { return fault != Fault::NewPageFails && inner->newPage(); }
    bool endDocument() override
    {
        if (fault == Fault::EndFails || !inner->endDocument())
            return false;
        ++ledger.ended;
        return true;
    }

private:
    std::unique_ptr<model::PrintSurface> inner;
    JobLedger& ledger;
    Fault fault;
    int linesPrinted = 0;
};

class LedgerPrinterFactory : public chart::ChartPrinterFactory {
public:
    JobLedger ledger;
    Fault fault = Fault::None;
    PrinterKind kind = PrinterKind::Paper;
    QString pdfPath;
    std::shared_ptr<PrintLog> lastLog;

    std::unique_ptr<model::PrintSurface> openPrintout() override
    {
        ++ledger.asked;
        lastLog.reset();
        if (fault == Fault::NoPrinter)
            return nullptr;
        std::unique_ptr<model::PrintSurface> inner;
        if (kind == PrinterKind::Paper) {
            lastLog = std::make_shared<PrintLog>();
            inner = std::make_unique<RecordingSurface>(lastLog, kPageHeight);
        } else {
            inner = PdfFileChartFactory(pdfPath).openPrintout();
            if (!inner)
                return nullptr;
        }
        return std::make_unique<LedgerSurface>(std::move(inner), ledger, fault);
    }
};

// How a failing run goes. `file` is the path typed into the file dialog:
// "" for no dialog, "<cancel>" to cancel it, "<chart>" for the chart file.
struct FailingRun {
    QStringList increments = {};
    QString file = {};
    bool question = false;
    Fault fault = Fault::None;
    PrinterKind printer = PrinterKind::Paper;
    bool writesChart = false; // the chart file is written in full
    int cannotSave = 0;       // the system's error the chart file's message gives
    // Length unit, diameter and length typed for this run alone; an old
    // chart file lies where the chart would go and must keep its bytes.
    QStringList tank = {};
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// What this process holds open: one target per descriptor.
QStringList openDescriptors()
{
    QStringList targets;
    const QDir descriptors("/proc/self/fd");
    const auto names = descriptors.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        targets << QFile::symLinkTarget(descriptors.filePath(name));
    return targets;
}

// The files a chart run could leave open, by name. Pipes and event
// descriptors come and go with Qt's worker threads, and Qt keeps the
// system's shared data (a font file, the MIME database) open once a round
// has needed it: neither is counted (both seen to differ between rounds).
QStringList filesHeld()
{
    QStringList held = openDescriptors();
    held.removeIf(
        [](const QString& target) { return target.startsWith("/proc/self/fd/") || target.startsWith("/usr/share/"); });
    return held;
}

} // namespace

Q_DECLARE_METATYPE(FailingRun)

class TestChartFailures : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Mainform> form;
    ScriptedDialogs* dialogs = nullptr;
    LedgerPrinterFactory* printers = nullptr;

    QString chartPath() const { return dir->filePath("chart.txt"); }
    QString pdfPath() const { return dir->filePath("chart.pdf"); }

    [[nodiscard]] bool setSelector(const char* name, const QString& text)
    {
        auto* selector = form->findChild<QComboBox*>(name);
        return selector && (selector->currentText() == text || testsupport::chooseEntry(selector, text));
    }

    // Length unit, diameter and length; the shape and volume unit are the
    // good runs'.
    [[nodiscard]] bool describeTank(const QStringList& tank = {"inches", "28", "24"})
    {
        return setSelector("cboTankShape", "Flat-Ended (Steel)") && setSelector("cboLengthUnits", tank[0]) &&
               setSelector("cboVolumeUnits", "gallons") &&
               testsupport::typeInto(form->findChild<QLineEdit*>("txtTankDiameter"), tank[1]) &&
               testsupport::typeInto(form->findChild<QLineEdit*>("txtTankLength"), tank[2]);
    }

    // One run from the menu, its dialogs answered as `run` says.
    [[nodiscard]] bool chartRun(const FailingRun& run)
    {
        ScriptedDialogs& driver = ScriptedDialogs::answering(*form);
        driver.expectMessage(texts::chartNotice);
        for (qsizetype i = 0; i < run.increments.size(); ++i) {
            if (run.increments[i] == cancel)
                driver.expectInputCancel(texts::incrementPrompt);
            else
                driver.expectInput(texts::incrementPrompt, run.increments[i]);
            if (i + 1 < run.increments.size())
                driver.expectMessage(texts::zeroIncrement);
        }
        const QString path = run.file.startsWith('/') ? run.file : dir->filePath(run.file);
        if (run.file == cancel)
            driver.expectFileCancel();
        else if (run.file == "<chart>")
            driver.expectFile(chartPath());
        else if (!run.file.isEmpty())
            driver.expectFile(path);
        if (run.cannotSave)
            driver.expectMessage(texts::chartNotSaved(path, run.cannotSave));
        if (run.question)
            driver.expectQuestion(texts::printQuestion, QMessageBox::Yes);
        if (run.fault != Fault::None)
            driver.expectMessage(texts::printProblem);
        CHECK(chooseMenuEntry(form.get(), "mnuUtilities", "mnuTGen"));
        CHECK_COMPARE(driver.pending(), 0);
        return true;
    }

    // Nothing of the run is held any more: no file of the test's folder (or
    // the full disk) is open, and every print job handed out was let go.
    [[nodiscard]] bool verifyNothingHeld()
    {
        const QStringList open = openDescriptors();
        for (const QString& target : open)
            CHECK2(!target.startsWith(dir->path()) && target != "/dev/full", qPrintable("still open: " + target));
        CHECK_COMPARE(printers->ledger.released, printers->ledger.begun);
        return true;
    }

    // The file the good runs write: header and ten lines, each ending CR LF.
    [[nodiscard]] bool verifyChartFile()
    {
        const QByteArray bytes = fileBytes(chartPath());
        CHECK(bytes.startsWith("LEVEL RANGE         LEVEL/VOLUME,     LEVEL/VOLUME,      LEVEL/VOLUME\r\n"));
        CHECK(bytes.endsWith("  \r\n"));
        CHECK_COMPARE(bytes.count("\r\n"), kChartLines);
        if (reference.isEmpty())
            reference = bytes;
        CHECK_COMPARE(bytes, reference);
        return true;
    }

    // The printout of a good run: the file's lines, the empty line after
    // the header, over several pages, the document ended.
    [[nodiscard]] bool verifyPrinted(PrinterKind kind, int endedBefore)
    {
        CHECK_COMPARE(printers->ledger.ended, endedBefore + 1);
        if (kind == PrinterKind::Pdf) {
            const QByteArray pdf = fileBytes(pdfPath());
            CHECK(pdf.startsWith("%PDF-"));
            CHECK(pdf.trimmed().endsWith("%%EOF"));
            return true;
        }
        CHECK(printers->lastLog);
        QStringList printed;
        for (const PrintedLine& line : printers->lastLog->lines)
            printed << QString::fromStdString(line.text);
        QStringList expected = QString::fromLatin1(fileBytes(chartPath())).split("\r\n");
        expected.removeLast();
        expected.insert(1, QString());
        CHECK_COMPARE(printed, expected);
        CHECK(printers->lastLog->page > 1);
        return true;
    }

    QByteArray reference;

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(testsupport::showMainWindow(form, dialogs));
        auto ledger = std::make_unique<LedgerPrinterFactory>();
        printers = ledger.get();
        printers->pdfPath = pdfPath();
        form->setChartPrinterFactory(std::move(ledger));
        QVERIFY(describeTank());
    }
    void cleanup()
    {
        form.reset();
        dir.reset();
    }

    void failureThenSuccess_data()
    {
        QTest::addColumn<FailingRun>("failing");

        const auto row = [](const char* name, const FailingRun& run) { QTest::newRow(name) << run; };
        const QStringList good = {goodIncrement};
        row("cancel on the increment", {.increments = {cancel}});
        row("abc as the increment", {.increments = {"abc"}});
        row("0, then a number",
            {.increments = {"0", goodIncrement}, .file = "<chart>", .question = true, .writesChart = true});
        row("0, then cancel", {.increments = {"0", "0", cancel}});
        row("too many steps", {.increments = {"0.0001"}});
        row("diameter overflows in inches", {.increments = {"1e306"}, .tank = {"meters", "1e307", "24"}});
        row("length overflows in inches", {.increments = good, .tank = {"meters", "28", "1e307"}});
        row("radius beyond 32 bits", {.increments = {"1e38"}, .tank = {"inches", "1e39", "24"}});
        row("length beyond 32 bits", {.increments = {"10"}, .tank = {"feet", "96", "1e38"}});
        row("last level beyond 32 bits", {.increments = {"1e38"}, .tank = {"inches", "4e38", "24"}});
        row("file dialog cancelled", {.increments = good, .file = cancel});
        row("folder that is not there", {.increments = good, .file = "no such folder/chart.txt", .cannotSave = ENOENT});
        if (QFile::exists("/dev/full"))
            row("disk full while writing", {.increments = good, .file = "/dev/full", .cannotSave = ENOSPC});
        const FailingRun printed{.increments = good, .file = "<chart>", .question = true, .writesChart = true};
        const auto failing = [&printed](Fault fault, PrinterKind printer = PrinterKind::Paper) {
            FailingRun run = printed;
            run.fault = fault;
            run.printer = printer;
            return run;
        };
        row("no printer", failing(Fault::NoPrinter));
        row("printer fails mid-job", failing(Fault::LineFails));
        row("printer fails at a new page", failing(Fault::NewPageFails));
        row("printer cannot end the document", failing(Fault::EndFails));
        row("PDF printer fails mid-job", failing(Fault::LineFails, PrinterKind::Pdf));
        row("PDF printer cannot end the document", failing(Fault::EndFails, PrinterKind::Pdf));
    }

    // Each failure, then a good run, three times over: the good run writes
    // the whole file and prints it, and nothing piles up from round to round.
    void failureThenSuccess()
    {
        QFETCH(FailingRun, failing);
        const FailingRun good{.increments = {goodIncrement},
                              .file = "<chart>",
                              .question = true,
                              .printer = failing.printer,
                              .writesChart = true};
        printers->kind = failing.printer;
        const bool countDescriptors = QDir("/proc/self/fd").exists();
        qsizetype openAfterFirstRound = 0;

        for (int round = 0; round < 3; ++round) {
            QFile::remove(chartPath());
            QFile::remove(pdfPath());
            printers->fault = failing.fault;
            const JobLedger before = printers->ledger;
            const QByteArray oldChart = "an old chart\r\n";
            if (!failing.tank.isEmpty()) {
                QFile old(chartPath());
                QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldChart) == oldChart.size());
                QVERIFY(describeTank(failing.tank));
            }
            QVERIFY(chartRun(failing));
            QVERIFY(verifyNothingHeld());
            if (failing.writesChart)
                QVERIFY(verifyChartFile());
            else if (!failing.tank.isEmpty())
                QCOMPARE(fileBytes(chartPath()), oldChart);
            else
                QVERIFY(!QFile::exists(chartPath()));
            QCOMPARE(printers->ledger.asked, before.asked + (failing.question ? 1 : 0));
            if (failing.fault == Fault::None && failing.question)
                QVERIFY(verifyPrinted(failing.printer, before.ended));
            else
                QCOMPARE(printers->ledger.ended, before.ended);

            if (!failing.tank.isEmpty()) {
                // Small again before the unit goes back to inches.
                QVERIFY(testsupport::typeInto(form->findChild<QLineEdit*>("txtTankDiameter"), "28"));
                QVERIFY(testsupport::typeInto(form->findChild<QLineEdit*>("txtTankLength"), "24"));
                QVERIFY(describeTank());
            }
            QFile::remove(chartPath());
            QFile::remove(pdfPath());
            printers->fault = Fault::None;
            const int endedBefore = printers->ledger.ended;
            QVERIFY(chartRun(good));
            QVERIFY(verifyNothingHeld());
            QVERIFY(verifyChartFile());
            QVERIFY(verifyPrinted(failing.printer, endedBefore));

            // Later rounds must leave no more files open than the first.
            if (countDescriptors) {
                if (round == 0)
                    openAfterFirstRound = filesHeld().size();
                else
                    QTRY_VERIFY2(filesHeld().size() <= openAfterFirstRound, qPrintable(filesHeld().join(", ")));
            }
        }
    }
};

QTEST_MAIN(TestChartFailures)
#include "test_chart_failures.moc"
