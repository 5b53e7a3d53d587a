#pragma once

// The survey's findings as plain-text tables on standard output.

#include "bench/accuracy/error_survey.h"

#include <vector>

namespace accuracy {

void printSurvey(const SurveyRange& range, const std::vector<ShapeErrors>& errors);

// What a 32-bit volume can hold in each unit, next to the two decimals a
// chart row prints.
void printResolution();

} // namespace accuracy
