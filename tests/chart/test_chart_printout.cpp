// The printed chart's layout, recorded line by line: indents, vertical
// steps, page breaks, the short last line, and failures part-way.

#include "chart/chart_file.h"
#include "model/chart_printout.h"
#include "model/chart_setup.h"
#include "core/tank_volume.h"

#include "recording_surface.h"
#include "support/unexpected_warnings.h"

#include <QtTest>

namespace {

// Diameter 28 inches: the increment 1 gives 29 rows.
chart::ChartGeometry tankOfDiameter28(int steps, const std::string& lengthUnit = "inches")
{
    const auto geometry = chart::chartGeometry({"28", "24", lengthUnit, "Flat-Ended (Steel)", "gallons"},
                                               static_cast<std::int16_t>(steps));
    return *geometry;
}

// "x,y,page" for every printed line, blank-separated.
QString positions(const PrintLog& log)
{
    QStringList out;
    for (const PrintedLine& line : log.lines)
        out << QString("%1,%2,%3").arg(line.x).arg(line.y).arg(line.page);
    return out.join(' ');
}

} // namespace

class TestChartPrintout : public QObject {
    Q_OBJECT

    int messages = 0;
    const tank::FailureReport countMessages = [this](std::string_view) { ++messages; };

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        messages = 0;
    }

    // Lines of three rows stand 30 apart (a line of 20 and half a "1"); the
    // page test follows each of them; the short last line stands 40 below.
    void layout_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<float>("pageHeight");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("pages");

        QTest::newRow("three pages, short last line") << 28 << 150.0f
            << "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 "
               "72,10,2 72,40,2 72,70,2 72,100,2 72,130,2 "
               "72,10,3 72,50,3" << 3;
        QTest::newRow("page break just before the short line") << 25 << 150.0f
            << "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 "
               "72,10,2 72,40,2 72,70,2 72,100,2 72,130,2 "
               "72,20,3" << 3;
        QTest::newRow("no short line") << 26 << 150.0f
            << "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 "
               "72,10,2 72,40,2 72,70,2 72,100,2 72,130,2 "
               "72,10,3" << 3;
        // A line ending exactly at the limit stays on its page.
        QTest::newRow("limit reached, not passed") << 8 << 100.0f << "72,20,1 0,40,1 72,70,1 72,100,1 72,10,2" << 2;
        // The last line fills the page: no blank page after it.
        QTest::newRow("last line fills the page") << 5 << 100.0f << "72,20,1 0,40,1 72,70,1 72,100,1" << 1;
        QTest::newRow("two full pages, nothing after") << 23 << 150.0f
            << "72,20,1 0,40,1 72,70,1 72,100,1 72,130,1 "
               "72,10,2 72,40,2 72,70,2 72,100,2 72,130,2" << 2;
        QTest::newRow("P = 3: one row on the last line") << 3 << 1000.0f << "72,20,1 0,40,1 72,70,1 72,110,1" << 1;
        QTest::newRow("negative step count: header only") << -2 << 1000.0f << "72,20,1 0,40,1" << 1;
    }
    void layout()
    {
        QFETCH(int, steps);
        QFETCH(float, pageHeight);
        QFETCH(QString, expected);
        QFETCH(int, pages);

        const chart::ChartGeometry geometry = tankOfDiameter28(steps);
        auto log = std::make_shared<PrintLog>();
        {
            RecordingSurface surface(log, pageHeight);
            QVERIFY(chart::printChart(geometry, surface, countMessages));
        }
        QCOMPARE(positions(*log), expected);
        QCOMPARE(log->page, pages);
        QVERIFY(log->ended);
        QVERIFY(log->released);

        // The printed texts are the chart file's lines, the blank line after
        // the header aside; the header comes once.
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.txt");
        QCOMPARE(chart::writeChartFile(path, geometry, countMessages), chart::ChartFileResult::Written);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList fileLines = QString::fromLatin1(file.readAll()).split("\r\n");
        QCOMPARE(fileLines.takeLast(), QString());
        QStringList printed;
        for (const PrintedLine& line : log->lines)
            printed << line.text;
        QCOMPARE(printed.takeAt(1), QString());
        QCOMPARE(printed, fileLines);
    }

    // The printout computes its rows again instead of reading the file:
    // TankVolume complains once for every row of a tank of radius 0.
    void rowsComputedAgain()
    {
        const chart::ChartGeometry geometry = tankOfDiameter28(3, "yards");
        auto log = std::make_shared<PrintLog>();
        RecordingSurface surface(log, 1000.0f);
        QVERIFY(chart::printChart(geometry, surface, countMessages));
        QCOMPARE(messages, 4);
    }

    void failure_data()
    {
        QTest::addColumn<int>("failAtLine");
        QTest::addColumn<bool>("failNewPage");
        QTest::addColumn<int>("linesPrinted");

        QTest::newRow("header") << 0 << false << 0;
        QTest::newRow("blank after the header") << 1 << false << 1;
        QTest::newRow("a line of three rows") << 4 << false << 4;
        QTest::newRow("short last line") << 11 << false << 11;
        QTest::newRow("new page") << -1 << true << 5;
    }
    void failure()
    {
        QFETCH(int, failAtLine);
        QFETCH(bool, failNewPage);
        QFETCH(int, linesPrinted);

        auto log = std::make_shared<PrintLog>();
        RecordingSurface surface(log, 150.0f, failAtLine, failNewPage);
        QVERIFY(!chart::printChart(tankOfDiameter28(28), surface, countMessages));
        QCOMPARE(log->lines.size(), linesPrinted);
        QVERIFY(!log->ended);
    }
};

QTEST_GUILESS_MAIN(TestChartPrintout)
#include "test_chart_printout.moc"
