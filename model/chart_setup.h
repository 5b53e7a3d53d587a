#pragma once

// What a chart run reads before it asks for the file: the step count from
// the increment, and the tank from the main window's texts. Plain C++.

#include "model/chart_lines.h"

#include <cstdint>
#include <optional>
#include <string>

namespace model {

// The main window's texts a chart is made from, as shown at the start of
// the run.
struct ChartFieldTexts {
    std::string diameter;
    std::string length;
    std::string lengthUnit;
    std::string shape;
    std::string volumeUnit;
};

struct StepCount {
    enum class Status {
        Ok,
        ZeroIncrement, // the operator is told and asked again
        NoQuotient,    // 0 ÷ 0: the run ends silently
        OutOfRange,    // beyond 16 bits: the run ends silently
    };
    Status status = Status::Ok;
    std::int16_t steps = 0;
};

// The diameter as typed (not converted) divided by the increment, rounded
// to a whole number with halves to the even neighbour, in 16 bits.
StepCount stepCount(double diameterAsTyped, double increment);

// The tank in inches for a chart of `steps` steps, or nothing when the
// diameter or the length of one of the five length units fails the strict
// reading, or when there are rows (steps of 1 or more) and a radius, length
// or level they would hand to TankVolume does not fit 32 bits. An unknown
// length unit gives radius and length 0.
std::optional<ChartGeometry> chartGeometry(const ChartFieldTexts& texts, std::int16_t steps);

} // namespace model
