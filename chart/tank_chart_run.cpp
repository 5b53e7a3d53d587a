#include "chart/tank_chart_run.h"

#include "chart/chart_file.h"
#include "chart/chart_printer.h"
#include "chart/message_boxes.h"
#include "core/number_text.h"

#include "app_version.h"

#include <QFileDialog>
#include <QInputDialog>

#include <optional>

namespace chart {

namespace {

const char* const kIncrementPrompt = "In what increments would you like the tank chart generated.";
const char* const kZeroIncrementMessage = "That is not an appropriate unit";
const char* const kPrintQuestion = "Tank Chart Saved OK. Do you want to print it out now ?";
const char* const kTextFilesFilter = "text files (*.txt)";

// The operator's answer; Cancel gives empty text, as an empty answer does.
QString askIncrement(QWidget* parent)
{
    QInputDialog input(parent);
    input.setWindowTitle(QString::fromUtf8(appinfo::kTitle));
    input.setLabelText(QString::fromLatin1(kIncrementPrompt));
    input.setInputMode(QInputDialog::TextInput);
    input.setTextValue(QString());
    if (input.exec() != QDialog::Accepted)
        return {};
    return input.textValue();
}

// The chart file's path exactly as the dialog gives it, or nothing on Cancel.
std::optional<QString> askChartFile(QFileDialog& dialog)
{
    // The open form, yet any name is taken: a chart usually goes to a new
    // file, and an existing one is replaced without a question. A desktop's
    // native open dialog would refuse names that do not exist yet.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());
    dialog.setNameFilter(QString::fromLatin1(kTextFilesFilter));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace

RunEnd runTankChart(QWidget* dialogParent, QFileDialog& fileDialog, const ChartFieldTexts& texts,
                    ChartPrinterFactory& printers)
{
    std::int16_t steps = 0;
    for (;;) {
        const std::optional<double> increment = numtext::strictNumber(askIncrement(dialogParent).toStdString());
        if (!increment)
            return RunEnd::NoIncrement;
        const std::optional<double> diameter = numtext::strictNumber(texts.diameter);
        if (!diameter)
            return RunEnd::BadDiameter;
        const StepCount count = stepCount(*diameter, *increment);
        if (count.status == StepCount::Status::ZeroIncrement) {
            showAppMessage(dialogParent, QString::fromLatin1(kZeroIncrementMessage));
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

    const std::optional<QString> path = askChartFile(fileDialog);
    if (!path)
        return RunEnd::FileNotChosen;

    switch (writeChartFile(*path, *geometry)) {
    case ChartFileResult::CannotWrite:
        return RunEnd::CannotWrite;
    case ChartFileResult::RowFailed:
        return RunEnd::RowFailed;
    case ChartFileResult::Written:
        break;
    }

    if (!askYesNo(dialogParent, QString::fromLatin1(kPrintQuestion)))
        return RunEnd::NotPrinted;

    // The surface releases its print job when it goes, whichever way out.
    const std::unique_ptr<PrintSurface> surface = printers.openPrintout();
    if (!surface)
        return RunEnd::NoPrinter;
    return printChart(*geometry, *surface) ? RunEnd::Printed : RunEnd::PrintFailed;
}

} // namespace chart
