// The tank chart generator from its menu entry, its dialogs answered as an
// operator would (and the real ones looked at once): the chart file's bytes, every
// way a run ends, and the printout (recorded, and once into a real PDF file).

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
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <memory>
#include <optional>

using testsupport::ScriptedDialogs;

namespace texts = testsupport::texts;

namespace {

const QString cancel = "<cancel>";

const QString header = "LEVEL RANGE         LEVEL/VOLUME,     LEVEL/VOLUME,      LEVEL/VOLUME";
const QStringList workedExample = {
    header,
    "  0.00 -   6.00     0.00,     0.00    3.00,     2.30    6.00,     5.88  ",
    "  9.00 -  12.00     9.00,     9.45   12.00,    11.75  ",
};

struct Tank {
    QString shape = "Flat-Ended (Steel)";
    QString lengthUnit = "inches";
    QString volumeUnit = "gallons";
    QString diameter = "12";
    QString length = "24";
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray crlfLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QString foldBlanks(QString text) { return text.replace(QRegularExpression("\\s+"), " ").trimmed(); }

} // namespace

// One run of the table below: the tank, the increments answered in turn,
// what becomes of the file dialog, and what the run says and writes.
enum class File { NotAsked, Accept, Cancel };
struct ChartRun {
    Tank tank = {};
    QStringList increments = {};
    File file = File::NotAsked;
    int calculationMessages = 0;
    bool question = false;
    QStringList lines = {}; // empty: no file at all
};

Q_DECLARE_METATYPE(ChartRun)

class TestChartMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<Mainform> form;
    ScriptedDialogs* dialogs = nullptr;
    RecordingPrinterFactory* printers = nullptr;
    std::unique_ptr<QTemporaryDir> dir;

    template <typename T>
    T* control(const char* name)
    {
        return testsupport::control<T>(form.get(), QString::fromLatin1(name));
    }

    // Units first: choosing one converts the values already shown.
    [[nodiscard]] bool describe(const Tank& tank)
    {
        return setSelector("cboTankShape", tank.shape) && setSelector("cboLengthUnits", tank.lengthUnit) &&
               setSelector("cboVolumeUnits", tank.volumeUnit) &&
               testsupport::typeInto(control<QLineEdit>("txtTankDiameter"), tank.diameter) &&
               testsupport::typeInto(control<QLineEdit>("txtTankLength"), tank.length);
    }
    [[nodiscard]] bool setSelector(const char* name, const QString& text)
    {
        auto* selector = control<QComboBox>(name);
        if (selector->currentText() == text)
            return true;
        if (selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
            return testsupport::chooseEntry(selector, text);
        return testsupport::typeInto(selector, text);
    }

    ScriptedDialogs& answers() { return ScriptedDialogs::answering(*form); }

    // The menu's notice, then the increments answered in turn; every answer
    // but the last is 0 and brings the zero-increment message.
    void expectStart(ScriptedDialogs& driver, const QStringList& increments)
    {
        driver.expectMessage(texts::chartNotice);
        for (qsizetype i = 0; i < increments.size(); ++i) {
            if (increments[i] == cancel)
                driver.expectInputCancel(texts::incrementPrompt);
            else
                driver.expectInput(texts::incrementPrompt, increments[i]);
            if (i + 1 < increments.size())
                driver.expectMessage(texts::zeroIncrement);
        }
    }
    void chooseChart() { control<QAction>("mnuTGen")->trigger(); }
    // A run that saves the chart at `path` in steps of `increment` and,
    // when the run asks, answers the print question with `print`; the run
    // ends with `message`, if one is given.
    [[nodiscard]] bool saveChart(const QString& increment, const QString& path,
                                 std::optional<QMessageBox::StandardButton> print, const QString& message = {})
    {
        ScriptedDialogs& driver = answers();
        expectStart(driver, {increment});
        driver.expectFile(path);
        if (print)
            driver.expectQuestion(texts::printQuestion, *print);
        if (!message.isEmpty())
            driver.expectMessage(message);
        chooseChart();
        CHECK_COMPARE(driver.pending(), 0);
        return true;
    }
    QString chartPath() const { return dir->filePath("chart.txt"); }

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(testsupport::showMainWindow(form, dialogs));
        auto recorder = std::make_unique<RecordingPrinterFactory>();
        printers = recorder.get();
        form->setChartPrinterFactory(std::move(recorder));
    }
    void cleanup()
    {
        form.reset();
        dir.reset();
    }

    // The exact bytes of the worked example; a name without extension
    // stays as it is.
    void workedExampleBytes()
    {
        QVERIFY(describe(Tank{}));
        const QString bareName = dir->filePath("worked example");
        QVERIFY(saveChart("3", bareName, QMessageBox::No));
        QVERIFY(!QFile::exists(bareName + ".txt"));
        QCOMPARE(fileBytes(bareName),
                 QByteArray("LEVEL RANGE         LEVEL/VOLUME,     LEVEL/VOLUME,      LEVEL/VOLUME\r\n"
                            "  0.00 -   6.00     0.00,     0.00    3.00,     2.30    6.00,     5.88  \r\n"
                            "  9.00 -  12.00     9.00,     9.45   12.00,    11.75  \r\n"));
        QCOMPARE(printers->opened, 0);
        // The run changes nothing on the window.
        QCOMPARE(control<QLineEdit>("txtTankDiameter")->text(), QString("12"));
        QCOMPARE(control<QComboBox>("cboLengthUnits")->currentText(), QString("inches"));
    }

    // The toolkit's own dialogs, once each, as the program sets them up: each
    // looked at and answered by a one-shot timer once it is open.
    void realDialogs()
    {
        windowkit::ModalDialogs real(form.get(), control<QFileDialog>("CDialog1"));
        QStringList seen;
        const auto whenOpen = [](std::function<void(QWidget*)> answer) {
            QTimer::singleShot(0, [answer] {
                QWidget* dialog = nullptr;
                if (QTest::qWaitFor([&dialog] { return (dialog = QApplication::activeModalWidget()) != nullptr; }))
                    answer(dialog);
            });
        };
        const auto look = [&seen](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            seen << dialog->windowTitle() << (box ? box->text() : "not a message box")
                 << (box && box->icon() == QMessageBox::NoIcon ? "no icon" : "icon");
            return box;
        };
        whenOpen([&](QWidget* dialog) {
            if (QMessageBox* box = look(dialog))
                seen << (box->standardButtons() == QMessageBox::Ok ? "OK" : "other buttons");
            dialog->close();
        });
        real.tell(texts::chartNotice);
        whenOpen([&](QWidget* dialog) {
            QMessageBox* box = look(dialog);
            if (!box) {
                dialog->close();
                return;
            }
            seen << (box->defaultButton() == box->button(QMessageBox::Yes) ? "Yes default" : "other default");
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });
        QVERIFY(!real.askYesNo(texts::printQuestion));
        whenOpen([&](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            seen << dialog->windowTitle() << input->labelText() << "empty: " + input->textValue();
            input->setTextValue("3");
            input->accept();
        });
        QCOMPARE(real.askText(texts::incrementPrompt), QString("3"));
        const QString bareName = dir->filePath("worked example");
        whenOpen([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            seen << files->objectName() << (files->acceptMode() == QFileDialog::AcceptOpen ? "open" : "save")
                 << (files->fileMode() == QFileDialog::AnyFile ? "any file" : "other mode") << files->nameFilters()
                 << "suffix:" + files->defaultSuffix()
                 << (files->testOption(QFileDialog::DontUseNativeDialog) ? "not native" : "native")
                 << "type shown: " + files->findChild<QComboBox*>("fileTypeCombo")->currentText();
            files->findChild<QLineEdit*>("fileNameEdit")->setText(bareName);
            QMetaObject::invokeMethod(files, "accept");
        });
        QCOMPARE(real.askFileName("text files", "*.txt"), std::optional<QString>(bareName));
        QCOMPARE(seen, (QStringList{"Gaugestar", texts::chartNotice, "no icon", "OK", "Gaugestar", texts::printQuestion,
                                    "no icon", "Yes default", "Gaugestar", texts::incrementPrompt,
                                    "empty: ", "CDialog1", "open", "any file", "text files (*.txt)",
                                    "suffix:", "not native", "type shown: text files"}));
    }

    void run_data()
    {
        QTest::addColumn<ChartRun>("run");
        const auto row = [](const char* name, const ChartRun& run) { QTest::newRow(name) << run; };
        const QString twoSteps = "  0.00 -  12.00     0.00,     0.00    6.00,     5.88   12.00,    11.75  ";
        const auto zeros = [](int count) { return QString(count, '0') + ".00"; };

        // clang-format off
        row("zero increment asked again",
            {.increments = {"0", "0", "3"}, .file = File::Accept, .question = true, .lines = workedExample});
        row("zero increment, then cancel", {.increments = {"0", cancel}});
        row("0 / 0 ends silently", {.tank = {.diameter = "0"}, .increments = {"0"}});
        row("cancel", {.increments = {cancel}});
        row("empty answer", {.increments = {""}});
        row("abc", {.increments = {"abc"}});
        row("blanks around the answer",
            {.increments = {" 3 "}, .file = File::Accept, .question = true, .lines = workedExample});
        row("increment 8: 1.5 gives 2 steps",
            {.increments = {"8"}, .file = File::Accept, .question = true, .lines = {header, twoSteps}});
        row("increment 5: 2.4 gives 2 steps",
            {.increments = {"5"}, .file = File::Accept, .question = true, .lines = {header, twoSteps}});
        row("increment 24: header only, no question", {.increments = {"24"}, .file = File::Accept, .lines = {header}});
        row("negative increment: header only, question",
            {.increments = {"-3"}, .file = File::Accept, .question = true, .lines = {header}});
        row("96 / 0.001 ends before the file", {.tank = {.diameter = "96"}, .increments = {"0.001"}});
        row("file dialog cancelled", {.increments = {"3"}, .file = File::Cancel});
        row("P = 3: a last line of one row",
            {.increments = {"4"}, .file = File::Accept, .question = true,
             .lines = {header, "  0.00 -   8.00     0.00,     0.00    4.00,     3.43    8.00,     8.32  ",
                       " 12.00 -  12.00    12.00,    11.75  "}});
        row("volume of 10 characters",
            {.tank = {.diameter = "400", .length = "2000"}, .increments = {"200"}, .file = File::Accept,
             .question = true,
             .lines = {header, "  0.00 - 400.00     0.00,     0.00  200.00,543998.80  400.00,1087998.00  "}});
        row("feet: levels in inches",
            {.tank = {.lengthUnit = "feet", .diameter = "8", .length = "20"}, .increments = {"1"},
             .file = File::Accept, .question = true,
             .lines = {header, "  0.00 -  24.00     0.00,     0.00   12.00,   542.56   24.00,  1470.22  ",
                       " 36.00 -  60.00    36.00,  2575.82   48.00,  3760.12   60.00,  4944.42  ",
                       " 72.00 -  96.00    72.00,  6050.02   84.00,  6977.68   96.00,  7520.24  "}});
        row("unknown length unit: one message a row",
            {.tank = {.lengthUnit = "yards"}, .increments = {"4"}, .file = File::Accept, .calculationMessages = 4,
             .question = true,
             .lines = {header, "  0.00 -   0.00     0.00,     0.00    0.00,     0.00    0.00,     0.00  ",
                       "  0.00 -   0.00     0.00,     0.00  "}});
        row("vertical stops at the diameter",
            {.tank = {.shape = "Vertical (Aboveground)", .diameter = "96", .length = "240"}, .increments = {"48"},
             .file = File::Accept, .question = true,
             .lines = {header, "  0.00 -  96.00     0.00,     0.00   48.00,  1504.05   96.00,  3008.10  "}});
        row("length no number: ends before the file", {.tank = {.length = "24 in"}, .increments = {"3"}});
        row("meters, empty length", {.tank = {.lengthUnit = "meters", .length = ""}, .increments = {"3"}});
        // clang-format on
        // Every value goes to TankVolume in 32 bits: a radius beyond that
        // range ends the run before the file, silently.
        row("radius beyond 32 bits ends before the file", {.tank = {.diameter = "1e39"}, .increments = {"1e38"}});
        // Every value fits 32 bits: the chart is written, each volume the 0
        // that TankVolume gives after reporting its overflow.
        // clang-format off
        row("sizes at the top of 32 bits",
            {.tank = {.diameter = "3.4e38"}, .increments = {"1e38"}, .file = File::Accept,
             .calculationMessages = 3, .question = true,
             .lines = {header,
                       "  0.00 - 226666666666667" + zeros(24) + "     0.00,     0.00  113333333333333" + zeros(24)
                           + ",     0.00  226666666666667" + zeros(24) + ",     0.00  ",
                       "340" + zeros(36) + " - 340" + zeros(36) + "   340" + zeros(36) + ",     0.00  "}});
        // clang-format on
        // With no row to compute, nothing is handed over in 32 bits.
        row("1e39 inches long, step count 0: header only",
            {.tank = {.length = "1e39"}, .increments = {"24"}, .file = File::Accept, .lines = {header}});
        row("1e39 inches long, negative step count: header, question", {.tank = {.length = "1e39"},
                                                                        .increments = {"-3"},
                                                                        .file = File::Accept,
                                                                        .question = true,
                                                                        .lines = {header}});
        row("diameter no number, even with increment 0", {.tank = {.diameter = "twelve"}, .increments = {"0"}});
    }
    void run()
    {
        QFETCH(ChartRun, run);
        QVERIFY(describe(run.tank));
        ScriptedDialogs& driver = answers();
        expectStart(driver, run.increments);
        if (run.file == File::Accept)
            driver.expectFile(chartPath());
        else if (run.file == File::Cancel)
            driver.expectFileCancel();
        for (int i = 0; i < run.calculationMessages; ++i)
            driver.expectMessage(texts::calculationError);
        if (run.question)
            driver.expectQuestion(texts::printQuestion, QMessageBox::No);
        chooseChart();
        VERIFY_DIALOGS(driver);

        if (run.lines.isEmpty())
            QVERIFY(!QFile::exists(chartPath()));
        else
            QCOMPARE(fileBytes(chartPath()), crlfLines(run.lines));
        QCOMPARE(printers->opened, 0);
    }

    void existingFileReplaced()
    {
        QFile old(chartPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();

        QVERIFY(describe(Tank{}));
        QVERIFY(saveChart("3", chartPath(), QMessageBox::No));
        QCOMPARE(fileBytes(chartPath()), crlfLines(workedExample));
    }

    // A file that cannot be made or written is named with the system's
    // reason, no question follows, and the next run is not hindered.
    void unwritableThenWritable_data()
    {
        QTest::addColumn<QString>("unwritable");
        QTest::addColumn<int>("error");
        QTest::newRow("missing folder") << "no such folder/chart.txt" << ENOENT;
        if (QFile::exists("/dev/full"))
            QTest::newRow("full disk") << "/dev/full" << ENOSPC;
    }
    void unwritableThenWritable()
    {
        QFETCH(QString, unwritable);
        QFETCH(int, error);
        const QString path = QDir::isAbsolutePath(unwritable) ? unwritable : dir->filePath(unwritable);
        QVERIFY(describe(Tank{}));
        QVERIFY(saveChart("3", path, std::nullopt, texts::chartNotSaved(path, error)));
        QVERIFY(saveChart("3", chartPath(), QMessageBox::No));
        QCOMPARE(fileBytes(chartPath()), crlfLines(workedExample));
    }

    // Yes prints the file's lines again; with no printer, or a printer that
    // fails part-way, the run ends with the printing message and the next
    // run prints.
    void printing_data()
    {
        QTest::addColumn<bool>("printerAvailable");
        QTest::addColumn<int>("failAtLine");
        QTest::newRow("printed") << true << -1;
        QTest::newRow("no printer") << false << -1;
        QTest::newRow("printer fails part-way") << true << 2;
    }
    void printing()
    {
        QFETCH(bool, printerAvailable);
        QFETCH(int, failAtLine);
        printers->available = printerAvailable;
        printers->failAtLine = failAtLine;
        const Tank tank{.diameter = "28"};

        for (int run = 0; run < 2; ++run) {
            QFile::remove(chartPath());
            if (run == 0)
                QVERIFY(describe(tank));
            const bool fails = !printers->available || printers->failAtLine >= 0;
            QVERIFY(saveChart("1", chartPath(), QMessageBox::Yes, fails ? texts::printProblem : QString()));

            // The file is complete whatever became of the printout.
            QStringList fileLines = QString::fromLatin1(fileBytes(chartPath())).split("\r\n");
            QCOMPARE(fileLines.size(), 12); // header, 10 lines, the empty rest after the last CR LF
            fileLines.removeLast();

            QCOMPARE(printers->opened, run + 1);
            const bool printed = printerAvailable && (failAtLine < 0 || run == 1);
            if (printerAvailable) {
                QVERIFY(printers->lastLog->released);
                QCOMPARE(printers->lastLog->ended, printed);
            }
            if (printed) {
                QStringList printedLines;
                for (const PrintedLine& line : printers->lastLog->lines)
                    printedLines << QString::fromStdString(line.text);
                QCOMPARE(printedLines.takeAt(1), QString());
                QCOMPARE(printedLines, fileLines);
            }
            printers->failAtLine = -1;
            printers->available = true;
        }
    }

    // The system's own "no printer": the printing message, the file complete.
    void noDefaultPrinter()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this system has a default printer; the chart would really be printed");
        form->setChartPrinterFactory(std::make_unique<chart::DefaultPrinterChartFactory>());
        QVERIFY(describe(Tank{}));
        for (int run = 0; run < 2; ++run) {
            QVERIFY(saveChart("3", chartPath(), QMessageBox::Yes, texts::printProblem));
            QCOMPARE(fileBytes(chartPath()), crlfLines(workedExample));
        }
    }

    // The lowest a line can start is half a height of "1" below the page
    // height (the short last line, after a full line that passed the page
    // test); even that line must end inside the printable area.
    void lowestLineFitsThePage()
    {
        PdfFileChartFactory printers(dir->filePath("probe.pdf"));
        const std::unique_ptr<model::PrintSurface> surface = printers.openPrintout();
        QVERIFY(surface);
        QPrinter sameKind(QPrinter::HighResolution);
        sameKind.setOutputFormat(QPrinter::PdfFormat);
        const double printableHeight = sameKind.pageRect(QPrinter::DevicePixel).height();
        const float lineHeight = surface->textHeight("1");
        const float lowestStart = surface->pageHeight() + lineHeight / 2;
        QVERIFY(lowestStart + lineHeight <= printableHeight);
        // ... without giving away more than that line's room.
        QVERIFY(lowestStart + lineHeight > printableHeight - lineHeight / 2);
    }

    // A real printout into a PDF file, read back as text: the chart file's
    // lines in order over several pages, the header once, and every line
    // inside the printable area.
    void pdfPrintout()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QFAIL("pdftotext is not installed: install poppler-utils");
        const QString pdfPath = dir->filePath("chart.pdf");
        form->setChartPrinterFactory(std::make_unique<PdfFileChartFactory>(pdfPath));
        const Tank tank{.diameter = "96", .length = "240"};
        QVERIFY(describe(tank));
        QVERIFY(saveChart("0.25", chartPath(), QMessageBox::Yes));

        QStringList fileLines = QString::fromLatin1(fileBytes(chartPath())).split("\r\n");
        fileLines.removeLast();
        QCOMPARE(fileLines.size(), 1 + 129);

        QProcess process;
        process.start(pdftotext, {"-layout", pdfPath, "-"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        QCOMPARE(text.count('\f'), 3); // 130 lines in 10 pt: a larger font takes a page more
        QStringList printed;
        for (const QString& line : text.split('\n'))
            if (!foldBlanks(line).isEmpty())
                printed << foldBlanks(line);
        QStringList expected;
        for (const QString& line : fileLines)
            expected << foldBlanks(line);
        QCOMPARE(printed, expected);

        // No line reaches below the printable area, the last short one
        // included: every word's box ends above the bottom margin.
        QPrinter sameKind(QPrinter::HighResolution);
        sameKind.setOutputFormat(QPrinter::PdfFormat);
        const double printableBottom = sameKind.pageLayout().paintRect(QPageLayout::Point).bottom();
        QProcess boxes;
        boxes.start(pdftotext, {"-bbox", pdfPath, "-"});
        QVERIFY(boxes.waitForFinished(30000));
        const QString words = QString::fromUtf8(boxes.readAllStandardOutput());
        const QRegularExpression wordBottom("<word [^>]*yMax=\"([0-9.]+)\"");
        int checked = 0;
        for (auto match = wordBottom.globalMatch(words); match.hasNext(); ++checked) {
            const double bottom = match.next().captured(1).toDouble();
            QVERIFY2(bottom <= printableBottom,
                     qPrintable(QString("a word ends at %1 pt, below %2 pt").arg(bottom).arg(printableBottom)));
        }
        QVERIFY(checked > 129 * 3);
    }
};

QTEST_MAIN(TestChartMenu)
#include "test_chart_menu.moc"
