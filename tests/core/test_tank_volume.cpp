#include "bench/accuracy/exact_volume.h"
#include "core/tank_volume.h"
#include "support/unexpected_warnings.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {
const QString flat = "Flat-Ended (Steel)";
const QString hemi = "Cylindrical (Fiberglass)";
const QString vertical = "Vertical (Aboveground)";
} // namespace

// Results are compared bit for bit: a tolerance would hide exactly the
// faults (a float temporary, a fused multiply-add) these tests are for.
class TestTankVolume : public QObject {
    Q_OBJECT

    int messages = 0;

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        messages = 0;
        SetTankVolumeReporter([this](const std::string& message) {
            QCOMPARE(QString::fromStdString(message), QStringLiteral("Please check your selections for errors"));
            ++messages;
        });
    }
    void cleanup() { SetTankVolumeReporter({}); }

    void volume_data()
    {
        QTest::addColumn<float>("level");
        QTest::addColumn<float>("radius");
        QTest::addColumn<float>("length");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("expectedMessages");

        // A tank of diameter 96 and length 240 inches.
        QTest::newRow("flat empty") << 0.f << 48.f << 240.f << flat << "gallons" << 0.0 << 0;
        QTest::newRow("flat quarter level") << 24.f << 48.f << 240.f << flat << "gallons" << 1470.2149658203125 << 0;
        QTest::newRow("flat half") << 48.f << 48.f << 240.f << flat << "gallons" << 3760.119140625 << 0;
        QTest::newRow("flat three quarters") << 72.f << 48.f << 240.f << flat << "gallons" << 6050.0234375 << 0;
        QTest::newRow("flat full") << 96.f << 48.f << 240.f << flat << "gallons" << 7520.23828125 << 0;
        QTest::newRow("flat litres") << 48.f << 48.f << 240.f << flat << "litres" << 14233.599609375 << 0;
        QTest::newRow("flat cubic meters") << 48.f << 48.f << 240.f << flat << "cubic meters" << 14.233599662780762 << 0;
        QTest::newRow("flat millilitres") << 48.f << 48.f << 240.f << flat << "millilitres" << 14233599.0 << 0;
        QTest::newRow("unit with capital L") << 48.f << 48.f << 240.f << flat << "Litres" << 0.0 << 0;
        QTest::newRow("hemi quarter level") << 24.f << 48.f << 240.f << hemi << "gallons" << 1783.5582275390625 << 0;
        QTest::newRow("hemi half") << 48.f << 48.f << 240.f << hemi << "gallons" << 4762.81787109375 << 0;
        QTest::newRow("hemi full") << 96.f << 48.f << 240.f << hemi << "gallons" << 9525.6357421875 << 0;
        QTest::newRow("vertical ignores length") << 48.f << 48.f << 240.f << vertical << "gallons" << 1504.0477294921875 << 0;
        QTest::newRow("vertical above diameter") << 110.f << 48.f << 240.f << vertical << "gallons" << 3446.77587890625 << 0;
        QTest::newRow("flat above diameter") << 110.f << 48.f << 240.f << flat << "gallons" << 0.0 << 1;
        QTest::newRow("hemi below zero") << -1.f << 48.f << 240.f << hemi << "gallons" << 0.0 << 1;
        QTest::newRow("unknown shape") << 48.f << 48.f << 240.f << "flat-ended (steel)" << "gallons" << 0.0 << 0;

        // Each of these catches one misreading of the arithmetic.
        QTest::newRow("vertical r154 l163") << 163.f << 154.f << 0.f << vertical << "gallons" << 52573.50390625 << 0;
        QTest::newRow("hemi r189 l155") << 155.f << 189.f << 240.f << hemi << "gallons" << 89888.3671875 << 0;
        QTest::newRow("flat r7 l1") << 1.f << 7.f << 240.f << flat << "gallons" << 5.070720672607422 << 0;
        QTest::newRow("flat r5 l1") << 1.f << 5.f << 240.f << flat << "gallons" << 4.246781349182129 << 0;
        QTest::newRow("flat r7 l3") << 3.f << 7.f << 240.f << flat << "gallons" << 25.12907600402832 << 0;

        // The 32-bit distance and cosine dominate near the bottom; what falls below zero is 0.
        QTest::newRow("flat level 0.001") << 0.001f << 48.f << 240.f << flat << "gallons" << 0.0 << 0;
        QTest::newRow("hemi 115.2 x 36 at 0.00513") << 0.00513f << 57.6f << 36.f << hemi << "millilitres" << 0.0 << 0;

        // Failure limits.
        QTest::newRow("radius 0, level 48, flat") << 48.f << 0.f << 240.f << flat << "gallons" << 0.0 << 2;
        QTest::newRow("radius 0, level 48, hemi") << 48.f << 0.f << 240.f << hemi << "gallons" << 0.0 << 2;
        QTest::newRow("radius 0, level 0, flat") << 0.f << 0.f << 240.f << flat << "gallons" << 0.0 << 1;
        QTest::newRow("radius 0, vertical") << 48.f << 0.f << 240.f << vertical << "gallons" << 0.0 << 1;
        QTest::newRow("distance overflows") << -3e38f << 3e38f << 240.f << "none" << "gallons" << 0.0 << 1;
        QTest::newRow("vertical volume overflows") << 3e38f << 3e38f << 240.f << vertical << "gallons" << 0.0 << 1;
        QTest::newRow("flat volume overflows") << 3e38f << 3e38f << 240.f << flat << "gallons" << 0.0 << 1;
        QTest::newRow("unit conversion overflows") << 735.f << 1e17f << 240.f << vertical << "millilitres" << 0.0 << 1;
    }

    void volume()
    {
        QFETCH(float, level);
        QFETCH(float, radius);
        QFETCH(float, length);
        QFETCH(QString, shape);
        QFETCH(QString, unit);
        QFETCH(double, expected);
        QFETCH(int, expectedMessages);

        const float result = TankVolume(level, radius, length, shape.toStdString(), unit.toStdString());
        QCOMPARE(static_cast<double>(result), expected);
        QCOMPARE(messages, expectedMessages);
    }

    void withoutReporterTheValuesAreTheSame()
    {
        SetTankVolumeReporter({});
        QCOMPARE(TankVolume(48.f, 0.f, 240.f, flat.toStdString(), "gallons"), 0.f);
        QCOMPARE(TankVolume(48.f, 48.f, 240.f, flat.toStdString(), "gallons"), 3760.119140625f);
    }

    void netVolume_data()
    {
        QTest::addColumn<float>("gross");
        QTest::addColumn<float>("productTemp");
        QTest::addColumn<float>("ce");
        QTest::addColumn<float>("ref");
        QTest::addColumn<double>("expected");
        QTest::newRow("warmer than reference") << 3760.119140625f << 70.f << 0.0007f << 60.f << 3733.79833984375;
        QTest::newRow("colder than reference") << 3760.119140625f << 50.f << 0.0007f << 60.f << 3786.43994140625;
        QTest::newRow("at reference") << 3760.119140625f << 60.f << 0.0007f << 60.f << 3760.119140625;
    }

    void netVolume()
    {
        QFETCH(float, gross);
        QFETCH(float, productTemp);
        QFETCH(float, ce);
        QFETCH(float, ref);
        QFETCH(double, expected);
        QCOMPARE(static_cast<double>(NetVolume(gross, productTemp, ce, ref)), expected);
        QCOMPARE(messages, 0);
    }

    void netVolumeOverflowIsNotFinite()
    {
        QVERIFY(!std::isfinite(NetVolume(3e38f, -3e38f, 1.f, 3e38f)));
        QVERIFY(!std::isfinite(NetVolume(std::numeric_limits<float>::max(), 0.f, 1.f, 2.f)));
        QCOMPARE(messages, 0);
    }

    // The README's bounds on random tanks, levels (half near an end, on a log scale) and units: of the volume
    // 1 in and 0.1 in or more from both ends, of the capacity a chart step or more from them and anywhere;
    // no volume below zero at any level.
    void agreesWithExactGeometry_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QList<double>>("bounds");
        QTest::newRow("flat") << flat << QList<double>{1e-4, 1e-2, 2e-6, 3e-5};
        QTest::newRow("hemi") << hemi << QList<double>{1e-4, 1e-2, 2e-6, 3e-5};
        QTest::newRow("vertical") << vertical << QList<double>{1.3e-7, 1.3e-7, 1.3e-7, 1.3e-7};
    }

    void agreesWithExactGeometry()
    {
        QFETCH(QString, shape);
        QFETCH(QList<double>, bounds);
        const std::string name = shape.toStdString();
        std::mt19937 random(23); // its raw numbers are the same everywhere, unlike the distributions
        const auto between = [&random](double low, double high) { return low + (high - low) * (random() / 0x1p32); };
        for (int i = 0; i < 20000; ++i) {
            const float radius = static_cast<float>(between(24, 120)) / 2, length = static_cast<float>(between(36, 480));
            const double depth = shape == vertical ? length : 2.0 * radius;
            const double fromEnd = i % 2 ? between(0, depth / 2) : depth / 2 * std::pow(10.0, between(-8, 0));
            const auto level = static_cast<float>(i % 4 < 2 ? fromEnd : depth - fromEnd);
            const std::string unit(tank::kVolumeUnits[i / 4 % 4].text);
            const long double perGallon = accuracy::exactUnitsPerGallon(unit);
            const long double exact = accuracy::exactGallons(name, level, radius, length) * perGallon;
            const long double capacity = accuracy::exactCapacityGallons(name, radius, length) * perGallon;
            const float computed = TankVolume(level, radius, length, name, unit);
            const long double error = std::fabs(computed - exact), nearEnd = std::min<double>(level, depth - level);
            if ((nearEnd >= 1 && error > bounds[0] * exact) || (nearEnd >= 0.1 && error > bounds[1] * exact)
                || (nearEnd >= 2 * radius / 32767 && error > bounds[2] * capacity) || error > bounds[3] * capacity
                || std::signbit(computed))
                QFAIL(qPrintable(QStringLiteral("r %1 x %2 at %3 in %4: %5").arg(radius).arg(length).arg(level, 0, 'g', 9)
                                     .arg(unit.c_str()).arg(computed)));
        }
        QCOMPARE(messages, 0);
    }

    void reporterMayBeReplacedWhileRunning()
    {
        int calls = 0;
        SetTankVolumeReporter([&calls](const std::string&) {
            ++calls;
            SetTankVolumeReporter({});
        });
        TankVolume(48.f, 0.f, 240.f, flat.toStdString(), "gallons");
        QCOMPARE(calls, 1);
    }
};

QTEST_GUILESS_MAIN(TestTankVolume)
#include "test_tank_volume.moc"
