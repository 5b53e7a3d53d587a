#include "chart/tank_chart_run.h"

#include "chart/chart_file.h"
#include "chart/chart_printer.h"
#include "core/number_text.h"
#include "window_kit/operator_dialogs.h"
#include "window_kit/qt_text.h"

#include <QDir>

#include <optional>

namespace chart {

namespace {

const char* const kIncrementPrompt = "In what increments would you like the tank chart generated.";
const char* const kZeroIncrementMessage = "That is not an appropriate unit";
const char* const kPrintQuestion = "Tank Chart Saved OK. Do you want to print it out now ?";
const char* const kChartFileType = "text files";
const char* const kChartFilePattern = "*.txt";

// The file's name written with the system's own separators, then the
// system's reason.
QString chartNotSavedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("The tank chart could not be saved as \"%1\".  %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

RunEnd runTankChart(OperatorDialogs& dialogs, const ChartFieldTexts& texts, ChartPrinterFactory& printers)
{
    std::int16_t steps = 0;
    for (;;) {
        const QString answer = dialogs.askText(QString::fromLatin1(kIncrementPrompt));
        const std::optional<double> increment = numtext::strictNumber(answer.toStdString());
        if (!increment)
            return RunEnd::NoIncrement;
        const std::optional<double> diameter = numtext::strictNumber(texts.diameter);
        if (!diameter)
            return RunEnd::BadDiameter;
        const StepCount count = stepCount(*diameter, *increment);
        if (count.status == StepCount::Status::ZeroIncrement) {
            dialogs.tell(QString::fromLatin1(kZeroIncrementMessage));
            continue;
        }
        if (count.status != StepCount::Status::Ok)
            return RunEnd::NoStepCount;
        steps = count.steps;
        break;
    }

    const std::optional<ChartGeometry> geometry = chartGeometry(texts, steps);
    if (!geometry)
        return RunEnd::BadTankTexts;

    const std::optional<QString> path =
        dialogs.askFileName(QString::fromLatin1(kChartFileType), QString::fromLatin1(kChartFilePattern));
    if (!path)
        return RunEnd::FileNotChosen;

    // A row's arithmetic failures are told through the same dialogs, as the
    // row is computed.
    const tank::FailureReport report = [&dialogs](std::string_view message) {
        dialogs.tell(qText(message));
    };
    QString notWritten;
    switch (writeChartFile(*path, *geometry, report, &notWritten)) {
    case ChartFileResult::CannotWrite:
        dialogs.tell(chartNotSavedMessage(*path, notWritten));
        return RunEnd::CannotWrite;
    case ChartFileResult::RowFailed:
        return RunEnd::RowFailed;
    case ChartFileResult::Written:
        break;
    }

    if (!dialogs.askYesNo(QString::fromLatin1(kPrintQuestion)))
        return RunEnd::NotPrinted;

    RunEnd printed = RunEnd::NoPrinter;
    // The surface releases its print job when it goes, whichever way out:
    // before the message, so the printer is free while the operator looks.
    if (const std::unique_ptr<PrintSurface> surface = printers.openPrintout())
        printed = printChart(*geometry, *surface, report) ? RunEnd::Printed : RunEnd::PrintFailed;
    if (printed != RunEnd::Printed)
        dialogs.tell(printingProblemMessage());
    return printed;
}

} // namespace chart
