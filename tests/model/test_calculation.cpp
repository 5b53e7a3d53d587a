// The fill step chosen for a fill fraction: a fraction exactly on a limit
// takes the higher step.

#include "model/calculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Calculation, FillStep)
{
    const struct {
        const char* name;
        double fraction;
        int step;   // -1: no picture
    } rows[] = {
        {"above full", 1.3, 100},
        {"0.95", 0.95, 100},
        {"just below 0.95", 0.9499999, 90},
        {"0.85", 0.85, 90},
        {"0.6", 0.6, 75},
        {"0.4", 0.4, 50},
        {"0.2", 0.2, 25},
        {"just below 0.2", 0.1999999, 10},
        {"smallest positive", 5e-324, 10},
        {"zero", 0.0, 0},
        {"negative", -0.01, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(calc::fillStep(row.fraction).value_or(-1), row.step);
    }
}

// Results reach the window one by one, before a later step can stop.
TEST(Calculation, ResultsAreWrittenAsComputed)
{
    const calc::CalculationEntries entries{"inches", "324", "96", "48", "Flat-Ended (Steel)", "gallons",
                                           "70",     "60",  "not a number"};
    std::vector<std::string> written;
    const auto outcome = calc::performCalculations(
        entries, [&](calc::ResultField, const std::string& text) { written.push_back(text); });
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(written, (std::vector<std::string>{"10152.32", "5076.16"}));
    EXPECT_FALSE(outcome.picture);
}
