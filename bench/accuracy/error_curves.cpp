#include "bench/accuracy/error_curves.h"

#include "bench/accuracy/error_survey.h"
#include "core/name_tables.h"
#include "core/tank_volume.h"

#include <algorithm>
#include <cmath>

namespace accuracy {

namespace {

constexpr int kLevelsPerColumn = 32;

} // namespace

ColumnErrors worstPerColumn(const std::string& shape, float diameter, float length, const LevelScale& scale)
{
    const int columns = static_cast<int>(std::lround(scale.right() - scale.left()));
    ColumnErrors errors;
    errors.ofVolume.assign(columns, 0.0);
    errors.ofCapacity.assign(columns, 0.0);
    errors.belowZero.assign(columns, false);
    for (int column = 0; column < columns; ++column) {
        for (int i = 0; i < kLevelsPerColumn; ++i) {
            const double x = scale.left() + column + (i + 0.5) / kLevelsPerColumn;
            const Place place{diameter, length, static_cast<float>(scale.level(x))};
            const Measured measured = measure(shape, std::string(tank::kVolumeUnits[0].text), place);
            if (measured.exact > 0.0L)
                errors.ofVolume[column] = std::max(errors.ofVolume[column], std::fabs(measured.ofVolume()));
            errors.ofCapacity[column] = std::max(errors.ofCapacity[column], std::fabs(measured.ofCapacity()));
            if (measured.computed < 0.0f)
                errors.belowZero[column] = true;
        }
    }
    return errors;
}

} // namespace accuracy
