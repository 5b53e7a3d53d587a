// The printed chart and the chart file say the same: the layout itself is
// tested without Qt (tests/model).

#include "chart/chart_file.h"
#include "model/chart_printout.h"
#include "model/chart_setup.h"

#include "recording_surface.h"
#include "support/unexpected_warnings.h"

#include <QtTest>

class TestChartPrintoutFile : public QObject {
    Q_OBJECT

private slots:
    void init() { testsupport::failOnUnexpectedWarnings(); }

    // The printed texts are the chart file's lines, the blank line after
    // the header aside; the header comes once. Step counts of the layout's
    // cases: short last line, none, one row on it, header only.
    void printedAsTheFile_data()
    {
        QTest::addColumn<int>("steps");
        for (const int steps : {28, 25, 26, 8, 5, 23, 3, -2})
            QTest::addRow("%d steps", steps) << steps;
    }
    void printedAsTheFile()
    {
        QFETCH(int, steps);
        // Diameter 28 inches: the increment 1 gives 29 rows.
        const auto geometry = model::chartGeometry({"28", "24", "inches", "Flat-Ended (Steel)", "gallons"},
                                                   static_cast<std::int16_t>(steps));
        QVERIFY(geometry);
        auto log = std::make_shared<PrintLog>();
        {
            RecordingSurface surface(log, 150.0f);
            QVERIFY(model::printChart(*geometry, surface, {}));
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.txt");
        QCOMPARE(chart::writeChartFile(path, *geometry, {}), chart::ChartFileResult::Written);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList fileLines = QString::fromLatin1(file.readAll()).split("\r\n");
        QCOMPARE(fileLines.takeLast(), QString());
        QStringList printed;
        for (const PrintedLine& line : log->lines)
            printed << QString::fromStdString(line.text);
        QCOMPARE(printed.takeAt(1), QString());
        QCOMPARE(printed, fileLines);
    }
};

QTEST_GUILESS_MAIN(TestChartPrintoutFile)
#include "test_chart_printout_file.moc"
