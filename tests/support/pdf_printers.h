#pragma once

// Printers into PDF files, for the tests: the program's own printing code,
// with a file in place of the default printer.

#include "chart/chart_printer.h"
#include "main_window/window_image_printer.h"

#include <QString>

// A chart printout into a PDF file, replaced by every printout.
class PdfFileChartFactory : public chart::ChartPrinterFactory {
public:
    explicit PdfFileChartFactory(QString path) : path(std::move(path)) {}
    std::unique_ptr<model::PrintSurface> openPrintout() override;

private:
    QString path;
};

// Print Screen into a PDF file.
class PdfFileImagePrinter final : public WindowImagePrinter {
public:
    explicit PdfFileImagePrinter(QString path) : path(std::move(path)) {}
    bool print(const QImage& image, double screenDotsPerInch) override;

private:
    QString path;
};
