#include "core/number_text.h"
#include "support/unexpected_warnings.h"

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

using namespace numtext;

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

// Bitwise equality, so that -0 and +0 or two NaNs are told apart properly.
bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The digits of |value| rounded to `significant` digits, halves away from
// zero, from glibc's exact expansion: an independent reference for the cut
// that every pattern and the 15-digit form begin with.
std::string referenceDigits(double value, int significant)
{
    char exact[1200];
    std::snprintf(exact, sizeof exact, "%.1100e", std::fabs(value));
    std::string digits;
    for (const char* p = exact; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    const bool up = digits[significant] >= '5';
    digits.resize(significant);
    if (up) {
        int i = significant - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}

// The significant digits of a plain or exponent-form number text.
std::string digitsOf(const std::string& text)
{
    std::string digits;
    for (char c : text) {
        if (c == 'E')
            break;
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0'))
            digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}
} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void init() { testsupport::failOnUnexpectedWarnings(); }

    void leading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("comma ends the number") << QByteArray("10,000") << 10.0;
        QTest::newRow("D exponent") << QByteArray("1D3") << 1000.0;
        QTest::newRow("lower-case d exponent") << QByteArray("2.5d-1") << 0.25;
        QTest::newRow("E exponent") << QByteArray("1.5E+2") << 150.0;
        QTest::newRow("no digits") << QByteArray("abc") << 0.0;
        QTest::newRow("empty") << QByteArray("") << 0.0;
        QTest::newRow("lone point") << QByteArray(".") << 0.0;
        QTest::newRow("lone sign") << QByteArray("-") << 0.0;
        QTest::newRow("blanks anywhere") << QByteArray(" 1 2 . 5 ") << 12.5;
        QTest::newRow("tabs and line feeds") << QByteArray("\t-3\n0") << -30.0;
        QTest::newRow("carriage return ends") << QByteArray("4\r5") << 4.0;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
        QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("exponent without digits") << QByteArray("7e") << 7.0;
        QTest::newRow("exponent sign without digits") << QByteArray("7e+") << 7.0;
        QTest::newRow("point first") << QByteArray(".5") << 0.5;
        QTest::newRow("negative point first") << QByteArray("-.5") << -0.5;
        QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
        QTest::newRow("leading zeros") << QByteArray("000120.0500") << 120.05;
        QTest::newRow("hex is not read") << QByteArray("0x10") << 0.0;
        QTest::newRow("beyond the range") << QByteArray("1E400") << inf;
        QTest::newRow("beyond the range, negative") << QByteArray("-1E400") << -inf;
        QTest::newRow("huge exponent") << QByteArray("1E99999999999999999999") << inf;
        QTest::newRow("underflow") << QByteArray("1E-400") << 0.0;
        QTest::newRow("zero with huge exponent") << QByteArray("0E99999") << 0.0;
        QTest::newRow("largest double") << QByteArray("1.7976931348623157E308") << std::numeric_limits<double>::max();
        QTest::newRow("fifteen-digit form") << QByteArray("-1.5E-07") << -1.5e-7;
        QTest::newRow("non-ASCII ends") << QByteArray("3\xc2\xb0") << 3.0;
    }

    void leading()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        QCOMPARE(leadingNumber(text.toStdString()), expected);
    }

    void strict_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << QByteArray("96") << true << 96.0;
        QTest::newRow("blanks around") << QByteArray("  5  ") << true << 5.0;
        QTest::newRow("trailing point") << QByteArray("5.") << true << 5.0;
        QTest::newRow("leading point") << QByteArray(".5") << true << 0.5;
        QTest::newRow("group separators") << QByteArray("10,000") << true << 10000.0;
        QTest::newRow("separators and fraction") << QByteArray("1,234.5") << true << 1234.5;
        QTest::newRow("E exponent") << QByteArray("1E3") << true << 1000.0;
        QTest::newRow("d exponent") << QByteArray("1d-3") << true << 0.001;
        QTest::newRow("signed exponent") << QByteArray("-1.5E+2") << true << -150.0;
        QTest::newRow("plus sign") << QByteArray("+2") << true << 2.0;
        QTest::newRow("underflow reads 0") << QByteArray("1E-400") << true << 0.0;
        QTest::newRow("empty") << QByteArray("") << false << 0.0;
        QTest::newRow("blanks only") << QByteArray("   ") << false << 0.0;
        QTest::newRow("lone point") << QByteArray(".") << false << 0.0;
        QTest::newRow("sign and point") << QByteArray("-.") << false << 0.0;
        QTest::newRow("letters") << QByteArray("abc") << false << 0.0;
        QTest::newRow("trailing letters") << QByteArray("12abc") << false << 0.0;
        QTest::newRow("exponent without digits") << QByteArray("1e") << false << 0.0;
        QTest::newRow("exponent sign only") << QByteArray("1e+") << false << 0.0;
        QTest::newRow("tab around") << QByteArray("\t5") << false << 0.0;
        QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
        QTest::newRow("inner blank") << QByteArray("5 5") << false << 0.0;
        QTest::newRow("leading separator") << QByteArray(",5") << false << 0.0;
        QTest::newRow("separator in fraction") << QByteArray("1.0,5") << false << 0.0;
        QTest::newRow("beyond the range") << QByteArray("1E400") << false << 0.0;
        QTest::newRow("beyond the range, negative") << QByteArray("-2E308") << false << 0.0;
    }

    void strict()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, passes);
        QFETCH(double, expected);
        const auto value = strictNumber(text.toStdString());
        QCOMPARE(value.has_value(), passes);
        if (passes)
            QCOMPARE(*value, expected);
    }

    void strictFloat_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<float>("expected");
        QTest::newRow("coefficient") << QByteArray("0.0007") << true << 0.0007f;
        // Just above the midpoint between 1 and the next float: through a
        // double first it would land on the midpoint and round down to 1.
        QTest::newRow("rounded once") << QByteArray("1.00000005960464478") << true << 1.00000011920928955078125f;
        QTest::newRow("largest float range") << QByteArray("3.4E38") << true << 3.4e38f;
        QTest::newRow("beyond float range") << QByteArray("1E39") << false << 0.f;
        QTest::newRow("not a number") << QByteArray("0.0007x") << false << 0.f;
    }

    void strictFloat()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, passes);
        QFETCH(float, expected);
        const auto value = strictNumberFloat(text.toStdString());
        QCOMPARE(value.has_value(), passes);
        if (passes)
            QCOMPARE(*value, expected);
    }

    void fifteenDigits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 38.0 << "38";
        QTest::newRow("per degree C") << 0.0007 / (5.0 / 9.0) << "0.00126";
        QTest::newRow("per degree C, diesel") << 0.00047 / (5.0 / 9.0) << "0.000846";
        QTest::newRow("coefficient") << 0.0007 << "0.0007";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("sum with binary noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("rounded to 15 digits") << 123456789012345.6 << "123456789012346";
        QTest::newRow("smallest plain") << 0.00001 << "0.00001";
        QTest::newRow("small exponent form") << 1.5e-7 << "1.5E-07";
        QTest::newRow("just below plain") << 0.0000099 << "9.9E-06";
        QTest::newRow("exact half rounds away") << 767290316365194.5 << "767290316365195";
        QTest::newRow("largest plain") << 999999999999999.0 << "999999999999999";
        QTest::newRow("rounds up to exponent form") << 999999999999999.9 << "1E+15";
        QTest::newRow("large exponent form") << 1e100 << "1E+100";
        QTest::newRow("three-digit negative exponent") << -2.5e-300 << "-2.5E-300";
        QTest::newRow("infinity") << inf << "Infinity";
        // Rounding up would leave the double range: the text must still read back.
        QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486231E+308";
        QTest::newRow("largest double, negative") << -std::numeric_limits<double>::max() << "-1.79769313486231E+308";
        QTest::newRow("next below the largest") << 1.7976931348623155e308 << "1.79769313486231E+308";
        // Subnormals: the exact value decides, not the shortest digits ("5E-324").
        QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
        QTest::newRow("subnormal") << 1e-320 << "9.99988867182683E-321";
    }

    void fifteenDigits()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        const std::string text = fifteenDigitText(value);
        QCOMPARE(QString::fromStdString(text), expected);
        if (std::isfinite(value))
            QVERIFY2(strictNumber(text).has_value(), text.c_str());
    }

    // Writing in the 15-digit form and reading back gives the value rounded
    // to 15 significant digits, by both readings.
    void fifteenDigitRoundTrip()
    {
        std::mt19937_64 random(20261207);
        for (int i = 0; i < 20000; ++i) {
            double value;
            if (i % 2 == 0) {
                const std::uint64_t bits = random();
                std::memcpy(&value, &bits, sizeof value);
                if (!std::isfinite(value))
                    continue;
            } else {
                std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
                std::uniform_int_distribution<int> exponent(-12, 18);
                value = mantissa(random) * std::pow(10.0, exponent(random));
            }
            const std::string text = fifteenDigitText(value);
            // Exact halves are rounded away from zero (a table row covers
            // them); printf would round them to even.
            char exact[80];
            std::snprintf(exact, sizeof exact, "%.40e", std::fabs(value));
            if (std::strncmp(exact + 16, "5000000000000000000000000", 25) == 0)
                continue;
            char reference[64];
            std::snprintf(reference, sizeof reference, "%.14e", value);
            const double rounded = std::strtod(reference, nullptr);

            const auto strictValue = strictNumber(text);
            QVERIFY2(strictValue.has_value(), text.c_str());
            QVERIFY2(*strictValue == rounded, (text + " vs " + reference).c_str());
            QVERIFY2(leadingNumber(text) == rounded, text.c_str());
            QVERIFY2(text.size() <= 24, text.c_str());
        }
    }

    // The cut to 7 (float) or 15 (double) digits agrees with the exact
    // expansion for values of every magnitude, exact halves included.
    void cutMatchesExactExpansion()
    {
        std::mt19937_64 random(42);
        const std::string manyPlaces = "#." + std::string(60, '#');
        for (int i = 0; i < 20000; ++i) {
            std::uint32_t floatBits = static_cast<std::uint32_t>(random());
            float single;
            std::memcpy(&single, &floatBits, sizeof single);
            if (i % 4 == 1)   // whole numbers and halves, where exact ties live
                single = static_cast<float>(random() % 40000000) / ((i % 8 == 1) ? 2.f : 1.f);
            if (std::isfinite(single) && single != 0 && std::fabs(single) > 1e-30f) {
                const std::string text = displayPattern(single, manyPlaces);
                if (std::fabs(single) >= 1e-53)
                    QVERIFY2(digitsOf(text) == referenceDigits(single, 7), (text + " for float").c_str());
            }
            double value;
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (i % 4 == 1)
                value = static_cast<double>(random() % 4000000000000000ull) / ((i % 8 == 1) ? 2.0 : 1.0);
            if (i % 4 == 2)
                value = static_cast<double>(random() % 100000) / 32767.0 * 96.0;
            if (std::isfinite(value) && value != 0) {
                const std::string text = fifteenDigitText(value);
                QVERIFY2(digitsOf(text) == referenceDigits(value, 15), text.c_str());
            }
        }
    }

    void pattern_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const QString results = "##########.##";
        const QString lengths = "#######.#####";
        QTest::newRow("float half case") << double(2.675f) << true << "##0.00" << "2.68";
        QTest::newRow("level half case") << 0.125 << false << "##0.00" << "0.13";
        QTest::newRow("full tank") << 7520.23828125 << true << results << "7520.24";
        QTest::newRow("whole number") << 96.0 << false << results << "96.";
        QTest::newRow("half") << 0.5 << false << results << ".5";
        QTest::newRow("zero") << 0.0 << false << results << ".";
        QTest::newRow("zero, 0 places") << 0.0 << false << "##0.00" << "0.00";
        QTest::newRow("negative to zero") << -0.004 << false << "#.##" << ".";
        QTest::newRow("negative zero") << -0.0 << false << results << ".";
        QTest::newRow("small negative") << -0.009 << true << results << "-.01";
        QTest::newRow("negative whole") << -40.0 << false << results << "-40.";
        QTest::newRow("binary noise cut at 15") << 96 * 25.4 << false << lengths << "2438.4";
        QTest::newRow("noise below") << 48 * 25.4 << false << lengths << "1219.2";
        QTest::newRow("integer wider than pattern") << 12345678.9 << false << lengths << "12345678.9";
        QTest::newRow("rounds to whole") << 69.998 << false << results << "70.";
        QTest::newRow("float cut at 7 first") << double(5076.16064f) << true << results << "5076.16";
        QTest::newRow("float large") << double(14233599.f) << true << results << "14233600.";
        QTest::newRow("carry into new digit") << 9.999 << false << results << "10.";
        QTest::newRow("six places") << 0.0007 * 3.785411784 << false << "##########.######" << ".00265";
        QTest::newRow("below half of last place") << 0.004 << false << results << ".";
        QTest::newRow("half of last place") << 0.005 << false << results << ".01";
        QTest::newRow("far below last place") << 1e-20 << false << results << ".";
        QTest::newRow("huge") << 1e20 << false << results << "100000000000000000000.";
        QTest::newRow("chart volume") << 1000000.0 << true << "#####0.00" << "1000000.00";
        QTest::newRow("chart level") << 12.0 << false << "##0.00" << "12.00";
        QTest::newRow("no point in pattern") << 2.5 << false << "###" << "3.";
        // Exact halves at the cut are rounded away from zero, for both widths.
        QTest::newRow("float exact half at 7 digits") << 16777205.0 << true << results << "16777210.";
        QTest::newRow("double exact half at 15 digits") << 1234567890123425.0 << false << results
                                                        << "1234567890123430.";
        QTest::newRow("largest float") << double(3.4028235e38f) << true << "#.#"
                                       << "340282300000000000000000000000000000000.";
        QTest::newRow("tiny float") << double(1e-20f) << true << "#.####################"
                                    << ".00000000000000000001";
        QTest::newRow("double with binary noise") << 0.1 + 0.2 << false << "#.#################" << ".3";
        QTest::newRow("infinity") << inf << false << results << "Infinity";
        QTest::newRow("not a number") << std::nan("") << false << results << "NaN";
    }

    void pattern()
    {
        QFETCH(double, value);
        QFETCH(bool, single);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        const std::string p = pattern.toStdString();
        const std::string text = single ? displayPattern(static_cast<float>(value), p) : displayPattern(value, p);
        QCOMPARE(QString::fromStdString(text), expected);
    }

    // Arbitrary bytes through every reader and formatter: no crash, no
    // sanitizer report, and what the readings return is self-consistent.
    void arbitraryInputs()
    {
        std::mt19937 random(7);
        const std::string alphabet = "0123456789.,+-eEdD \t\n\rx\xc3\xa9";
        for (int i = 0; i < 30000; ++i) {
            std::string text;
            const int length = static_cast<int>(random() % 40);
            for (int j = 0; j < length; ++j)
                text += (i % 3 == 0) ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];

            const double leading = leadingNumber(text);
            QVERIFY(!std::isnan(leading));
            if (const auto value = strictNumber(text)) {
                QVERIFY(std::isfinite(*value));
                // A number that passes the strict reading without group
                // separators reads the same either way.
                if (text.find(',') == std::string::npos && text.find_first_of("\t\n") == std::string::npos)
                    QVERIFY2(sameDouble(leading, *value) || (leading == 0 && *value == 0), text.c_str());
            }
            if (const auto single = strictNumberFloat(text))
                QVERIFY(std::isfinite(*single));
            const std::string fifteen = fifteenDigitText(leading);
            QVERIFY(!fifteen.empty());
            displayPattern(leading, "##########.##");
            displayPattern(static_cast<float>(leading), "##0.00");
            displayPattern(leading, text);   // any text as a pattern
        }
        // Extremes that stress the digit handling.
        for (double v : {std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                         -std::numeric_limits<double>::min(), 5e-324, 1e308}) {
            QVERIFY(!fifteenDigitText(v).empty());
            QVERIFY(!displayPattern(v, "#######.#####").empty());
        }
        QCOMPARE(leadingNumber(std::string(100000, '9')), inf);
        QCOMPARE(*strictNumber("0." + std::string(5000, '0') + "1E5010"), 1e9);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
