#pragma once

// What happens to the fields of one quantity when the operator picks another
// unit for it: texts in, texts out, no widgets. Every function here either
// converts all the fields of its quantity or refuses the whole switch, so the
// window never shows some fields in one unit and some in another.

#include <optional>
#include <string>
#include <string_view>

namespace model {

bool isLengthUnit(std::string_view text);
bool isVolumeUnit(std::string_view text);
bool isTemperatureUnit(std::string_view text);

// The texts a switch reads and rewrites, in the order they are converted.
struct LengthTexts {
    std::string diameter;
    std::string length;
    std::string level;
};

struct VolumeTexts {
    std::string capacity;
    std::string gross;
    std::string net;
    std::string ce; // the Ce field: a volume per degree
};

struct TemperatureTexts {
    std::string productTemp;
    std::string ceTempRef;
    std::string ce;      // the Ce field, for display
    std::string cevalue; // the coefficient the calculation uses
};

// A switch carried out: the unit in force afterwards and the new texts.
template <typename Texts>
struct Switched {
    std::string unit;
    Texts texts;
};

// Each function takes the unit the fields hold their values in and the text
// the operator's selector shows. A text that names no unit of the quantity
// leaves the unit in force and only rewrites the fields in their patterns.
// Nothing is returned when a converted value would not be a finite number:
// the switch is then refused whole.
std::optional<Switched<LengthTexts>> switchLengths(std::string_view unitInForce, std::string_view chosen,
                                                   const LengthTexts& fields);

// `cevalue` is per degree, not per volume, so it is not among these fields.
std::optional<Switched<VolumeTexts>> switchVolumes(std::string_view unitInForce, std::string_view chosen,
                                                   const VolumeTexts& fields);

std::optional<Switched<TemperatureTexts>> switchTemperatures(std::string_view unitInForce, std::string_view chosen,
                                                             const TemperatureTexts& fields);

} // namespace model
