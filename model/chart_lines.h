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

// Level i in inches, 64-bit: (i × (radius × 2)) ÷ P.
double chartLevel(const ChartGeometry& geometry, int i);

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
