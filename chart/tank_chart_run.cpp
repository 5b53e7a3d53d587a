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

void runTankChart(windowkit::OperatorDialogs& dialogs, const model::ChartFieldTexts& texts,
                  ChartPrinterFactory& printers)
{
    std::int16_t steps = 0;
    for (;;) {
        const QString answer = dialogs.askText(QString::fromLatin1(kIncrementPrompt));
        const std::optional<double> increment = tank::strictNumber(answer.toStdString());
        if (!increment)
            return; // Cancel, or an answer that is no number
        const std::optional<double> diameter = tank::strictNumber(texts.diameter);
        if (!diameter)
            return;
        const model::StepCount count = model::stepCount(*diameter, *increment);
        if (count.status == model::StepCount::Status::ZeroIncrement) {
            dialogs.tell(QString::fromLatin1(kZeroIncrementMessage));
            continue;
        }
        if (count.status != model::StepCount::Status::Ok)
            return; // 0 ÷ 0, or a step count beyond 16 bits
        steps = count.steps;
        break;
    }

    const std::optional<model::ChartGeometry> geometry = model::chartGeometry(texts, steps);
    if (!geometry)
        return; // diameter or length fails its reading for the unit

    const std::optional<QString> path =
        dialogs.askFileName(QString::fromLatin1(kChartFileType), QString::fromLatin1(kChartFilePattern));
    if (!path)
        return;

    // A row's arithmetic failures are told through the same dialogs, as the
    // row is computed.
    const tank::FailureReport report = [&dialogs](std::string_view message) {
        dialogs.tell(windowkit::qText(message));
    };
    QString notWritten;
    switch (writeChartFile(*path, *geometry, report, &notWritten)) {
    case ChartFileResult::CannotWrite:
        // Whatever was written stays.
        dialogs.tell(chartNotSavedMessage(*path, notWritten));
        return;
    case ChartFileResult::RowFailed: return; // step count 0 (header only), or a value beyond 32 bits
    case ChartFileResult::Written: break;
    }

    if (!dialogs.askYesNo(QString::fromLatin1(kPrintQuestion)))
        return;

    bool printed = false;
    // The surface releases its print job when it goes, whichever way out:
    // before the message, so the printer is free while the operator looks.
    if (const std::unique_ptr<model::PrintSurface> surface = printers.openPrintout())
        printed = model::printChart(*geometry, *surface, report);
    // No printer, or a printout that failed: told as Print Screen tells it.
    if (!printed)
        dialogs.tell(windowkit::printingProblemMessage());
}

} // namespace chart
