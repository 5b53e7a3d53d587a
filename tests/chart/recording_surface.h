#pragma once

// Printers for the chart run's tests: the recording surface of the layout's
// own tests, handed out by the run's printer factory.

#include "chart/chart_printer.h"

#include "../model/recording_surface.h"

#include <memory>

// Hands out recording surfaces; `available` false stands for no printer.
class RecordingPrinterFactory : public chart::ChartPrinterFactory {
public:
    std::shared_ptr<PrintLog> lastLog;
    int opened = 0;
    bool available = true;
    float pageHeight = 1000.0f;
    int failAtLine = -1;

    std::unique_ptr<model::PrintSurface> openPrintout() override
    {
        ++opened;
        if (!available)
            return nullptr;
        lastLog = std::make_shared<PrintLog>();
        return std::make_unique<RecordingSurface>(lastLog, pageHeight, failAtLine);
    }
};
