#include "model/chart_lines.h"

#include "core/display_patterns.h"
#include "core/number_text.h"

namespace model {

namespace {

// Blanks in front up to `width`; a longer text is kept whole.
void appendRightAligned(std::string& out, std::string_view text, std::size_t width)
{
    if (text.size() < width)
        out.append(width - text.size(), ' ');
    out.append(text);
}

// The level's pattern in 6 characters.
void appendLevelField(std::string& out, double level)
{
    appendRightAligned(out, tank::displayPattern(level, tank::patterns::kChartLevel), 6);
}

// The volume's pattern in 9 characters.
void appendVolumeField(std::string& out, float volume)
{
    appendRightAligned(out, tank::displayPattern(volume, tank::patterns::kChartVolume), 9);
}

struct ChartRow {
    double level = 0.0;  // inches
    float volume = 0.0f; // in the chart's volume unit
};

// Gathers rows into lines of three, the way the chart is laid out. The
// buffers are kept from line to line: the largest chart has 10,923 lines.
class ChartLineBuilder {
public:
    // Adds the next row; true when it was the third of a line, which is
    // then in line().
    bool addRow(ChartRow row);
    // True when one or two rows were left over; their line is then in line().
    bool finish();
    const std::string& line() const { return finished; }

private:
    void finishLine();

    std::string pending;
    std::string finished;
    int rowsPending = 0;
    // Level fields as already formatted for their rows.
    std::string rangeStartField;
    std::string lastLevelField;
};

// Row i: its level, and its volume from TankVolume (whose failures go to
// `report`, and which still gives a value). Empty when the row cannot be
// computed: a level that is no number (0 ÷ 0 when P is 0) or a level,
// radius or length beyond the 32-bit range.
std::optional<ChartRow> chartRow(const ChartGeometry& geometry, int i, const tank::FailureReport& report)
{
    const double level = chartLevel(geometry, i);
    const std::optional<float> level32 = tank::toSingle(level);
    const std::optional<float> radius32 = tank::toSingle(geometry.radius);
    const std::optional<float> length32 = geometry.length.forCall();
    if (!level32 || !radius32 || !length32)
        return std::nullopt;
    return ChartRow{level,
                    tank::TankVolume(*level32, *radius32, *length32, geometry.shape, geometry.volumeUnit, report)};
}

bool ChartLineBuilder::addRow(ChartRow row)
{
    lastLevelField.clear();
    appendLevelField(lastLevelField, row.level);
    if (rowsPending == 0)
        rangeStartField = lastLevelField;
    pending += lastLevelField;
    pending += ',';
    appendVolumeField(pending, row.volume);
    pending += "  ";
    if (++rowsPending < 3)
        return false;
    finishLine();
    return true;
}

bool ChartLineBuilder::finish()
{
    if (rowsPending == 0)
        return false;
    finishLine();
    return true;
}

void ChartLineBuilder::finishLine()
{
    finished.clear();
    finished += rangeStartField;
    finished += " - ";
    finished += lastLevelField;
    finished += "   ";
    finished += pending;
    pending.clear();
    rowsPending = 0;
}

} // namespace

ChartLength ChartLength::fromInchesText(std::string_view text)
{
    ChartLength length;
    length.single = tank::strictNumberFloat(text);
    return length;
}

ChartLength ChartLength::fromInches(double inches)
{
    ChartLength length;
    length.single = tank::toSingle(inches);
    return length;
}

double chartLevel(const ChartGeometry& geometry, int i)
{
    // In exactly this order: the last digit of a level depends on it.
    return (static_cast<double>(i) * (geometry.radius * 2.0)) / static_cast<double>(geometry.steps);
}

LinesEnd forEachChartLine(const ChartGeometry& geometry, const tank::FailureReport& report,
                          const std::function<bool(const std::string& line, LineKind kind)>& take)
{
    ChartLineBuilder builder;
    for (int i = 0; i <= geometry.steps; ++i) {
        const std::optional<ChartRow> row = chartRow(geometry, i, report);
        if (!row)
            return LinesEnd::RowFailed;
        if (builder.addRow(*row) && !take(builder.line(), LineKind::Full))
            return LinesEnd::StoppedByTaker;
    }
    if (builder.finish() && !take(builder.line(), LineKind::ShortLast))
        return LinesEnd::StoppedByTaker;
    return LinesEnd::Complete;
}

} // namespace model
