#pragma once

// The tank arithmetic. Every volume the program shows comes from here.
// Lengths are in inches; the widths (32-bit in and out, 64-bit inside) are
// part of the contract because the last digit shown depends on them.

#include <functional>
#include <optional>
#include <string_view>

namespace tank {

// Not the full-precision pi: every figure the program has ever printed was
// computed with this ten-decimal constant.
inline constexpr double kPi = 3.1415926535;
inline constexpr double kCubicInchesPerGallon = 231.0;

// The message shown for every arithmetic failure of a volume.
inline constexpr const char* kCalculationErrorMessage = "Please check your selections for errors";

// The 32-bit rounding of a 64-bit value, or nothing when the value is not
// finite or lies beyond the float range: an overflow wherever the program
// hands a value on in 32 bits.
std::optional<float> toSingle(double value);

struct ShapeName;
struct VolumeUnitName;

// Where a calculation's failures go: called once for each failed step, as
// it fails, with the message for the operator; the calculation waits for it
// to return. An empty function shows nothing (the values are the same).
using FailureReport = std::function<void(std::string_view message)>;

// Volume of product at `level` in a tank of the given shape, in `volumeUnit`
// (rows of core/name_tables.h, looked up once by the caller). `radius` is
// half the diameter. No shape or no unit (a name that matched no row) gives
// 0, and so does a horizontal tank whose 32-bit arithmetic would fall below
// zero. A level below 0 is a failure for every shape (an upright tank's
// included) and gives 0. Each arithmetic failure (division by zero, square
// root of a negative number, overflow, a level below 0) goes to `report`;
// the failed step is then skipped and the calculation goes on, so one call
// may report more than once.
float TankVolume(float level, float radius, float length, const ShapeName* shape, const VolumeUnitName* volumeUnit,
                 const FailureReport& report);

// Full capacity in US gallons of a tank of the given shape (a row of
// core/name_tables.h), from the 64-bit radius and length in inches: each
// shape's own closed formula, 64-bit throughout, not TankVolume at the top;
// the caller rounds it to 32 bits. No shape gives 0. An upright tank's
// length is its height.
double TankCapacity(double radius, double length, const ShapeName* shape);

// Gross volume corrected to the reference temperature of `ce`:
// gross * (1 + ce * (ceTempRef - productTemp)), computed in 64 bits.
// NetVolume reports nothing itself. When the result does not fit 32 bits
// (an overflow, the only possible failure) it returns a non-finite value
// (infinity or NaN); callers test the result with std::isfinite.
float NetVolume(float gross, float productTemp, float ce, float ceTempRef);

} // namespace tank
