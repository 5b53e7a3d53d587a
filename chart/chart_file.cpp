#include "chart/chart_file.h"

#include <QFile>

namespace chart {

namespace {

// Lines are gathered and handed to the file in large pieces: the largest
// chart has 10,923 of them.
class ChartFileOutput {
public:
    explicit ChartFileOutput(QFile& file) : file(file) { buffer.reserve(kChunk + 128); }

    bool writeLine(std::string_view line)
    {
        buffer.append(line);
        buffer.append("\r\n");
        return buffer.size() < kChunk || flush();
    }
    bool flush()
    {
        const auto size = static_cast<qint64>(buffer.size());
        const bool written = file.write(buffer.data(), size) == size;
        buffer.clear();
        return written && file.flush();
    }

private:
    static constexpr std::size_t kChunk = std::size_t{64} * 1024;
    QFile& file;
    std::string buffer;
};

} // namespace

ChartFileResult writeChartFile(const QString& path, const ChartGeometry& geometry, const tank::FailureReport& report)
{
    // Binary mode: the line ends are written as they are, on every platform.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return ChartFileResult::CannotWrite;
    ChartFileOutput output(file);
    if (!output.writeLine(kHeaderLine))
        return ChartFileResult::CannotWrite;
    const LinesEnd end = forEachChartLine(geometry, report, [&output](const std::string& line, LineKind) {
        return output.writeLine(line);
    });
    // What is still gathered goes out even when a row failed: the lines
    // before it stay in the file.
    const bool flushed = output.flush();
    file.close();
    if (end == LinesEnd::RowFailed)
        return ChartFileResult::RowFailed;
    if (end != LinesEnd::Complete || !flushed || file.error() != QFileDevice::NoError)
        return ChartFileResult::CannotWrite;
    return ChartFileResult::Written;
}

} // namespace chart
