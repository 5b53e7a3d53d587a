// The calculator window through its real controls: what the operator sees
// at start-up, after Perform Calculations, and after choosing a shape or a
// product.

#include "main_window/main_form.h"
#include "main_window/status_clock.h"

#include "support/app_texts.h"
#include "support/gui_actions.h"
#include "support/scripted_dialogs.h"
#include "support/unexpected_warnings.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtEndian>
#include <QtTest>

#include <memory>

using testsupport::chooseEntry;
using testsupport::ScriptedDialogs;
using testsupport::typeInto;

namespace texts = testsupport::texts;

// What is entered before Perform Calculations (an empty text leaves the
// start-up entry), and what the window shows after it.
struct Calculation {
    QString shape = "Flat-Ended (Steel)";
    QString diameter = {}, length = {}, level = {}, lengthUnit = {}, volumeUnit = {}, productTemp = {};
    QString capacity = {}, gross = {}, net = {}, picture = {};
    int messages = 0; // calculation errors reported
};
Q_DECLARE_METATYPE(Calculation)

class TestMainForm : public QObject {
    Q_OBJECT

    std::unique_ptr<Mainform> form;
    ScriptedDialogs* dialogs = nullptr;
    QDate dayBeforeForm;

    template <typename T = QWidget>
    T* control(const char* name)
    {
        return testsupport::control<T>(form.get(), QString::fromLatin1(name));
    }
    QString text(const char* name) { return control<QLineEdit>(name)->text(); }
    QString picture() { return control<QLabel>("imgTank")->property("picture").toString(); }
    QComboBox* selector(const char* name) { return control<QComboBox>(name); }

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        dayBeforeForm = QDate::currentDate();
        QVERIFY(testsupport::showMainWindow(form, dialogs));
    }
    void cleanup() { form.reset(); }

    void everyControlExists_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"Frame1",          "Frame2",         "Frame3",       "Frame4",          "Frame5",
              "Frame6",          "Command1",       "Label1",       "cboTankShape",    "Label5",
              "txtTankDiameter", "lbllengths_0",   "Label6",       "txtTankLength",   "lbllengths_1",
              "Label4",          "cboProductType", "Label7",       "txtProductLevel", "lbllengths_2",
              "Label8",          "txtProductTemp", "lblTemp_0",    "lblCe",           "txtCe",
              "lblVolumes_3",    "Label10",        "lblTemp_1",    "Label2",          "cboLengthUnits",
              "Label3",          "cboVolumeUnits", "Label9",       "cboTempUnits",    "imgTank",
              "lblCylinderInfo", "Label14",        "txtCeTempRef", "lblTemp_2",       "Label11",
              "txtTankCapacity", "lblVolumes_0",   "Label12",      "txtGrossVolume",  "lblVolumes_1",
              "Label13",         "txtNetVolume",   "lblVolumes_2", "sbStatusBar",     "CDialog1"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyControlExists()
    {
        QFETCH(QString, name);
        QVERIFY(form->findChild<QObject*>(name));
    }

    void startUpState()
    {
        QCOMPARE(form->objectName(), QString("Mainform"));
        QCOMPARE(form->windowTitle(), QString("Ombrix Associates Gaugestar"));
        QCOMPARE(selector("cboTankShape")->currentText(), QString("Flat-Ended (Steel)"));
        QCOMPARE(picture(), QString("ftank0"));
        QVERIFY(!control<QLabel>("imgTank")->pixmap().isNull());
        QVERIFY(!control("lblCylinderInfo")->isVisible());
        QCOMPARE(text("txtCe"), QString("0.0007"));
        QCOMPARE(form->property("cevalue").toString(), QString("0.0007"));
        for (const char* result : {"txtTankCapacity", "txtGrossVolume", "txtNetVolume"})
            QCOMPARE(text(result), QString("10,000"));
        QCOMPARE(text("txtTankDiameter"), QString("96"));
        QCOMPARE(text("txtTankLength"), QString("324"));
        QCOMPARE(text("txtProductLevel"), QString("48"));
        QCOMPARE(text("txtProductTemp"), QString("70"));
        QCOMPARE(text("txtCeTempRef"), QString("60"));
        QVERIFY(!control("txtCeTempRef")->isVisible());
        QVERIFY(!control("txtTankCapacity")->isEnabled());
        QVERIFY(!control("txtGrossVolume")->isEnabled());
        QVERIFY(control("txtNetVolume")->isEnabled());

        // The editable lists show their texts with no entry selected.
        const std::pair<const char*, const char*> shown[] = {{"cboProductType", "Regular Unleaded"},
                                                             {"cboLengthUnits", "inches"},
                                                             {"cboVolumeUnits", "gallons"},
                                                             {"cboTempUnits", "degrees F"}};
        for (const auto& [name, initial] : shown) {
            QCOMPARE(selector(name)->currentText(), QString(initial));
            QCOMPARE(selector(name)->currentIndex(), -1);
            QVERIFY(selector(name)->isEditable());
        }
        QVERIFY(!selector("cboTankShape")->isEditable());
        QCOMPARE(selector("cboTankShape")->count(), 3);
        QCOMPARE(selector("cboProductType")->count(), 5);
        QCOMPARE(selector("cboLengthUnits")->count(), 5);
        QCOMPARE(selector("cboVolumeUnits")->count(), 4);
        QCOMPARE(selector("cboTempUnits")->count(), 2);

        const std::pair<const char*, const char*> state[] = {
            {"OldLengthUnits", "inches"},  {"NewLengthUnits", "inches"},  {"OldVolumeUnits", "gallons"},
            {"NewVolumeUnits", "gallons"}, {"OldTempUnits", "degrees F"}, {"NewTempUnits", "degrees F"}};
        for (const auto& [property, value] : state)
            QCOMPARE(form->property(property).toString(), QString(value));

        QCOMPARE(QApplication::focusWidget(), control("cboTankShape"));
    }

    void layoutInPixels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QSize>("resizedBy");
        // Twips divided by 15, relative to the container.
        const QSize larger(120, 90);
        QTest::newRow("Frame3") << "Frame3" << QRect(224, 8, 249, 201) << larger;
        QTest::newRow("Command1") << "Command1" << QRect(240, 328, 217, 41) << larger;
        QTest::newRow("txtTankDiameter") << "txtTankDiameter" << QRect(56, 48, 73, 19) << larger;
        QTest::newRow("imgTank") << "imgTank" << QRect(8, 16, 233, 177) << larger;
        QTest::newRow("cboTempUnits") << "cboTempUnits" << QRect(56, 88, 153, 21) << larger;
        QTest::newRow("txtNetVolume") << "txtNetVolume" << QRect(88, 72, 97, 19) << larger;
        // Smaller than the client area: the button is clipped, not moved.
        QTest::newRow("Command1, window shrunk") << "Command1" << QRect(240, 328, 217, 41) << QSize(-120, -200);
    }
    void layoutInPixels()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QSize, resizedBy);
        QWidget* widget = form->findChild<QWidget*>(name);
        QCOMPARE(widget->geometry(), geometry);
        // Resizing the window either way moves nothing.
        const QSize resized = form->size() + resizedBy;
        form->resize(resized);
        QTRY_COMPARE(form->size(), resized);
        QCOMPARE(widget->geometry(), geometry);
    }

    void clientAreaAndStatusBar()
    {
        QCOMPARE(form->centralWidget()->width(), 475);
        QCOMPARE(form->centralWidget()->height() + form->statusBar()->height(), 414);
        QCOMPARE(form->statusBar()->height(), 25);
        auto* status = form->findChild<QLabel*>("sbStatusPanel");
        QCOMPARE(status->text(), QString("Status"));
        // The panel shows a day between the window's making and now: across
        // midnight that may be either.
        const QString shown = control<QLabel>("sbDatePanel")->text();
        const QStringList days{QLocale::system().toString(dayBeforeForm, QLocale::ShortFormat),
                               QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)};
        QVERIFY2(days.contains(shown), qPrintable(shown + " is not one of " + days.join(", ")));
    }

    // Ticking on its own: the panels follow a clock that moves.
    void clockMoves()
    {
        const QDateTime later(QDate(2031, 12, 31), QTime(23, 59));
        form->findChild<StatusClock*>()->setTimeSource([later] { return later; });
        const QLocale locale = QLocale::system();
        QTRY_COMPARE(control<QLabel>("sbTimePanel")->text(), locale.toString(later.time(), QLocale::ShortFormat));
        QCOMPARE(control<QLabel>("sbDatePanel")->text(), locale.toString(later.date(), QLocale::ShortFormat));
    }

    // The frames' captions, blanks included.
    void frameCaptions()
    {
        // clang-format off
        const std::pair<const char*, const char*> captions[] = {
            {"Frame1", "Calculated Values"}, {"Frame2", "Tank  Parameters"}, {"Frame3", "Tank Shape and Product Level"},
            {"Frame4", "Product Parameters"}, {"Frame5", " Units"}, {"Frame6", ""}};
        // clang-format on
        for (const auto& [name, caption] : captions)
            QCOMPARE(control<QGroupBox>(name)->title(), QString(caption));
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        // clang-format off
        QTest::newRow("mnuPrint") << "mnuPrint" << "Print Screen";
        QTest::newRow("mnuExit") << "mnuExit" << "E&xit";
        QTest::newRow("mnuTGen") << "mnuTGen" << "&Tank Chart Generator";
        QTest::newRow("mnuAbout") << "mnuAbout" << "&About Gaugestar";
        // clang-format on
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        auto* action = form->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QVERIFY(action->shortcut().isEmpty());
        QStringList bar;
        for (QAction* menu : form->menuBar()->actions())
            bar << menu->text();
        QCOMPARE(bar, QStringList({"&File", "&Utilites", "&Help"}));
        QVERIFY(form->findChild<QAction*>("mnuBarFile")->isSeparator());
    }

    void calculate_data()
    {
        QTest::addColumn<Calculation>("entered");
        const auto row = [](const char* name, const Calculation& entered) { QTest::newRow(name) << entered; };
        // clang-format off
        row("start-up entries", {.capacity = "10152.32", .gross = "5076.16", .net = "5040.63", .picture = "ftank50"});
        row("feet", {.diameter = "8", .length = "27", .level = "4", .lengthUnit = "feet", .capacity = "10152.32",
                     .gross = "5076.16", .net = "5040.63", .picture = "ftank50"});
        row("litres", {.volumeUnit = "litres", .capacity = "38430.72", .gross = "19215.36", .net = "19080.85",
                       .picture = "ftank50"});
        row("hemispherical ends", {.shape = "Cylindrical (Fiberglass)", .capacity = "12157.72", .gross = "6078.86",
                                   .net = "6036.31", .picture = "ctank50"});
        row("level above the diameter",
            {.level = "100", .capacity = "10152.32", .gross = ".", .net = ".", .picture = "ftank0", .messages = 1});
        row("at the reference temperature", {.productTemp = "60", .capacity = "10152.32", .gross = "5076.16",
                                             .net = "5076.16", .picture = "ftank50"});
        // clang-format on
        // An unknown length unit: no capacity, the volume function's own
        // message, then the fill fraction over a zero capacity stops the run.
        row("yards",
            {.lengthUnit = "yards", .capacity = ".", .gross = ".", .net = ".", .picture = "ftank0", .messages = 2});
    }

    void calculate()
    {
        QFETCH(Calculation, entered);
        QVERIFY(chooseEntry(selector("cboTankShape"), entered.shape));
        const std::pair<const char*, QString> typed[] = {{"txtTankDiameter", entered.diameter},
                                                         {"txtTankLength", entered.length},
                                                         {"txtProductLevel", entered.level},
                                                         {"txtProductTemp", entered.productTemp}};
        for (const auto& [name, value] : typed)
            if (!value.isEmpty())
                QVERIFY(typeInto(control(name), value));
        // Typed into the unit lists: typing converts nothing.
        if (!entered.lengthUnit.isEmpty())
            QVERIFY(typeInto(selector("cboLengthUnits"), entered.lengthUnit));
        if (!entered.volumeUnit.isEmpty())
            QVERIFY(typeInto(selector("cboVolumeUnits"), entered.volumeUnit));

        for (int i = 0; i < entered.messages; ++i)
            dialogs->expectMessage(texts::calculationError);
        QTest::mouseClick(control("Command1"), Qt::LeftButton);
        VERIFY_DIALOGS(*dialogs);

        QCOMPARE(text("txtTankCapacity"), entered.capacity);
        QCOMPARE(text("txtGrossVolume"), entered.gross);
        QCOMPARE(text("txtNetVolume"), entered.net);
        QCOMPARE(picture(), entered.picture);
    }

    // Failures the calculation cannot compute past: one message, the run
    // stops, fields written before the stop keep their new texts.
    void stoppedCalculation_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("capacity");
        QTest::addColumn<QString>("gross");
        QTest::addColumn<QString>("net");
        // clang-format off
        QTest::newRow("empty diameter") << "txtTankDiameter" << "" << "10,000" << "10,000" << "10,000";
        QTest::newRow("temperature beyond 32 bits")
            << "txtProductTemp" << "1E39" << "10152.32" << "5076.16" << "10,000";
        // clang-format on
    }

    void stoppedCalculation()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, capacity);
        QFETCH(QString, gross);
        QFETCH(QString, net);
        QVERIFY(typeInto(form->findChild<QWidget*>(field), value));
        dialogs->expectMessage(texts::calculationError);
        QTest::mouseClick(control("Command1"), Qt::LeftButton);
        VERIFY_DIALOGS(*dialogs);
        QCOMPARE(text("txtTankCapacity"), capacity);
        QCOMPARE(text("txtGrossVolume"), gross);
        QCOMPARE(text("txtNetVolume"), net);
        QCOMPARE(picture(), QString("ftank0"));
    }

    void shapeChoice_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("note");
        // clang-format off
        QTest::newRow("hemispherical") << "Cylindrical (Fiberglass)" << "ctank0" << true;
        QTest::newRow("vertical") << "Vertical (Aboveground)" << "vtank0" << false;
        QTest::newRow("flat") << "Flat-Ended (Steel)" << "ftank0" << false;
        // clang-format on
    }

    // A shape choice after a calculation shows the empty tank of the shape
    // and leaves the results.
    void shapeChoice()
    {
        QFETCH(QString, shape);
        QFETCH(QString, picture);
        QFETCH(bool, note);
        QTest::mouseClick(control("Command1"), Qt::LeftButton);
        QCOMPARE(this->picture(), QString("ftank50"));
        QVERIFY(chooseEntry(selector("cboTankShape"), "Cylindrical (Fiberglass)"));
        QVERIFY(chooseEntry(selector("cboTankShape"), shape));
        QCOMPARE(this->picture(), picture);
        auto* cylinderNote = control<QLabel>("lblCylinderInfo");
        QCOMPARE(cylinderNote->isVisible(), note);
        QCOMPARE(cylinderNote->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(text("txtGrossVolume"), QString("5076.16"));
    }

    void productChoice_data()
    {
        QTest::addColumn<QString>("tempUnits");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("ceShown");
        QTest::addColumn<QString>("cevalue");
        // clang-format off
        QTest::newRow("diesel, F") << "" << "Diesel Fuel" << "0.00047" << "0.00047";
        QTest::newRow("premium, F") << "" << "Premium Unleaded" << "0.0007" << "0.0007";
        QTest::newRow("kerosene, C") << "degrees C" << "Kerosene" << ".00085" << "0.000846";
        QTest::newRow("regular, C") << "degrees C" << "Regular Unleaded" << ".00126" << "0.00126";
        // A typed temperature text that is no unit changes nothing.
        QTest::newRow("typed empty unit") << "<empty>" << "Diesel Fuel" << "0.0007" << "0.0007";
        QTest::newRow("typed other unit") << "degrees c" << "Kerosene" << "0.0007" << "0.0007";
        // clang-format on
    }

    void productChoice()
    {
        QFETCH(QString, tempUnits);
        QFETCH(QString, product);
        QFETCH(QString, ceShown);
        QFETCH(QString, cevalue);
        if (tempUnits == "<empty>")
            QVERIFY(typeInto(selector("cboTempUnits"), ""));
        else if (!tempUnits.isEmpty())
            QVERIFY(typeInto(selector("cboTempUnits"), tempUnits));
        QVERIFY(chooseEntry(selector("cboProductType"), product));
        QCOMPARE(text("txtCe"), ceShown);
        QCOMPARE(form->property("cevalue").toString(), cevalue);
    }

    // A text typed into a unit list is read, never chosen: Enter or Tab
    // runs no handler.
    void typingRunsNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
    }
    void typingRunsNothing()
    {
        QFETCH(int, key);
        QComboBox* lengths = selector("cboLengthUnits");
        QVERIFY(typeInto(lengths, "feet"));
        QTest::keyClick(lengths->lineEdit(), Qt::Key(key));
        // Whatever the key would start has run once the queue is empty.
        QCoreApplication::processEvents();
        QCOMPARE(lengths->currentText(), QString("feet"));
        QCOMPARE(lengths->count(), 5);
        QCOMPARE(text("txtTankDiameter"), QString("96"));
        QCOMPARE(control<QLabel>("lbllengths_0")->text(), QString("inches"));
        QCOMPARE(form->property("NewLengthUnits").toString(), QString("inches"));
        QCOMPARE(form->property("OldLengthUnits").toString(), QString("inches"));

        // No completion either: a prefix stays a prefix.
        QComboBox* products = selector("cboProductType");
        QVERIFY(typeInto(products, "Dies"));
        QTest::keyClick(products->lineEdit(), Qt::Key(key));
        QCOMPARE(products->currentText(), QString("Dies"));
        QCOMPARE(text("txtCe"), QString("0.0007"));
    }

    // Everything the operator sees and the handlers keep.
    QStringList windowState()
    {
        QStringList state;
        const QMetaObject* meta = form->metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
            state << QString("%1=%2").arg(meta->property(i).name(), meta->property(i).read(form.get()).toString());
        for (const QLineEdit* edit : form->findChildren<QLineEdit*>())
            state << edit->objectName() + ":" + edit->text();
        for (const QComboBox* box : form->findChildren<QComboBox*>())
            state << QString("%1#%2:%3").arg(box->objectName()).arg(box->currentIndex()).arg(box->currentText());
        for (const QLabel* label : form->findChildren<QLabel*>())
            state << label->objectName() + ":" + label->text() + label->property("picture").toString();
        return state;
    }

    // A wheel turn over a closed selector, focused or not, chooses nothing.
    void wheelChoosesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("focused");
        for (const char* name : {"cboTankShape", "cboProductType", "cboLengthUnits", "cboVolumeUnits", "cboTempUnits"})
            for (const bool focused : {false, true})
                QTest::addRow("%s%s", name, focused ? ", focused" : "") << QString(name) << focused;
    }
    void wheelChoosesNothing()
    {
        QFETCH(QString, name);
        QFETCH(bool, focused);
        QComboBox* box = selector(qPrintable(name));
        if (focused)
            box->setFocus();
        const QStringList before = windowState();
        for (const int notches : {-1, -1, 1})
            testsupport::turnWheel(box, notches);
        QCOMPARE(windowState(), before);
    }

    // Choosing the entry that is already shown still runs the handler.
    void choosingTheShownEntryRunsTheHandler()
    {
        QVERIFY(typeInto(control("txtCe"), "0.5"));
        QVERIFY(chooseEntry(selector("cboProductType"), "Regular Unleaded"));
        QCOMPARE(text("txtCe"), QString("0.0007"));
    }
};

QTEST_MAIN(TestMainForm)
#include "test_main_form.moc"
