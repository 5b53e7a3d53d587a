#include "main_window/main_form.h"

#include "chart/chart_printer.h"

// Tank chart: being written.
void Mainform::mnuTGen_Click() {}
void Mainform::generatetankchart() {}
void Mainform::setChartPrinterFactory(std::unique_ptr<ChartPrinterFactory> factory)
{
    chartPrinterFactory = std::move(factory);
}
