#pragma once

// One run of the tank chart generator: the increment, the file, the chart
// file itself, and the printout on request. Every question goes through
// the operator's dialogs.

#include "model/chart_setup.h"

namespace windowkit {
class OperatorDialogs;
}

namespace chart {

class ChartPrinterFactory;

// Runs the chart for the tank described by `texts`. The zero increment is
// reported (and then asked again), and so are a chart file that cannot be
// saved and a printout that cannot be made; every other way out is silent.
void runTankChart(windowkit::OperatorDialogs& dialogs, const model::ChartFieldTexts& texts,
                  ChartPrinterFactory& printers);

} // namespace chart
