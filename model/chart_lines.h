#pragma once

// The lines of a tank chart: a header, then one line for every three
// level/volume rows. The chart file and the printout both take their lines
// from here, so the two can never disagree. Plain C++, no Qt.

#include "core/tank_volume.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace model {

inline constexpr std::string_view kHeaderLine = "LEVEL RANGE         LEVEL/VOLUME,     LEVEL/VOLUME,      LEVEL/VOLUME";

// Where the 32-bit length handed to every TankVolume call comes from; it
// is read once, when the run fixes the tank.
class ChartLength {
public:
    // Inches: the field's text is read straight into 32 bits (a detour
    // through 64 bits could round the last bit differently).
    static ChartLength fromInchesText(std::string_view text);
    // Other units: converted into 64-bit inches, then rounded to 32 bits.
    static ChartLength fromInches(double inches);

    // Empty when the length does not fit 32 bits.
    std::optional<float> forCall() const { return single; }

private:
    std::optional<float> single;
};

// Everything a chart is computed from, fixed before the file is chosen.
struct ChartGeometry {
    std::int16_t steps = 0; // P: the rows are i = 0 … P
    double radius = 0.0;    // inches
    ChartLength length = ChartLength::fromInches(0.0);
    // Rows of core/name_tables.h; none for a name that matched no row.
    const tank::ShapeName* shape = nullptr;
    const tank::VolumeUnitName* volumeUnit = nullptr;
};

struct ChartRow {
    double level = 0.0;  // inches
    float volume = 0.0f; // in the chart's volume unit
};

// Level i in inches, 64-bit: (i × (radius × 2)) ÷ P.
double chartLevel(const ChartGeometry& geometry, int i);

// Row i: its level, and its volume from TankVolume (whose failures go to
// `report`, and which still gives a value). Empty when the row cannot be
// computed: a level that is no number (0 ÷ 0 when P is 0) or a level,
// radius or length beyond the 32-bit range.
std::optional<ChartRow> chartRow(const ChartGeometry& geometry, int i, const tank::FailureReport& report);

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

enum class LineKind { Full, ShortLast };

enum class LinesEnd {
    Complete,
    RowFailed,     // a row could not be computed; the lines before it were given
    StoppedByTaker // the taker returned false
};

// Computes every row of the chart in order and hands each data line (not
// the header) to `take` as soon as it is complete; a row's failures go to
// `report` while it is computed.
LinesEnd forEachChartLine(const ChartGeometry& geometry, const tank::FailureReport& report,
                          const std::function<bool(const std::string& line, LineKind kind)>& take);

} // namespace model
