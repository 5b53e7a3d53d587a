#pragma once

// Printing of a tank chart. (Being written.)

class ChartPrinterFactory {
public:
    virtual ~ChartPrinterFactory() = default;
};