// Perform Calculations without a window: the result texts, the picture
// and where a run stops.

#include "model/calculation.h"

#include "core/tank_volume.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Results reach the window one by one, before a later step can stop.
TEST(Calculation, ResultsAreWrittenAsComputed)
{
    const model::CalculationEntries entries{"inches",  "324", "96", "48",          "Flat-Ended (Steel)",
                                            "gallons", "70",  "60", "not a number"};
    std::vector<std::string> written;
    const auto outcome = model::performCalculations(
        entries, [&](model::ResultField, const std::string& text) { written.push_back(text); }, {});
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(written, (std::vector<std::string>{"10152.32", "5076.16"}));
    EXPECT_FALSE(outcome.picture);
}

// From the entries' texts to the result texts, the fill step's picture and
// where a run stops. Each row changes the window's start-up entries (flat
// ends, 96 x 324 in, level 48, 70 degrees F against 60, Ce 0.0007, gallons)
// as it says. An empty result text: not written.
TEST(Calculation, Results)
{
    using E = model::CalculationEntries;
    using Changes = std::vector<std::pair<std::string E::*, const char*>>;
    // clang-format off
    const struct {
        const char* name;
        Changes changes;
        const char* capacity;
        const char* gross;
        const char* net;
        const char* picture; // "": the picture stays as it is
        bool stopped;
        int volumeMessages; // TankVolume's own
    } rows[] = {
        {"millimeters",
         {{&E::lengthUnits, "millimeters"}, {&E::tankDiameter, "2438.4"}, {&E::tankLength, "8229.6"},
          {&E::productLevel, "1219.2"}},
         "10152.32", "5076.16", "5040.63", "ftank50", false, 0},
        {"meters, cubic meters",
         {{&E::lengthUnits, "meters"}, {&E::tankDiameter, "2.4384"}, {&E::tankLength, "8.2296"},
          {&E::productLevel, "1.2192"}, {&E::volumeUnits, "cubic meters"}},
         "38.43", "19.22", "19.08", "ftank50", false, 0},
        {"vertical", {{&E::tankShape, "Vertical (Aboveground)"}}, "10152.32", "1504.05", "1493.52", "vtank10", false, 0},
        {"vertical filled above its height", {{&E::tankShape, "Vertical (Aboveground)"}, {&E::productLevel, "400"}},
         "10152.32", "12533.73", "12445.99", "vtank100", false, 0},
        {"level 80", {{&E::productLevel, "80"}}, "10152.32", "9040.13", "8976.84", "ftank90", false, 0},
        {"level 90", {{&E::productLevel, "90"}}, "10152.32", "9888.13", "9818.91", "ftank100", false, 0},
        {"level 0 leaves the picture", {{&E::productLevel, "0"}}, "10152.32", ".", ".", "", false, 0},
        {"vertical, level 0", {{&E::tankShape, "Vertical (Aboveground)"}, {&E::productLevel, "0"}}, "10152.32", ".", ".", "",
         false, 0},
        // The fill fraction comes from the texts shown: 13.6 / 34 is 0.4.
        {"fraction from shown texts, 25",
         {{&E::tankShape, "Vertical (Aboveground)"}, {&E::tankDiameter, "10"}, {&E::tankLength, "100"},
          {&E::productLevel, "40"}},
         "34.", "13.6", "13.5", "vtank25", false, 0},
        {"fraction from shown texts, 50",
         {{&E::tankShape, "Vertical (Aboveground)"}, {&E::tankDiameter, "11"}, {&E::tankLength, "100"},
          {&E::productLevel, "40"}},
         "41.14", "16.46", "16.34", "vtank50", false, 0},
        {"unknown volume unit", {{&E::volumeUnits, "pints"}}, "10152.32", ".", ".", "ftank0", false, 0},
        {"negative length", {{&E::tankLength, "-324"}}, "-10152.32", ".", ".", "ftank0", false, 0},
        {"vertical, negative height", {{&E::tankShape, "Vertical (Aboveground)"}, {&E::tankLength, "-324"}},
         "-10152.32", "1504.05", "1493.52", "", false, 0},
        {"hemispherical ends, length 0", {{&E::tankShape, "Cylindrical (Fiberglass)"}, {&E::tankLength, "0"}},
         "2005.4", "1002.7", "995.68", "ctank50", false, 0},
        // Failures the run cannot compute past: it stops where they are.
        {"diameter not a number", {{&E::tankDiameter, "abc"}}, "", "", "", "", true, 0},
        {"empty length", {{&E::tankLength, ""}}, "", "", "", "", true, 0},
        {"level not a number", {{&E::productLevel, "4 8"}}, "", "", "", "", true, 0},
        {"diameter beyond 32 bits", {{&E::tankDiameter, "1E39"}}, "", "", "", "", true, 0},
        {"diameter beyond 64 bits", {{&E::tankDiameter, "1E309"}}, "", "", "", "", true, 0},
        {"capacity reads 0", {{&E::tankLength, "0"}}, ".", ".", ".", "", true, 0},
        {"net volume overflows", {{&E::productTemp, "-3E38"}}, "10152.32", "5076.16", "", "", true, 0},
        {"vertical, height 0", {{&E::tankShape, "Vertical (Aboveground)"}, {&E::tankLength, "0"}}, ".", "1504.05",
         "1493.52", "", true, 0},
        {"level beyond 32 bits", {{&E::productLevel, "1E39"}}, "10152.32", "", "", "", true, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        E entries{"inches", "324", "96", "48", "Flat-Ended (Steel)", "gallons", "70", "60", "0.0007"};
        for (const auto& [field, text] : row.changes)
            entries.*field = text;
        int messages = 0;
        std::string written[3];
        const auto outcome = model::performCalculations(
            entries,
            [&](model::ResultField field, const std::string& text) { written[static_cast<int>(field)] = text; },
            [&](std::string_view) { ++messages; });
        EXPECT_EQ(written[0], row.capacity);
        EXPECT_EQ(written[1], row.gross);
        EXPECT_EQ(written[2], row.net);
        EXPECT_EQ(outcome.picture.value_or(""), row.picture);
        EXPECT_EQ(outcome.stopped, row.stopped);
        EXPECT_EQ(messages, row.volumeMessages);
    }
}
