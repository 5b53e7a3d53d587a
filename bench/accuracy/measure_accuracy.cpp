// How far TankVolume's 32-bit results are from the exact volumes of the
// three shapes, over many tanks and levels, in every volume unit.
//
//   measure_accuracy                  prints the tables
//   measure_accuracy --picture FILE   also draws the error across the level (PNG)

#include "bench/accuracy/error_survey.h"
#include "bench/accuracy/survey_report.h"


int main()
{
    const accuracy::SurveyRange range;
    accuracy::printSurvey(range, accuracy::surveyErrors(range));
    accuracy::printResolution();
    return 0;
}
