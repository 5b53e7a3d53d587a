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
        const bool written = file.write(buffer.data(), size) == size && file.flush();
        buffer.clear();
        noteFailure(written);
        return written;
    }
    // False when anything written did not reach the file, closing included.
    bool close()
    {
        const bool flushed = flush();
        file.close();
        const bool closed = file.error() == QFileDevice::NoError;
        noteFailure(closed);
        return flushed && closed;
    }

    // The system's reason for the first failure, kept as it was then:
    // closing the file may clear it or put a later one in its place.
    const QString& failure() const { return firstFailure; }

private:
    void noteFailure(bool succeeded)
    {
        if (!succeeded && firstFailure.isEmpty())
            firstFailure = file.errorString();
    }

    static constexpr std::size_t kChunk = std::size_t{64} * 1024;
    QFile& file;
    std::string buffer;
    QString firstFailure;
};

} // namespace

ChartFileResult writeChartFile(const QString& path, const model::ChartGeometry& geometry,
                               const tank::FailureReport& report, QString* reason)
{
    const auto cannotWrite = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return ChartFileResult::CannotWrite;
    };
    // Binary mode: the line ends are written as they are, on every platform.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return cannotWrite(file.errorString());
    ChartFileOutput output(file);
    if (!output.writeLine(model::kHeaderLine))
        return cannotWrite(output.failure());
    const auto writeLine = [&output](const std::string& line, model::LineKind) { return output.writeLine(line); };
    const model::LinesEnd end = model::forEachChartLine(geometry, report, writeLine);
    // What is still gathered goes out even when a row failed: the lines
    // before it stay in the file.
    const bool closed = output.close();
    if (end == model::LinesEnd::RowFailed)
        return ChartFileResult::RowFailed;
    if (end != model::LinesEnd::Complete || !closed)
        return cannotWrite(output.failure());
    return ChartFileResult::Written;
}

} // namespace chart
