// Thousands of random operator events against a real window: any text typed
// or pasted into any field or editable selector, choices from every
// selector by mouse and arrow keys, wheel turns over them, and Perform
// Calculations, with every message box answered. After each event the
// working state must still hang together: each quantity's remembered
// units equal each other and its captions, the Ce coefficient still reads
// as a number, the results are numbers, and no dialog or list is left open.
//
// Reproducible: GAUGESTAR_RANDOM_SEED and GAUGESTAR_RANDOM_EVENTS choose the
// run (a failure prints both, to replay it); the defaults keep it short
// enough for every test run.

#include "main_window/main_form.h"

#include "core/number_text.h"
#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>

namespace {

const QString& kRefused = testsupport::texts::calculationError;

constexpr std::uint64_t kDefaultSeed = 20250808;
constexpr int kDefaultEvents = 5000;

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback)
{
    bool ok = false;
    const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

const QStringList kSelectors{"cboTankShape", "cboProductType", "cboLengthUnits", "cboVolumeUnits", "cboTempUnits"};

// The unit lists, as the window fills them.
const QStringList kLengthUnits{"inches", "feet", "millimeters", "centimeters", "meters"};
const QStringList kVolumeUnits{"gallons", "litres", "cubic meters", "millilitres"};
const QStringList kTempUnits{"degrees F", "degrees C"};

// A written number as the display patterns write it ("12.5", ".", "-40.").
const QRegularExpression kPatterned(R"(^-?\d*\.\d*$)");
const QRegularExpression kPictureName(R"(^[fcv]tank(0|10|25|50|75|90|100)$)");

// Uniform enough for choosing events; unlike <random>'s distributions, the
// same on every standard library, so a seed replays anywhere.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : engine(seed) {}
    int below(int n) { return static_cast<int>(engine() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List>
    const auto& pick(const List& list)
    {
        return list[below(static_cast<int>(std::size(list)))];
    }

private:
    std::mt19937_64 engine;
};

QString digits(Dice& dice, int count)
{
    QString out;
    for (int i = 0; i < count; ++i)
        out += QChar('0' + dice.below(10));
    return out;
}

// Texts an operator might type, paste or mistype, from the plain to the
// hostile.
QString randomText(Dice& dice)
{
    // clang-format off
    static const QStringList words{
        "abc", "inf", "Infinity", "-Infinity", "nan", "NaN", "-", "+", ".", "..", "-.", "e5", "E", "d",
        "0x10", "1e", "1e+", "12abc", "1.2.3", "--5", "+-5", "five", "1/2", "$100", "100%", "TRUE"};
    static const QStringList names{
        "inches", "feet", "millimeters", "centimeters", "meters", "gallons", "litres", "cubic meters",
        "millilitres", "degrees F", "degrees C", "Degrees F", "degrees  C", " inches", "litres ",
        "Regular Unleaded", "Diesel Fuel", "Kerosene", "kerosene", "Premium Unleaded ",
        "Flat-Ended (Steel)", "Vertical (Aboveground)"};
    static const QStringList foreign{
        QString::fromUtf8("\xd9\xa3"),                   // Arabic-Indic three
        QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92"),   // fullwidth 12
        QString::fromUtf8("1\xc2\xb0"),                  // 1 degree
        QString::fromUtf8("\xc3\x98"),
        QString::fromUtf8("\xc3\xa9t\xc3\xa9"),
        QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87"),
        QString::fromUtf8("\xf0\x9f\x98\x80"),           // emoji, a surrogate pair
        QString::fromUtf8("\xe2\x88\x92" "5"),           // minus sign, not hyphen
        QString::fromUtf8("1\xc2\xa0" "000"),            // no-break space
        QString::fromUtf8("\xc2\xbd"),                   // one half
        QString::fromUtf8("1\xe2\x80\xaf" "234,5"),
    };
    static const QStringList extremes{
        "1E308", "-1E308", "1.7976931348623157E308", "1.7976931348623159E308", "-1.7976931348623157E308",
        "4.9406564584124654E-324", "2.2250738585072014E-308", "3.4028235E38", "3.4028236E38", "-3.5E38",
        "1E38", "1E39", "1E-45", "1E-46", "1E-400", "1E400", "1D308", "9.99999999999999E307", "0", "-0",
        "0.0", "00000", ".0", "1E-7", "0.000001", "999999999999999.9", "123456789012345678901234567890"};
    // clang-format on

    switch (dice.below(11)) {
    case 0: { // a plain number
        QString out = dice.chance(20) ? "-" : (dice.chance(5) ? "+" : "");
        out += digits(dice, dice.below(8));
        if (dice.chance(60))
            out += "." + digits(dice, dice.below(7));
        return out.isEmpty() ? "0" : out;
    }
    case 1: { // with an exponent, huge and tiny ones included
        QString out = (dice.chance(20) ? "-" : "") + digits(dice, 1 + dice.below(3));
        if (dice.chance(50))
            out += "." + digits(dice, dice.below(4));
        out += dice.pick(QStringList{"E", "e", "D", "d"});
        out += dice.pick(QStringList{"", "+", "-"});
        static const QStringList exponents{"0",   "1",   "7",   "38",  "39",  "45",    "307",
                                           "308", "309", "320", "324", "400", "99999", "99999999999999999999"};
        out += dice.chance(70) ? dice.pick(exponents) : digits(dice, 1 + dice.below(3));
        return out;
    }
    case 2: // blanks
        return dice.pick(QStringList{"", " ", "   ", " 12 ", "1 2", "- 5", "1 E 3", " . "});
    case 3: // group separators and commas
        return dice.pick(QStringList{"10,000", "1,234.5", ",", ",5", "1,,2", "12,5", "1.0,5", "-1,000,000", "1,2,3,4"});
    case 4: return dice.pick(words);
    case 5: return dice.pick(foreign);
    case 6: { // very long
        const int length = 50 + dice.below(3000);
        switch (dice.below(4)) {
        case 0: return digits(dice, length);
        case 1: return QString(length, '9');
        case 2: return "0." + QString(length, '0') + "1";
        default: return "1" + QString(length, '0') + ".5E-" + QString::number(length);
        }
    }
    case 7: return dice.pick(names);
    case 8: return dice.pick(extremes);
    case 9: { // a random jumble of number characters
        static const QString alphabet = QString::fromUtf8("0123456789.,+-eEdD x\xc3\xa9\xc2\xb0");
        QString out;
        for (int i = 1 + dice.below(20); i > 0; --i)
            out += alphabet[dice.below(static_cast<int>(alphabet.size()))];
        return out;
    }
    default: // the texts the program itself writes, fed back
        return dice.pick(QStringList{"96.", ".5", "-2.5", "2438.4", "37.85", ".00265", "0.00126", "21.11", "70.",
                                     "-40.", "1.5E-07", "1E+15"});
    }
}

// Short enough for a failure message.
QString quoted(const QString& text)
{
    QString out;
    for (const QChar c : text.left(40))
        out += c.unicode() < 0x20 ? QString("\\x%1").arg(int{c.unicode()}, 2, 16, QChar('0')) : QString(c);
    if (text.size() > 40)
        out += QString("...(%1 chars)").arg(text.size());
    return "\"" + out + "\"";
}

bool isAsciiKey(QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; }

// Types as a keyboard does: ASCII characters as key clicks, anything else
// as a key event carrying its text, as an input method delivers it.
void typeText(QLineEdit* edit, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isAsciiKey(c)) {
            QTest::keyClick(edit, c.toLatin1());
            continue;
        }
        QString unit(c);
        if (c.isHighSurrogate() && i + 1 < text.size())
            unit += text[++i];
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, unit, Qt::NoModifier);
    }
}

// The offscreen platform cannot raise windows or grab the keyboard, and
// says so each time a list opens; thousands of those would bury the log.
QtMessageHandler previousHandler = nullptr;

void quietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith("This plugin does not support"))
        return;
    previousHandler(type, context, message);
}

} // namespace

class TestRandomEvents : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Mainform> window;
    testsupport::ScriptedDialogs* driver = nullptr;
    std::deque<QString> recent; // the last events, for a failure message
    int calculations = 0;
    int choices = 0;
    int typings = 0;
    int unitChanges = 0;     // choices that put another unit in force
    int refusedSwitches = 0; // choices refused with a message

    template <typename T>
    T* child(const QString& name)
    {
        return testsupport::control<T>(window.get(), name);
    }

    QString state(const char* name) const { return window->property(name).toString(); }
    QString refusals() const { return QString::number(driver->answeredCount(kRefused)); }

    // ---- events ----

    QString typeEvent(Dice& dice)
    {
        static const QStringList targets{"txtTankDiameter", "txtTankLength",  "txtProductLevel",
                                         "txtProductTemp",  "txtCe",          "cboProductType",
                                         "cboLengthUnits",  "cboVolumeUnits", "cboTempUnits"};
        const QString target = dice.pick(targets);
        QLineEdit* edit = qobject_cast<QLineEdit*>(window->findChild<QWidget*>(target));
        if (!edit)
            edit = child<QComboBox>(target)->lineEdit();
        const QString text = randomText(dice);
        const bool replace = dice.chance(80);
        const bool paste = text.size() > 200 || dice.chance(10);
        ++typings;

        edit->setFocus();
        if (replace)
            edit->selectAll();
        else
            edit->end(false);
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            if (replace)
                QTest::keyClick(edit, Qt::Key_Delete);
            typeText(edit, text);
        }
        const bool enter = dice.chance(10);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
        return QString("%1 %2 into %3%4")
            .arg(paste ? "paste" : "type", quoted(text), target,
                 QString(replace ? "" : " (appended)") + (enter ? " + Enter" : ""));
    }

    // The unit selectors, each with the remembered unit in force it sets.
    struct UnitSelector {
        const char* selector;
        const char* unitInForce;
    };
    static constexpr UnitSelector kUnitSelectors[] = {
        {"cboLengthUnits", "OldLengthUnits"},
        {"cboVolumeUnits", "OldVolumeUnits"},
        {"cboTempUnits", "OldTempUnits"},
    };

    // Picks with the mouse; a picked unit is then in force, unless the
    // switch was refused with a message, which leaves the old one.
    QString chooseEvent(Dice& dice, QString& problem)
    {
        const QString name = dice.pick(kSelectors);
        auto* selector = child<QComboBox>(name);
        const int index = dice.below(selector->count());
        const QString entry = selector->itemText(index);
        const UnitSelector* unitSelector = nullptr;
        for (const UnitSelector& u : kUnitSelectors)
            if (name == u.selector)
                unitSelector = &u;
        const QString before = unitSelector ? state(unitSelector->unitInForce) : QString();
        const int refusedBefore = driver->answeredCount(kRefused);
        ++choices;

        const QString event = QString("choose %1 \"%2\"").arg(name, entry);
        if (!testsupport::chooseEntry(selector, index))
            return event;
        if (unitSelector) {
            const bool refused = driver->answeredCount(kRefused) > refusedBefore;
            const QString inForce = state(unitSelector->unitInForce);
            if (refused && (inForce != before || selector->currentText() != before))
                problem = QString("refused switch changed the unit: %1 now %2, selector shows %3")
                              .arg(before, inForce, quoted(selector->currentText()));
            refusedSwitches += refused ? 1 : 0;
            unitChanges += inForce != before ? 1 : 0;
            if (!refused && inForce != entry)
                problem = QString("%1 chosen, but %2 is in force").arg(entry, inForce);
        }
        return event;
    }

    QString arrowEvent(Dice& dice)
    {
        const QString name = dice.pick(kSelectors);
        auto* selector = child<QComboBox>(name);
        const bool down = dice.chance(50);
        ++choices;
        selector->setFocus();
        QTest::keyClick(selector, down ? Qt::Key_Down : Qt::Key_Up);
        return QString("%1 in %2").arg(down ? "Down" : "Up", name);
    }

    // A wheel turn over a closed selector must change nothing at all.
    QString wheelEvent(Dice& dice, QString& problem)
    {
        const QString name = dice.pick(kSelectors);
        auto* selector = child<QComboBox>(name);
        const QString shownBefore = selector->currentText();
        const QString ceBefore = state("cevalue");
        const QString capacityBefore = child<QLineEdit>("txtTankCapacity")->text();
        const int turn = dice.chance(50) ? 1 : -1;
        testsupport::turnWheel(selector, turn);
        if (selector->currentText() != shownBefore || state("cevalue") != ceBefore ||
            child<QLineEdit>("txtTankCapacity")->text() != capacityBefore)
            problem = "a wheel turn changed the window";
        return QString("wheel %1 over %2").arg(turn).arg(name);
    }

    QString calculateEvent()
    {
        ++calculations;
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        return "Perform Calculations";
    }

    // ---- the invariant ----

    QString brokenInvariant()
    {
        if (QWidget* modal = QApplication::activeModalWidget())
            return QString("a %1 is still open").arg(modal->metaObject()->className());
        if (QWidget* popup = QApplication::activePopupWidget())
            return QString("a %1 list is still open").arg(popup->metaObject()->className());

        const struct {
            const char* oldName;
            const char* newName;
            const QStringList& units;
            QStringList captions;
        } quantities[] = {
            {"OldLengthUnits", "NewLengthUnits", kLengthUnits, {"lbllengths_0", "lbllengths_1", "lbllengths_2"}},
            {"OldVolumeUnits",
             "NewVolumeUnits",
             kVolumeUnits,
             {"lblVolumes_0", "lblVolumes_1", "lblVolumes_2", "lblVolumes_3"}},
            {"OldTempUnits", "NewTempUnits", kTempUnits, {"lblTemp_0", "lblTemp_1"}},
        };
        for (const auto& q : quantities) {
            const QString unit = state(q.oldName);
            if (state(q.newName) != unit)
                return QString("%1 is \"%2\" but %3 is \"%4\"").arg(q.oldName, unit, q.newName, state(q.newName));
            if (!q.units.contains(unit))
                return QString("%1 is \"%2\", not a unit").arg(q.oldName, unit);
            for (const QString& caption : q.captions)
                if (child<QLabel>(caption)->text() != unit)
                    return QString("%1 shows \"%2\" while %3 is \"%4\"")
                        .arg(caption, child<QLabel>(caption)->text(), q.oldName, unit);
        }

        // The coefficient the calculation uses is always a number.
        const QString cevalue = state("cevalue");
        const auto ce = tank::strictNumber(cevalue.toStdString());
        if (!ce || !std::isfinite(*ce))
            return "cevalue is " + quoted(cevalue);

        // Results are what a calculation or a switch wrote, or the start-up
        // placeholder: never "Infinity", "NaN" or a half-written text.
        for (const char* name : {"txtTankCapacity", "txtGrossVolume", "txtNetVolume"}) {
            const QString text = child<QLineEdit>(name)->text();
            if (text != "10,000" && !kPatterned.match(text).hasMatch())
                return QString("%1 shows %2").arg(name, quoted(text));
        }

        // The tank picture is always one of the store's fill steps.
        const auto* picture = child<QLabel>("imgTank");
        const QString pictureName = picture->property("picture").toString();
        if (!kPictureName.match(pictureName).hasMatch() || picture->pixmap().isNull())
            return "the tank picture is " + quoted(pictureName);
        return {};
    }

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(quietOffscreenHandler); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        QVERIFY(testsupport::showMainWindow(window, driver));
        driver->answerAnyNumberOf(kRefused);
        recent.clear();
        calculations = choices = typings = unitChanges = refusedSwitches = 0;
    }

    void cleanup() { window.reset(); }

    void randomEvents()
    {
        const std::uint64_t seed = fromEnvironment("GAUGESTAR_RANDOM_SEED", kDefaultSeed);
        const int events = static_cast<int>(fromEnvironment("GAUGESTAR_RANDOM_EVENTS", kDefaultEvents));
        qInfo("random events: seed %llu, %d events", static_cast<unsigned long long>(seed), events);
        Dice dice(seed);
        QElapsedTimer clock;
        clock.start();

        for (int i = 0; i < events; ++i) {
            QString problem;
            QString event;
            const int kind = dice.below(100);
            if (kind < 45)
                event = typeEvent(dice);
            else if (kind < 75)
                event = chooseEvent(dice, problem);
            else if (kind < 80)
                event = arrowEvent(dice);
            else if (kind < 85)
                event = wheelEvent(dice, problem);
            else
                event = calculateEvent();

            recent.push_back(QString("#%1 %2").arg(i).arg(event));
            if (recent.size() > 8)
                recent.pop_front();
            if (problem.isEmpty() && QTest::currentTestFailed())
                problem = "a step of the event failed";
            if (problem.isEmpty())
                problem = brokenInvariant();
            if (!problem.isEmpty()) {
                QStringList lines{QString("after event %1 of seed %2: %3").arg(i).arg(seed).arg(problem),
                                  "last events:"};
                for (const QString& line : recent)
                    lines << "  " + line;
                lines << QString("replay: GAUGESTAR_RANDOM_SEED=%1 GAUGESTAR_RANDOM_EVENTS=%2").arg(seed).arg(i + 1);
                QFAIL(qPrintable(lines.join('\n')));
            }
        }
        qInfo("random events: seed %llu, %d events in %.1f s: %d typed or pasted, %d choices (%d units "
              "changed, %d switches refused), %d calculations, %s messages answered",
              static_cast<unsigned long long>(seed), events, clock.elapsed() / 1000.0, typings, choices, unitChanges,
              refusedSwitches, calculations, qPrintable(refusals()));
    }
};

QTEST_MAIN(TestRandomEvents)
#include "test_random_events.moc"
