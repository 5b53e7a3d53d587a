#include "support/pdf_printers.h"

#include <QPdfWriter>
#include <QPrinter>

std::unique_ptr<model::PrintSurface> PdfFileChartFactory::openPrintout()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return chart::beginChartPrintout(std::move(printer));
}

bool PdfFileImagePrinter::print(const QImage& image, double screenDotsPerInch)
{
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Gaugestar"));
    writer.setResolution(300);
    return printImagePage(writer, image, screenDotsPerInch);
}
