#include "model/unit_switching.h"

#include "core/number_text.h"

#include <QtTest>

#include <charconv>
#include <string>

using namespace unitswitch;

namespace {

// The shortest decimal text that reads back as the same double: two
// factors one unit in the last place apart give different texts.
QString shortest(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

std::string s(const QString& text) { return text.toStdString(); }
QString q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

class TestUnitSwitching : public QObject {
    Q_OBJECT

private slots:
    void factors_data()
    {
        QTest::addColumn<bool>("length");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("value");
        const auto row = [](bool length, const char* from, const char* to, const char* value) {
            QTest::addRow("%s to %s", from, to) << length << QString(from) << QString(to) << QString(value);
        };
        row(true, "inches", "feet", "0.08333333333333333");
        row(true, "inches", "millimeters", "25.4");
        row(true, "inches", "centimeters", "2.54");
        row(true, "inches", "meters", "0.0254");
        row(true, "feet", "inches", "12");
        row(true, "feet", "millimeters", "304.79999999999995");
        row(true, "feet", "centimeters", "30.48");
        row(true, "feet", "meters", "0.30479999999999996");
        row(true, "millimeters", "inches", "0.03937007874015748");
        row(true, "millimeters", "feet", "0.0032808398950131233");
        row(true, "millimeters", "centimeters", "0.1");
        row(true, "millimeters", "meters", "0.001");
        row(true, "centimeters", "inches", "0.39370078740157477");
        row(true, "centimeters", "feet", "0.03280839895013123");
        row(true, "centimeters", "millimeters", "10");
        row(true, "centimeters", "meters", "0.01");
        row(true, "meters", "inches", "39.37007874015748");
        row(true, "meters", "feet", "3.2808398950131235");
        row(true, "meters", "millimeters", "1000");
        row(true, "meters", "centimeters", "100");
        row(false, "gallons", "litres", "3.785411784");
        row(false, "gallons", "cubic meters", "0.0037854117839999997");
        row(false, "gallons", "millilitres", "3785.411784");
        row(false, "litres", "gallons", "0.26417205235814845");
        row(false, "litres", "cubic meters", "0.001");
        row(false, "litres", "millilitres", "1000");
        row(false, "cubic meters", "gallons", "264.17205235814845");
        row(false, "cubic meters", "litres", "1000");
        row(false, "cubic meters", "millilitres", "1000000");
        row(false, "millilitres", "gallons", "0.00026417205235814843");
        row(false, "millilitres", "litres", "0.001");
        row(false, "millilitres", "cubic meters", "0.000001");
    }

    // Bit-exact: 12 * 25.4 is not the literal 304.8.
    void factors()
    {
        QFETCH(bool, length);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, value);
        const std::optional<double> factor = length ? lengthFactor(s(from), s(to)) : volumeFactor(s(from), s(to));
        QVERIFY(factor);
        QCOMPARE(shortest(*factor), value);
    }

    void unknownUnitsHaveNoFactor()
    {
        QVERIFY(!lengthFactor("inches", "Inches"));
        QVERIFY(!lengthFactor("inches", "gallons"));
        QVERIFY(!volumeFactor("gallons", "liters"));
        QVERIFY(!volumeFactor("gallons ", "litres"));
    }

    void lengths_data()
    {
        QTest::addColumn<QString>("inForce");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("half and negative") << "inches" << "inches" << QStringList{"0.5", "324", "-2.5"}
                                           << "inches" << QStringList{".5", "324.", "-2.5"};
        QTest::newRow("leading number of any text")
            << "inches" << "feet" << QStringList{"12abc", "1,200", " 2 4 "} << "feet"
            << QStringList{"1.", ".08333", "2."};
        QTest::newRow("all integer digits") << "inches" << "inches" << QStringList{"12345678.9", "0", "-0.000004"}
                                            << "inches" << QStringList{"12345678.9", ".", "."};
        QTest::newRow("not a unit name keeps the unit")
            << "feet" << "yards" << QStringList{"8", "27", "4"} << "feet" << QStringList{"8.", "27.", "4."};
        QTest::newRow("letter case counts")
            << "inches" << "Feet" << QStringList{"96", "324", "48"} << "inches"
            << QStringList{"96.", "324.", "48."};
        QTest::newRow("large but finite") << "inches" << "feet" << QStringList{"1.2E20", "0", "0"}
                                          << "feet" << QStringList{"10000000000000000000.", ".", "."};
    }

    void lengths()
    {
        QFETCH(QString, inForce);
        QFETCH(QString, chosen);
        QFETCH(QStringList, fields);
        QFETCH(QString, unit);
        QFETCH(QStringList, expected);
        const auto result = switchLengths(s(inForce), s(chosen), {s(fields[0]), s(fields[1]), s(fields[2])});
        QVERIFY(result);
        QCOMPARE(q(result->unit), unit);
        QCOMPARE((QStringList{q(result->texts.diameter), q(result->texts.length), q(result->texts.level)}),
                 expected);
    }

    void volumes_data()
    {
        QTest::addColumn<QString>("inForce");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("gross volume to litres") << "gallons" << "litres"
                                                << QStringList{"20000", "15432.5", "15400.25", "0.0007"}
                                                << QStringList{"75708.24", "58418.37", "58296.29", ".00265"};
        QTest::newRow("to cubic meters") << "gallons" << "cubic meters"
                                         << QStringList{"10000", "5000", "0", "0.0007"}
                                         << QStringList{"37.85", "18.93", ".", ".000003"};
        QTest::newRow("litres back to gallons") << "litres" << "gallons"
                                                << QStringList{"37.85411784", "", "abc", ".00265"}
                                                << QStringList{"10.", ".", ".", ".0007"};
        QTest::newRow("unit in force again") << "gallons" << "gallons"
                                             << QStringList{"96", "", "-3.456", "0.0007"}
                                             << QStringList{"96.", ".", "-3.46", ".0007"};
    }

    void volumes()
    {
        QFETCH(QString, inForce);
        QFETCH(QString, chosen);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, expected);
        const auto result = switchVolumes(s(inForce), s(chosen),
                                          {s(fields[0]), s(fields[1]), s(fields[2]), s(fields[3])});
        QVERIFY(result);
        QCOMPARE(q(result->unit), chosen);
        QCOMPARE((QStringList{q(result->texts.capacity), q(result->texts.gross), q(result->texts.net),
                              q(result->texts.ce)}),
                 expected);
    }

    void temperatures_data()
    {
        QTest::addColumn<QString>("inForce");
        QTest::addColumn<QString>("chosen");
        // product temperature, reference, Ce field, cevalue
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("expected");
        const QString F = "degrees F";
        const QString C = "degrees C";
        // Dividing by 1.8 and multiplying by 1 / 1.8 differ in the 15th digit.
        QTest::newRow("divided by the quotient")
            << C << F << QStringList{"0", "15", "0", "0.0001018"} << F
            << QStringList{"32.", "60", ".", q(numtext::fifteenDigitText(5.65555555555555e-05))};
        QTest::newRow("reference replaced whatever it held")
            << F << C << QStringList{"70", "abc", "0.0007", "0.0007"} << C
            << QStringList{"21.11", "15", ".00126", "0.00126"};
        QTest::newRow("group separators read strictly")
            << F << C << QStringList{"1,032", "60", "1,000", "0.0007"} << C
            << QStringList{"555.56", "15", "1800.", "0.00126"};
        QTest::newRow("leading reading from C to F")
            << C << F << QStringList{"1,000", "15", "0.00126", "0.00126"} << F
            << QStringList{"33.8", "60", ".0007", "0.0007"};

        // Texts that fail the strict reading are read as lengths read any
        // text, so the fields end up in the new unit all the same.
        QTest::newRow("product temperature shown for zero")
            << F << C << QStringList{".", "60", "0.0007", "0.0007"} << C
            << QStringList{"-17.78", "15", ".00126", "0.00126"};
        QTest::newRow("product temperature not a number")
            << F << C << QStringList{"abc", "60", "0.0007", "0.0007"} << C
            << QStringList{"-17.78", "15", ".00126", "0.00126"};
        QTest::newRow("product temperature with trailing text")
            << F << C << QStringList{"12abc", "60", "0.0007", "0.0007"} << C
            << QStringList{"-11.11", "15", ".00126", "0.00126"};
        QTest::newRow("Ce field shown for zero") << F << C << QStringList{"70", "60", ".", "0.0007"}
                                                 << C << QStringList{"21.11", "15", ".", "0.00126"};
        QTest::newRow("Ce field empty, C to F") << C << F << QStringList{"21.11", "15", "", "0.00126"}
                                                << F << QStringList{"70.", "60", ".", "0.0007"};
        QTest::newRow("Ce field with trailing text") << F << C << QStringList{"70", "60", "0.0009x", "0.0007"}
                                                     << C << QStringList{"21.11", "15", ".00162", "0.00126"};

        QTest::newRow("unit in force again leaves other texts")
            << C << C << QStringList{"abc", "", "12x", "0.00126"} << C
            << QStringList{"abc", "", "12x", "0.00126"};
        QTest::newRow("unit in force again, Ce to five places")
            << F << F << QStringList{"1,000.456", "59.999", "0.000004", "0.000004"} << F
            << QStringList{"1000.46", "60.", ".", "0.000004"};
        QTest::newRow("not a unit name rewrites only")
            << C << "degrees K" << QStringList{"21.111", "15", "0.00126", "0.00126"} << C
            << QStringList{"21.11", "15.", ".00126", "0.00126"};
    }

    void temperatures()
    {
        QFETCH(QString, inForce);
        QFETCH(QString, chosen);
        QFETCH(QStringList, fields);
        QFETCH(QString, unit);
        QFETCH(QStringList, expected);
        const auto result = switchTemperatures(s(inForce), s(chosen),
                                               {s(fields[0]), s(fields[1]), s(fields[2]), s(fields[3])});
        QVERIFY(result);
        QCOMPARE(q(result->unit), unit);
        QCOMPARE((QStringList{q(result->texts.productTemp), q(result->texts.ceTempRef), q(result->texts.ce),
                              q(result->texts.cevalue)}),
                 expected);
    }

    // Switching back and forth many times must not drift the coefficient.
    void coefficientSurvivesRoundTrips()
    {
        TemperatureTexts texts{"70", "60", "0.0007", "0.0007"};
        for (int i = 0; i < 50; ++i) {
            auto celsius = switchTemperatures("degrees F", "degrees C", texts);
            QVERIFY(celsius);
            auto fahrenheit = switchTemperatures("degrees C", "degrees F", celsius->texts);
            QVERIFY(fahrenheit);
            texts = fahrenheit->texts;
        }
        QCOMPARE(q(texts.cevalue), QString("0.0007"));
        QCOMPARE(q(texts.ce), QString(".0007"));
        QCOMPARE(q(texts.ceTempRef), QString("60"));
    }

    // A result that is not a finite number refuses the whole switch.
    void refused_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("inForce");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("diameter beyond range") << "length" << "inches" << "millimeters"
                                               << QStringList{"1E308", "324", "48"};
        QTest::newRow("last length field beyond range") << "length" << "feet" << "centimeters"
                                                        << QStringList{"8", "27", "1E307"};
        QTest::newRow("length text reading as infinity") << "length" << "inches" << "inches"
                                                         << QStringList{"96", "1E400", "48"};
        QTest::newRow("capacity beyond range") << "volume" << "gallons" << "millilitres"
                                               << QStringList{"1E306", "0", "0", "0.0007"};
        QTest::newRow("Ce field beyond range") << "volume" << "cubic meters" << "millilitres"
                                               << QStringList{"0", "0", "0", "1E303"};
        QTest::newRow("product temperature F to C") << "temperature" << "degrees F" << "degrees C"
                                                    << QStringList{"1E308", "60", "0.0007", "0.0007"};
        QTest::newRow("product temperature C to F") << "temperature" << "degrees C" << "degrees F"
                                                    << QStringList{"1E308", "15", "0.0007", "0.0007"};
        QTest::newRow("product temperature not strict, infinite")
            << "temperature" << "degrees F" << "degrees C" << QStringList{"1E400", "60", "0.0007", "0.0007"};
        QTest::newRow("Ce field F to C") << "temperature" << "degrees F" << "degrees C"
                                         << QStringList{"70", "60", "1.7E308", "0.0007"};
        QTest::newRow("cevalue F to C") << "temperature" << "degrees F" << "degrees C"
                                        << QStringList{"70", "60", "0.0007", "1.7E308"};
    }

    void refused()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, inForce);
        QFETCH(QString, chosen);
        QFETCH(QStringList, fields);
        if (quantity == "length")
            QVERIFY(!switchLengths(s(inForce), s(chosen), {s(fields[0]), s(fields[1]), s(fields[2])}));
        else if (quantity == "volume")
            QVERIFY(!switchVolumes(s(inForce), s(chosen),
                                   {s(fields[0]), s(fields[1]), s(fields[2]), s(fields[3])}));
        else
            QVERIFY(!switchTemperatures(s(inForce), s(chosen),
                                        {s(fields[0]), s(fields[1]), s(fields[2]), s(fields[3])}));
    }
};

QTEST_APPLESS_MAIN(TestUnitSwitching)
#include "test_unit_switching.moc"
