// Unit switching as the operator does it: picking from the real selectors of
// a real window, typing into its fields.

#include "main_window/main_form.h"

#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/helper_checks.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QString& kRefused = testsupport::texts::calculationError;

// What the window shows under a name: a field's or caption's text, a
// selector's text, or a working-state property.
QString shown(const QWidget* window, const QString& name)
{
    if (const auto* field = window->findChild<QLineEdit*>(name))
        return field->text();
    if (const auto* label = window->findChild<QLabel*>(name))
        return label->text();
    if (const auto* selector = window->findChild<QComboBox*>(name))
        return selector->currentText();
    const QVariant property = window->property(name.toLatin1().constData());
    return property.isValid() ? property.toString() : "<nothing named " + name + ">";
}

// "name=value" pairs, as the tables below write them.
QPair<QString, QString> split(const QString& pair)
{
    const qsizetype at = pair.indexOf('=');
    return {pair.left(at), pair.mid(at + 1)};
}

const QStringList kUnitCaptions{"lbllengths_0", "lbllengths_1", "lbllengths_2", "lblVolumes_0", "lblVolumes_1",
                                "lblVolumes_2", "lblVolumes_3", "lblTemp_0",    "lblTemp_1",    "lblTemp_2"};
const QStringList kAutoSized{"lblVolumes_0", "lblVolumes_1", "lblVolumes_2", "lblVolumes_3", "lblTemp_1"};

} // namespace

class TestUnitSwitchingWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Mainform> window;
    testsupport::ScriptedDialogs* dialogs = nullptr;

    template <typename T>
    T* child(const QString& name)
    {
        return testsupport::control<T>(window.get(), name);
    }

    // "choose:cboTempUnits=degrees C" picks from the list; "type:txtCe=." types
    // into a field or a selector; "result:txtGrossVolume=15432.5" stands for
    // what a calculation leaves in an output field the operator cannot edit;
    // "click:Command1=" presses a button.
    [[nodiscard]] bool perform(const QString& step)
    {
        const qsizetype colon = step.indexOf(':');
        const QString kind = step.left(colon);
        const auto [name, value] = split(step.mid(colon + 1));
        if (kind == "choose")
            return testsupport::chooseEntry(child<QComboBox>(name), value);
        if (kind == "type")
            return testsupport::typeInto(child<QWidget>(name), value);
        if (kind == "result")
            child<QLineEdit>(name)->setText(value);
        else if (kind == "click")
            QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
        else
            CHECK2(false, qPrintable("unknown step " + step));
        return true;
    }

    [[nodiscard]] bool verifyShown(const QStringList& expected)
    {
        for (const QString& pair : expected) {
            const auto [name, value] = split(pair);
            CHECK2(shown(window.get(), name) == value,
                   qPrintable(QString("%1 shows \"%2\", expected \"%3\"").arg(name, shown(window.get(), name), value)));
        }
        return true;
    }

    struct Results {
        QString capacity, gross, net;
    };

    Results calculate()
    {
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        return {shown(window.get(), "txtTankCapacity"), shown(window.get(), "txtGrossVolume"),
                shown(window.get(), "txtNetVolume")};
    }

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        QVERIFY(testsupport::showMainWindow(window, dialogs));
    }

    void cleanup() { window.reset(); }

    void switching_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");

        const QString toMm = "choose:cboLengthUnits=millimeters";
        const QString toFeet = "choose:cboLengthUnits=feet";
        const QString toMeters = "choose:cboLengthUnits=meters";
        const QString toCm = "choose:cboLengthUnits=centimeters";
        const QString toInches = "choose:cboLengthUnits=inches";
        const auto lengths = [](const QString& unit, const QString& d, const QString& l, const QString& p) {
            return QStringList{"txtTankDiameter=" + d,   "txtTankLength=" + l,     "txtProductLevel=" + p,
                               "lbllengths_0=" + unit,   "lbllengths_1=" + unit,   "lbllengths_2=" + unit,
                               "OldLengthUnits=" + unit, "NewLengthUnits=" + unit, "cboLengthUnits=" + unit};
        };
        QTest::newRow("inches to millimeters")
            << QStringList{toMm} << lengths("millimeters", "2438.4", "8229.6", "1219.2");
        QTest::newRow("on to feet") << QStringList{toMm, toFeet} << lengths("feet", "8.", "27.", "4.");
        QTest::newRow("on to meters") << QStringList{toMm, toFeet, toMeters}
                                      << lengths("meters", "2.4384", "8.2296", "1.2192");
        QTest::newRow("back to feet") << QStringList{toMm, toFeet, toMeters, toFeet}
                                      << lengths("feet", "8.", "27.", "4.");
        QTest::newRow("on to centimeters") << QStringList{toMm, toFeet, toMeters, toFeet, toCm}
                                           << lengths("centimeters", "243.84", "822.96", "121.92");
        QTest::newRow("back to inches") << QStringList{toMm, toFeet, toMeters, toFeet, toCm, toInches}
                                        << lengths("inches", "96.", "324.", "48.");
        QTest::newRow("inches while in inches")
            << QStringList{"type:txtTankDiameter=", "type:txtProductLevel=-2.5", toInches}
            << lengths("inches", ".", "324.", "-2.5");
        QTest::newRow("typing a unit runs nothing")
            << QStringList{"type:cboLengthUnits=millimeters", "type:cboTempUnits=degrees C"}
            << QStringList{"txtTankDiameter=96",     "lbllengths_0=inches", "OldLengthUnits=inches",
                           "NewLengthUnits=inches",  "txtProductTemp=70",   "lblTemp_0=degrees F",
                           "NewTempUnits=degrees F", "cevalue=0.0007"};

        QTest::newRow("placeholders to litres")
            << QStringList{"choose:cboVolumeUnits=litres"}
            << QStringList{"txtTankCapacity=37.85", "txtGrossVolume=37.85",  "txtNetVolume=37.85",
                           "txtCe=.00265",          "cevalue=0.0007",        "lblVolumes_0=litres",
                           "lblVolumes_1=litres",   "lblVolumes_2=litres",   "lblVolumes_3=litres",
                           "OldVolumeUnits=litres", "NewVolumeUnits=litres", "lblTemp_1=degrees F"};
        // Three different results, each converted in its own field.
        QTest::newRow("calculated results to litres")
            << QStringList{"type:txtTankDiameter=12", "type:txtTankLength=24", "type:txtProductLevel=6",
                           "click:Command1=", "choose:cboVolumeUnits=litres"}
            << QStringList{"txtTankCapacity=44.48", "txtGrossVolume=22.26", "txtNetVolume=22.07"};
        QTest::newRow("litres, then cubic meters")
            << QStringList{"choose:cboVolumeUnits=litres", "choose:cboVolumeUnits=cubic meters"}
            << QStringList{"txtTankCapacity=.04", "txtCe=.000003", "lblVolumes_3=cubic meters",
                           "OldVolumeUnits=cubic meters", "NewVolumeUnits=cubic meters"};

        const QString toC = "choose:cboTempUnits=degrees C";
        const QString toF = "choose:cboTempUnits=degrees F";
        const auto temps = [](const QString& unit, const QString& t, const QString& ref, const QString& ce,
                              const QString& cevalue) {
            return QStringList{"txtProductTemp=" + t, "txtCeTempRef=" + ref,  "txtCe=" + ce,
                               "cevalue=" + cevalue,  "lblTemp_0=" + unit,    "lblTemp_1=" + unit,
                               "lblTemp_2=degrees F", "OldTempUnits=" + unit, "NewTempUnits=" + unit};
        };
        QTest::newRow("F to C") << QStringList{toC} << temps("degrees C", "21.11", "15", ".00126", "0.00126");
        QTest::newRow("and back to F") << QStringList{toC, toF} << temps("degrees F", "70.", "60", ".0007", "0.0007");
        QTest::newRow("diesel to C") << QStringList{"choose:cboProductType=Diesel Fuel", toC}
                                     << temps("degrees C", "21.11", "15", ".00085", "0.000846");
        QTest::newRow("F while in F") << QStringList{toF} << temps("degrees F", "70.", "60.", ".0007", "0.0007");
        QTest::newRow("F while in F leaves text")
            << QStringList{"type:txtProductTemp=abc", toF} << temps("degrees F", "abc", "60.", ".0007", "0.0007");
        // Texts that fail the strict reading are read as 0 (or the number
        // they begin with) and converted like any other value.
        QTest::newRow("zero as the program writes it")
            << QStringList{"type:txtProductTemp=0", toF, "type:txtCe=0", toF, toC}
            << temps("degrees C", "-17.78", "15", ".", "0.00126");
    }

    void switching()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        for (const QString& step : steps)
            QVERIFY(perform(step));
        QVERIFY(verifyShown(expected));
    }

    // A switch that cannot convert every field changes nothing at all and
    // says so once; the same choice works once the field is put right.
    void refused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("goodValue");
        QTest::addColumn<QStringList>("afterward");
        // clang-format off
        QTest::newRow("length") << "txtTankDiameter" << "cboLengthUnits" << "millimeters" << "96"
                                << QStringList{"txtTankDiameter=2438.4", "lbllengths_2=millimeters"};
        QTest::newRow("last length field") << "txtProductLevel" << "cboLengthUnits" << "centimeters" << "48"
                                           << QStringList{"txtProductLevel=121.92", "txtTankDiameter=243.84"};
        QTest::newRow("volume") << "txtCe" << "cboVolumeUnits" << "millilitres" << "0.0007"
                                << QStringList{"txtCe=2.649788", "txtTankCapacity=37854.12"};
        QTest::newRow("temperature") << "txtProductTemp" << "cboTempUnits" << "degrees C" << "70"
                                     << QStringList{"txtProductTemp=21.11", "cevalue=0.00126"};
        QTest::newRow("coefficient") << "txtCe" << "cboTempUnits" << "degrees C" << "0.0007"
                                     << QStringList{"txtCe=.00126", "txtCeTempRef=15"};
        // clang-format on
    }

    void refused()
    {
        QFETCH(QString, field);
        QFETCH(QString, selector);
        QFETCH(QString, unit);
        QFETCH(QString, goodValue);
        QFETCH(QStringList, afterward);

        QVERIFY(testsupport::typeInto(child<QWidget>(field), "1.7E308"));
        QStringList before;
        const QStringList watched =
            QStringList{"txtTankDiameter", "txtTankLength",   "txtProductLevel", "txtProductTemp", "txtCe",
                        "txtCeTempRef",    "txtTankCapacity", "txtGrossVolume",  "txtNetVolume",   "OldLengthUnits",
                        "NewLengthUnits",  "OldVolumeUnits",  "NewVolumeUnits",  "OldTempUnits",   "NewTempUnits",
                        "cevalue",         "cboLengthUnits",  "cboVolumeUnits",  "cboTempUnits"} +
            kUnitCaptions;
        for (const QString& name : watched)
            before << name + "=" + shown(window.get(), name);
        QHash<QString, QRect> geometry;
        for (const QString& name : kUnitCaptions)
            geometry[name] = child<QLabel>(name)->geometry();

        dialogs->expectMessage(kRefused);
        QVERIFY(testsupport::chooseEntry(child<QComboBox>(selector), unit));
        VERIFY_DIALOGS(*dialogs);
        QVERIFY(verifyShown(before));
        for (const QString& name : kUnitCaptions)
            QCOMPARE(child<QLabel>(name)->geometry(), geometry[name]);

        QVERIFY(testsupport::typeInto(child<QWidget>(field), goodValue));
        QVERIFY(testsupport::chooseEntry(child<QComboBox>(selector), unit));
        QVERIFY(verifyShown(afterward));
        QVERIFY(verifyShown({selector + "=" + unit}));
    }

    // The unit captions beside the fields keep their size; those of the Ce
    // row and of the results fit their new text from the same left edge.
    void captionSizes_data()
    {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("unit");
        // clang-format off
        QTest::newRow("millimeters") << "cboLengthUnits" << "millimeters";
        QTest::newRow("cubic meters") << "cboVolumeUnits" << "cubic meters";
        QTest::newRow("millilitres") << "cboVolumeUnits" << "millilitres";
        QTest::newRow("degrees C") << "cboTempUnits" << "degrees C";
        // clang-format on
    }

    void captionSizes()
    {
        QFETCH(QString, selector);
        QFETCH(QString, unit);
        QHash<QString, QRect> before;
        for (const QString& name : kUnitCaptions)
            before[name] = child<QLabel>(name)->geometry();
        QVERIFY(testsupport::chooseEntry(child<QComboBox>(selector), unit));
        for (const QString& name : kUnitCaptions) {
            const QLabel* caption = child<QLabel>(name);
            const bool changed = caption->text() == unit;
            if (kAutoSized.contains(name) && changed) {
                QCOMPARE(caption->pos(), before[name].topLeft());
                QVERIFY2(caption->width() >= caption->fontMetrics().horizontalAdvance(unit),
                         qPrintable(name + " is too narrow for its text"));
            } else {
                QCOMPARE(caption->geometry(), before[name]);
            }
        }
    }

    // After a length switch a calculation gives what the same tank gives
    // when entered directly in the new unit.
    void calculationAfterSwitch_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("typed");
        QTest::newRow("feet") << "Flat-Ended (Steel)"
                              << "feet" << QStringList{"8", "27", "4"};
        QTest::newRow("millimeters") << "Flat-Ended (Steel)"
                                     << "millimeters" << QStringList{"2438.4", "8229.6", "1219.2"};
        QTest::newRow("centimeters, hemispherical ends") << "Cylindrical (Fiberglass)"
                                                         << "centimeters" << QStringList{"243.84", "822.96", "121.92"};
        QTest::newRow("meters, vertical") << "Vertical (Aboveground)"
                                          << "meters" << QStringList{"2.4384", "8.2296", "1.2192"};
    }

    void calculationAfterSwitch()
    {
        QFETCH(QString, shape);
        QFETCH(QString, unit);
        QFETCH(QStringList, typed);
        QVERIFY(testsupport::chooseEntry(child<QComboBox>("cboTankShape"), shape));
        QVERIFY(testsupport::chooseEntry(child<QComboBox>("cboLengthUnits"), unit));
        const Results switched = calculate();

        QVERIFY(testsupport::showMainWindow(window, dialogs));
        QVERIFY(testsupport::chooseEntry(child<QComboBox>("cboTankShape"), shape));
        QVERIFY(testsupport::typeInto(child<QWidget>("cboLengthUnits"), unit));
        QVERIFY(testsupport::typeInto(child<QWidget>("txtTankDiameter"), typed[0]));
        QVERIFY(testsupport::typeInto(child<QWidget>("txtTankLength"), typed[1]));
        QVERIFY(testsupport::typeInto(child<QWidget>("txtProductLevel"), typed[2]));
        const Results direct = calculate();

        QVERIFY(switched.capacity != "10,000");
        QCOMPARE(switched.capacity, direct.capacity);
        QCOMPARE(switched.gross, direct.gross);
        QCOMPARE(switched.net, direct.net);
    }
};

QTEST_MAIN(TestUnitSwitchingWindow)
#include "test_unit_switching_window.moc"
