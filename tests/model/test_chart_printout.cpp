// The printed chart's layout, recorded line by line: indents, vertical
// steps, page breaks, the short last line, and failures part-way.

#include "model/chart_printout.h"
#include "model/chart_setup.h"

#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

namespace {

// Diameter 28 inches: the increment 1 gives 29 rows.
model::ChartGeometry tankOfDiameter28(int steps, const std::string& lengthUnit = "inches")
{
    return *model::chartGeometry({"28", "24", lengthUnit, "Flat-Ended (Steel)", "gallons"},
                                 static_cast<std::int16_t>(steps));
}

// "x,y,page" for every printed line, blank-separated.
std::string positions(const PrintLog& log)
{
    std::ostringstream out;
    for (const PrintedLine& line : log.lines)
        out << (&line == log.lines.data() ? "" : " ") << line.x << ',' << line.y << ',' << line.page;
    return out.str();
}

} // namespace

// Lines of three rows stand 30 apart (a line of 20 and half a "1"); the
// page test follows each of them; the short last line stands 40 below.
TEST(ChartPrintout, Layout)
{
    const struct {
        const char* name;
        int steps;
        float pageHeight;
        const char* expected;
        int pages;
    } rows[] = {
        {"three pages, short last line", 28, 150.0f,
         "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 72,10,2 72,40,2 72,70,2 72,100,2 72,130,2 72,10,3 72,50,3", 3},
        {"page break just before the short line", 25, 150.0f,
         "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 72,10,2 72,40,2 72,70,2 72,100,2 72,130,2 72,20,3", 3},
        {"no short line", 26, 150.0f,
         "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 72,10,2 72,40,2 72,70,2 72,100,2 72,130,2 72,10,3", 3},
        // A line ending exactly at the limit stays on its page.
        {"limit reached, not passed", 8, 100.0f, "72,20,1 0,40,1 72,70,1 72,100,1 72,10,2", 2},
        // The last line fills the page: no blank page after it.
        {"last line fills the page", 5, 100.0f, "72,20,1 0,40,1 72,70,1 72,100,1", 1},
        {"two full pages, nothing after", 23, 150.0f,
         "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 72,10,2 72,40,2 72,70,2 72,100,2 72,130,2", 2},
        {"P = 3: one row on the last line", 3, 1000.0f, "72,20,1 0,40,1 72,70,1 72,110,1", 1},
        {"negative step count: header only", -2, 1000.0f, "72,20,1 0,40,1", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto log = std::make_shared<PrintLog>();
        {
            RecordingSurface surface(log, row.pageHeight);
            EXPECT_TRUE(model::printChart(tankOfDiameter28(row.steps), surface, {}));
        }
        EXPECT_EQ(positions(*log), row.expected);
        EXPECT_EQ(log->page, row.pages);
        EXPECT_TRUE(log->ended);
        EXPECT_TRUE(log->released);
    }
}

// The printout computes its rows again instead of reading the file:
// TankVolume complains once for every row of a tank of radius 0.
TEST(ChartPrintout, RowsComputedAgain)
{
    int messages = 0;
    auto log = std::make_shared<PrintLog>();
    RecordingSurface surface(log, 1000.0f);
    EXPECT_TRUE(
        model::printChart(tankOfDiameter28(3, "yards"), surface, [&messages](std::string_view) { ++messages; }));
    EXPECT_EQ(messages, 4);
}

TEST(ChartPrintout, Failure)
{
    const struct {
        const char* name;
        int failAtLine;
        bool failNewPage;
        std::size_t linesPrinted;
    } rows[] = {
        {"header", 0, false, 0},
        {"blank after the header", 1, false, 1},
        {"a line of three rows", 4, false, 4},
        {"short last line", 11, false, 11},
        {"new page", -1, true, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto log = std::make_shared<PrintLog>();
        RecordingSurface surface(log, 150.0f, row.failAtLine, row.failNewPage);
        EXPECT_FALSE(model::printChart(tankOfDiameter28(28), surface, {}));
        EXPECT_EQ(log->lines.size(), row.linesPrinted);
        EXPECT_FALSE(log->ended);
    }
}
