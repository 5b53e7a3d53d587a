#pragma once

// "Perform Calculations" as plain code: from the texts the window shows to
// the three result texts and the picture of the fill step. Qt-free, so
// every figure can be tested without a window.

#include "core/tank_volume.h"

#include <functional>
#include <optional>
#include <string>

namespace model {

// The texts read from the window (selectors by the text they show).
struct CalculationEntries {
    std::string lengthUnits;
    std::string tankLength;
    std::string tankDiameter;
    std::string productLevel;
    std::string tankShape;
    std::string volumeUnits;
    std::string productTemp;
    std::string ceTempRef;
    std::string cevalue;
};

enum class ResultField { Capacity, Gross, Net };

struct CalculationOutcome {
    // A reading failed or a value did not fit where it is handed on in 32
    // bits: the run stopped there and the operator must be told. Results
    // written before the stop stand.
    bool stopped = false;
    // The picture for the fill step ("ftank50"), when one is to be shown.
    std::optional<std::string> picture;
};

// Each result is handed to `write` as soon as it is computed, so that the
// operator sees it even while a later message box is open.
using ResultWriter = std::function<void(ResultField field, const std::string& text)>;

// The volume arithmetic's own failures go to `report` as they happen,
// before the results that follow them are written.
CalculationOutcome performCalculations(const CalculationEntries& entries, const ResultWriter& write,
                                       const tank::FailureReport& report);

} // namespace model
