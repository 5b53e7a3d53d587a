#include "model/product_names.h"

#include "core/display_patterns.h"
#include "core/number_text.h"

namespace model {

std::optional<ProductCe> chooseProduct(std::string_view product, std::string_view temperatureUnit)
{
    const ProductName* chosen = findProduct(product);
    const TemperatureUnitName* unit = findTemperatureUnit(temperatureUnit);
    if (!chosen || !unit)
        return std::nullopt;
    if (unit->unit == TemperatureUnit::DegreesF)
        return ProductCe{std::string(chosen->ceTextPerF), tank::fifteenDigitText(chosen->cePerF)};
    const double perDegreeC = chosen->cePerF / kFahrenheitToCelsius;
    return ProductCe{tank::displayPattern(perDegreeC, tank::patterns::kCePerDegree),
                     tank::fifteenDigitText(perDegreeC)};
}

} // namespace model
