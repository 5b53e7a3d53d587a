#pragma once

// One run of the tank chart generator: the increment, the file, the chart
// file itself, and the printout on request. Every question goes through
// the operator's dialogs.

#include "model/chart_setup.h"

class ChartPrinterFactory;
class OperatorDialogs;

namespace chart {

// Where a run ended. The zero increment is reported (and then asked
// again), and so are a chart file that cannot be saved and a printout that
// cannot be made; every other way out is silent.
enum class RunEnd {
    NoIncrement,        // Cancel, or an answer that is no number
    BadDiameter,        // the diameter text is no number
    NoStepCount,        // 0 ÷ 0, or a step count beyond 16 bits
    BadTankTexts,       // diameter or length fails its reading for the unit
    FileNotChosen,
    CannotWrite,        // told, with the system's reason; whatever was written stays
    RowFailed,          // step count 0 (header only), or a value beyond 32 bits
    NotPrinted,         // the operator answered No
    NoPrinter,          // told as Print Screen tells it
    PrintFailed,        // told as Print Screen tells it
    Printed,
};

// Runs the chart for the tank described by `texts`.
RunEnd runTankChart(OperatorDialogs& dialogs, const ChartFieldTexts& texts, ChartPrinterFactory& printers);

} // namespace chart
