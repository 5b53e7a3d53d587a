// The largest chart there is (diameter 32767, increment 1: 32,768 rows,
// about 1 MB of text, about 180 printed pages), written to a file and
// printed into a PDF file.
//
//   bench_chart --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "chart/chart_file.h"
#include "chart/chart_printer.h"
#include "model/chart_setup.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

model::ChartGeometry largestChart()
{
    const model::ChartFieldTexts texts{"32767", "324", "inches", "Flat-Ended (Steel)", "gallons"};
    const model::StepCount count = model::stepCount(32767.0, 1.0);
    return *model::chartGeometry(texts, count.steps);
}

void writeLargestChart(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.txt");
    const model::ChartGeometry geometry = largestChart();
    for (auto _ : state) {
        if (chart::writeChartFile(path, geometry, {}) != chart::ChartFileResult::Written)
            state.SkipWithError("the chart file could not be written");
    }
}
BENCHMARK(writeLargestChart)->Unit(benchmark::kMillisecond);

void printLargestChartToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const model::ChartGeometry geometry = largestChart();
    for (auto _ : state) {
        // The program's own printout, on a printer that writes a PDF file.
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath("chart.pdf"));
        const std::unique_ptr<model::PrintSurface> surface = chart::beginChartPrintout(std::move(printer));
        if (!surface || !model::printChart(geometry, *surface, {}))
            state.SkipWithError("the chart could not be printed");
    }
}
BENCHMARK(printLargestChartToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    // Fonts and printing need a GUI application, not a screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
