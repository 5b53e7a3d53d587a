#include "chart/tank_chart_run.h"

#include "chart/chart_file.h"
#include "chart/chart_printer.h"
#include "core/number_text.h"
#include "window_kit/operator_dialogs.h"

#include <optional>

namespace chart {

namespace {

const char* const kIncrementPrompt = "In what increments would you like the tank chart generated.";
const char* const kZeroIncrementMessage = "That is not an appropriate unit";
const char* const kPrintQuestion = "Tank Chart Saved OK. Do you want to print it out now ?";
const char* const kChartFileType = "text files";
const char* const kChartFilePattern = "*.txt";

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
        dialogs.tell(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
    };
    switch (writeChartFile(*path, *geometry, report)) {
    case ChartFileResult::CannotWrite:
        return RunEnd::CannotWrite;
    case ChartFileResult::RowFailed:
        return RunEnd::RowFailed;
    case ChartFileResult::Written:
        break;
    }

    if (!dialogs.askYesNo(QString::fromLatin1(kPrintQuestion)))
        return RunEnd::NotPrinted;

    // The surface releases its print job when it goes, whichever way out.
    const std::unique_ptr<PrintSurface> surface = printers.openPrintout();
    if (!surface)
        return RunEnd::NoPrinter;
    return printChart(*geometry, *surface, report) ? RunEnd::Printed : RunEnd::PrintFailed;
}

} // namespace chart
