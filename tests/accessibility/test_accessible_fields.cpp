// What a screen reader is told about the calculator window, read through
// the same accessibility interfaces the platform bridge reads: the name,
// role and value of every entry, selector and result, the unit caption of
// each field, and the picture's description in words.

#include "main_window/main_form.h"
#include "main_window/picture_store.h"

#include "support/gui_actions.h"
#include "support/helper_checks.h"
#include "support/unexpected_warnings.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include <memory>

using testsupport::chooseEntry;
using testsupport::typeInto;

Q_DECLARE_METATYPE(QAccessible::Role)

class TestAccessibleFields : public QObject {
    Q_OBJECT

    std::unique_ptr<Mainform> form;
    testsupport::ScriptedDialogs* dialogs = nullptr;

    QWidget* control(const QString& name)
    {
        auto* widget = form->findChild<QWidget*>(name);
        if (!widget)
            qWarning("no control %s", qPrintable(name));
        return widget;
    }
    QAccessibleInterface* accessible(const QString& name)
    {
        QWidget* widget = control(name);
        return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    }
    // The captions a screen reader finds among a control's labels (the
    // frame around it is one more label, with its title).
    QStringList labelsOf(const QString& name)
    {
        QStringList texts;
        const auto relations = accessible(name)->relations(QAccessible::Label);
        for (const auto& [label, relation] : relations)
            if (label->role() == QAccessible::StaticText)
                texts << label->text(QAccessible::Name);
        return texts;
    }
    // The words a screen reader announces for a control: its accessible
    // name; for a selector, whose name the Linux bridge fills with the entry
    // shown, the caption that labels it.
    QString spokenName(const QString& name)
    {
        QAccessibleInterface* iface = accessible(name);
        if (iface->role() == QAccessible::ComboBox)
            return labelsOf(name).value(0);
        return iface->text(QAccessible::Name);
    }
    // Presses the button as an assistive tool does, through its action.
    [[nodiscard]] bool pressThroughAction(const QString& name)
    {
        QAccessibleActionInterface* action = accessible(name)->actionInterface();
        CHECK(action);
        CHECK(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
        action->doAction(QAccessibleActionInterface::pressAction());
        return true;
    }

private slots:
    void init()
    {
        testsupport::failOnUnexpectedWarnings();
        QVERIFY(testsupport::showMainWindow(form, dialogs));
    }
    void cleanup() { form.reset(); }

    void everyFieldHasNameRoleAndValue_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("value");

        const auto field = QAccessible::EditableText;
        const auto selector = QAccessible::ComboBox;
        // clang-format off
        QTest::newRow("shape") << "cboTankShape" << "Shape" << selector << "Flat-Ended (Steel)";
        QTest::newRow("diameter") << "txtTankDiameter" << "Diameter" << field << "96";
        QTest::newRow("length") << "txtTankLength" << "Length" << field << "324";
        QTest::newRow("product") << "cboProductType" << "Type" << selector << "Regular Unleaded";
        QTest::newRow("level") << "txtProductLevel" << "Product level" << field << "48";
        QTest::newRow("temperature") << "txtProductTemp" << "Product temperature" << field << "70";
        QTest::newRow("ce") << "txtCe" << "Ce value" << field << "0.0007";
        QTest::newRow("length units") << "cboLengthUnits" << "Lengths" << selector << "inches";
        QTest::newRow("volume units") << "cboVolumeUnits" << "Volumes" << selector << "gallons";
        QTest::newRow("temperature units") << "cboTempUnits" << "Temps" << selector << "degrees F";
        QTest::newRow("capacity") << "txtTankCapacity" << "Tank capacity" << field << "10,000";
        QTest::newRow("gross") << "txtGrossVolume" << "Gross volume" << field << "10,000";
        QTest::newRow("net") << "txtNetVolume" << "Net volume" << field << "10,000";
        QTest::newRow("button") << "Command1" << "Perform Calculations" << QAccessible::Button << "";
        // clang-format on
    }
    void everyFieldHasNameRoleAndValue()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, value);

        QAccessibleInterface* iface = accessible(control);
        QVERIFY(iface);
        QCOMPARE(spokenName(control), name);
        QCOMPARE(iface->role(), role);
        QCOMPARE(iface->text(QAccessible::Value), value);
        QVERIFY(!iface->state().invisible);
        // A field's text is also read character by character.
        if (QAccessibleTextInterface* text = iface->textInterface())
            QCOMPARE(text->text(0, text->characterCount()), value);
    }

    // What a screen reader does: type the diameter, press the button through
    // its action, read the three results as they are announced.
    void resultsReadAfterPressingThroughAction()
    {
        QVERIFY(typeInto(control("txtTankDiameter"), "120"));
        QCOMPARE(accessible("txtTankDiameter")->text(QAccessible::Value), QString("120"));
        QVERIFY(pressThroughAction("Command1"));

        // pi * 60^2 * 324 / 231 gallons; 48 inches up a 120-inch tank, which
        // is 0.37 of it: nearer a quarter than half.
        QTRY_COMPARE(accessible("txtTankCapacity")->text(QAccessible::Value), QString("15863."));
        QCOMPARE(accessible("txtGrossVolume")->text(QAccessible::Value), QString("5925.31"));
        QCOMPARE(accessible("txtNetVolume")->text(QAccessible::Value), QString("5883.83"));
        QCOMPARE(accessible("imgTank")->text(QAccessible::Description),
                 QString("Flat-ended tank, about a quarter full"));
    }

    // The text an editable-text client writes lands in the field the
    // calculation reads.
    void diameterWrittenThroughEditableText()
    {
        QAccessibleInterface* diameter = accessible("txtTankDiameter");
        QAccessibleEditableTextInterface* editable = diameter->editableTextInterface();
        QVERIFY(editable);
        editable->replaceText(0, diameter->textInterface()->characterCount(), "120");
        QCOMPARE(qobject_cast<QLineEdit*>(control("txtTankDiameter"))->text(), QString("120"));
        QVERIFY(pressThroughAction("Command1"));
        QTRY_COMPARE(accessible("txtTankCapacity")->text(QAccessible::Value), QString("15863."));
    }

    void captionsLabelTheirControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("shape") << "cboTankShape" << QStringList{"Shape"};
        QTest::newRow("product") << "cboProductType" << QStringList{"Type"};
        QTest::newRow("length units") << "cboLengthUnits" << QStringList{"Lengths"};
        QTest::newRow("volume units") << "cboVolumeUnits" << QStringList{"Volumes"};
        QTest::newRow("temperature units") << "cboTempUnits" << QStringList{"Temps"};
        QTest::newRow("diameter") << "txtTankDiameter" << QStringList{"inches"};
        QTest::newRow("length") << "txtTankLength" << QStringList{"inches"};
        QTest::newRow("level") << "txtProductLevel" << QStringList{"inches"};
        QTest::newRow("temperature") << "txtProductTemp" << QStringList{"degrees F"};
        QTest::newRow("ce") << "txtCe" << QStringList{"gallons", "per", "degrees F"};
        QTest::newRow("capacity") << "txtTankCapacity" << QStringList{"gallons"};
        QTest::newRow("gross") << "txtGrossVolume" << QStringList{"gallons"};
        QTest::newRow("net") << "txtNetVolume" << QStringList{"gallons"};
    }
    void captionsLabelTheirControls()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, captions);
        QCOMPARE(labelsOf(control), captions);
    }

    // The caption read is the one shown now, not the one at start-up.
    void unitCaptionsFollowUnitSwitching()
    {
        QVERIFY(chooseEntry(qobject_cast<QComboBox*>(control("cboLengthUnits")), "feet"));
        QVERIFY(chooseEntry(qobject_cast<QComboBox*>(control("cboVolumeUnits")), "litres"));
        QVERIFY(chooseEntry(qobject_cast<QComboBox*>(control("cboTempUnits")), "degrees C"));
        QCOMPARE(labelsOf("txtTankDiameter"), QStringList{"feet"});
        QCOMPARE(labelsOf("txtNetVolume"), QStringList{"litres"});
        QCOMPARE(labelsOf("txtProductTemp"), QStringList{"degrees C"});
        QCOMPARE(labelsOf("txtCe"), (QStringList{"litres", "per", "degrees C"}));
    }

    void unitCaptionsAreReadable_data()
    {
        QTest::addColumn<QString>("caption");
        for (const char* name : {"lbllengths_0", "lbllengths_1", "lbllengths_2", "lblTemp_0", "lblTemp_1",
                                 "lblVolumes_0", "lblVolumes_1", "lblVolumes_2", "lblVolumes_3"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void unitCaptionsAreReadable()
    {
        QFETCH(QString, caption);
        QAccessibleInterface* iface = accessible(caption);
        QCOMPARE(iface->role(), QAccessible::StaticText);
        QCOMPARE(iface->text(QAccessible::Name), qobject_cast<QLabel*>(control(caption))->text());
        QVERIFY(!iface->state().invisible);
        QVERIFY(!iface->text(QAccessible::Description).isEmpty());
    }

    void pictureDescribedInWords_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("description");
        // clang-format off
        QTest::newRow("start-up") << "" << "" << "Flat-ended tank, empty";
        QTest::newRow("flat, half") << "" << "48" << "Flat-ended tank, about half full";
        QTest::newRow("hemispherical, half")
            << "Cylindrical (Fiberglass)" << "48" << "Tank with hemispherical ends, about half full";
        QTest::newRow("upright, full") << "Vertical (Aboveground)" << "400" << "Upright tank, full";
        // clang-format on
    }
    void pictureDescribedInWords()
    {
        QFETCH(QString, shape);
        QFETCH(QString, level);
        QFETCH(QString, description);
        if (!shape.isEmpty())
            QVERIFY(chooseEntry(qobject_cast<QComboBox*>(control("cboTankShape")), shape));
        if (!level.isEmpty()) {
            QVERIFY(typeInto(control("txtProductLevel"), level));
            QTest::mouseClick(qobject_cast<QPushButton*>(control("Command1")), Qt::LeftButton);
        }
        QAccessibleInterface* picture = accessible("imgTank");
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QCOMPARE(picture->text(QAccessible::Name), QString("Tank picture"));
        QCOMPARE(picture->text(QAccessible::Description), description);
    }

    // Every stored picture can be told apart by its words alone.
    void everyPictureHasItsOwnDescription()
    {
        QSet<QString> seen;
        for (const QString& name : PictureStore::names()) {
            const QString words = PictureStore::describe(name);
            QVERIFY2(!words.isEmpty(), qPrintable(name));
            QVERIFY2(!seen.contains(words), qPrintable(name + ": " + words));
            seen.insert(words);
        }
        QCOMPARE(PictureStore::describe("tank50"), QString());
    }
};

QTEST_MAIN(TestAccessibleFields)
#include "test_accessible_fields.moc"
