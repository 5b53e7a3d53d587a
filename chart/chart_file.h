#pragma once

// The chart as a text file: ASCII, CR LF after every line, nothing after the
// last one. An existing file is replaced.

#include "model/chart_lines.h"

class QString;

namespace chart {

enum class ChartFileResult {
    Written,
    CannotWrite, // not created, or a write failed; whatever was written stays
    RowFailed,   // the header (and the lines before the row) stay
};

// The file is closed again before this returns, whatever happened. A row's
// failures go to `report` while the file is being written. When the file
// cannot be written, `reason` (if given) receives the system's reason.
ChartFileResult writeChartFile(const QString& path, const model::ChartGeometry& geometry,
                               const tank::FailureReport& report, QString* reason = nullptr);

} // namespace chart
