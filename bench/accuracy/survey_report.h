#pragma once

// The survey's findings as plain-text tables on standard output.

#include "bench/accuracy/error_survey.h"
#include "bench/accuracy/worst_search.h"

#include <vector>

namespace accuracy {

void printSurvey(const SurveyRange& range, const std::vector<ShapeErrors>& errors);

// The search's worst of each band next to the figures stated, and where
// each was found. False when a stated figure is smaller than a worst found.
bool printSearch(const SearchSettings& settings, const SearchResult& result, double seconds);

// What a 32-bit volume can hold in each unit, next to the two decimals a
// chart row prints.
void printResolution();

} // namespace accuracy
