// The fill step chosen for a fill fraction: a fraction exactly on a limit
// takes the higher step.

#include "model/calculation.h"

#include <QtTest>

class TestCalculation : public QObject {
    Q_OBJECT
private slots:
    void fillStep_data()
    {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<int>("step");   // -1: no picture
        QTest::newRow("above full") << 1.3 << 100;
        QTest::newRow("0.95") << 0.95 << 100;
        QTest::newRow("just below 0.95") << 0.9499999 << 90;
        QTest::newRow("0.85") << 0.85 << 90;
        QTest::newRow("0.6") << 0.6 << 75;
        QTest::newRow("0.4") << 0.4 << 50;
        QTest::newRow("0.2") << 0.2 << 25;
        QTest::newRow("just below 0.2") << 0.1999999 << 10;
        QTest::newRow("smallest positive") << 5e-324 << 10;
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("negative") << -0.01 << -1;
    }
    void fillStep()
    {
        QFETCH(double, fraction);
        QFETCH(int, step);
        QCOMPARE(calc::fillStep(fraction).value_or(-1), step);
    }

    // Results reach the window one by one, before a later step can stop.
    void resultsAreWrittenAsComputed()
    {
        calc::CalculationEntries entries{"inches", "324", "96", "48", "Flat-Ended (Steel)", "gallons",
                                         "70",     "60",  "not a number"};
        QStringList written;
        const auto outcome = calc::performCalculations(
            entries, [&](calc::ResultField, const std::string& text) { written << QString::fromStdString(text); });
        QVERIFY(outcome.stopped);
        QCOMPARE(written, QStringList({"10152.32", "5076.16"}));
        QVERIFY(!outcome.picture);
    }
};

QTEST_GUILESS_MAIN(TestCalculation)
#include "test_calculation.moc"
