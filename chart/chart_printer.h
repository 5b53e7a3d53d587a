#pragma once

// Where a printed chart goes. The main window holds one factory; each
// printout asks it for a fresh surface, so a test or the benchmark can
// print into a PDF file or a recorder instead of the default printer.

#include "model/chart_printout.h"

#include <QtGlobal>

#include <memory>

class QPrinter;

namespace chart {

class ChartPrinterFactory {
public:
    ChartPrinterFactory() = default;
    Q_DISABLE_COPY_MOVE(ChartPrinterFactory)
    virtual ~ChartPrinterFactory() = default;
    // A surface with a document begun, or null when there is nothing to
    // print on. Destroying the surface releases the print job, whether or
    // not the document was ended.
    virtual std::unique_ptr<model::PrintSurface> openPrintout() = 0;
};

// The system's default printer; null when there is none.
class DefaultPrinterChartFactory : public ChartPrinterFactory {
public:
    std::unique_ptr<model::PrintSurface> openPrintout() override;
};

// A printout on any printer set up by the caller (the default printer's
// factory uses it, as can one printing into a file): a surface with a
// document begun, or null when the printer cannot start one.
std::unique_ptr<model::PrintSurface> beginChartPrintout(std::unique_ptr<QPrinter> printer);

} // namespace chart
