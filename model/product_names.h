#pragma once

// The products an operator picks from, with their coefficient of thermal
// expansion, and the temperature units the coefficient is given per degree
// of. Each kind in one table, in the order the selectors list them; names
// are compared whole and exactly.

#include "core/name_tables.h"

#include <optional>
#include <string>
#include <string_view>

namespace model {

struct ProductName {
    std::string_view text;
    std::string_view ceTextPerF; // the Ce field's text with degrees F in force
    double cePerF;               // per degree Fahrenheit
};

inline constexpr ProductName kProducts[] = {
    {"Regular Unleaded", "0.0007", 0.0007}, {"Mid-Grade Unleaded", "0.0007", 0.0007},
    {"Premium Unleaded", "0.0007", 0.0007}, {"Diesel Fuel", "0.00047", 0.00047},
    {"Kerosene", "0.00047", 0.00047},
};

enum class TemperatureUnit { DegreesF, DegreesC };

struct TemperatureUnitName {
    TemperatureUnit unit;
    std::string_view text;
    // The coefficient's reference temperature in this unit, written bare:
    // it is a fixed point of each scale, replaced rather than converted.
    std::string_view ceTempRef;
};

inline constexpr TemperatureUnitName kTemperatureUnits[] = {
    {TemperatureUnit::DegreesF, "degrees F", "60"},
    {TemperatureUnit::DegreesC, "degrees C", "15"},
};

// A coefficient per degree F becomes one per degree C by dividing it by
// this quotient (and back by dividing by 9 / 5): divided, not multiplied by
// the inverse, for the last digit's sake.
inline constexpr double kFahrenheitToCelsius = 5.0 / 9.0;
inline constexpr double kCelsiusToFahrenheit = 9.0 / 5.0;

inline const ProductName* findProduct(std::string_view text) { return tank::findNamed(kProducts, text); }
inline const TemperatureUnitName* findTemperatureUnit(std::string_view text)
{
    return tank::findNamed(kTemperatureUnits, text);
}

// What choosing a product sets: the Ce field's text and the coefficient the
// calculation uses (15-digit text form), per degree of the unit in force.
struct ProductCe {
    std::string ceField;
    std::string cevalue;
};

// Nothing when the product or the temperature unit names none.
std::optional<ProductCe> chooseProduct(std::string_view product, std::string_view temperatureUnit);

} // namespace model
