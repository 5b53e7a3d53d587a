// The three unit selectors: each converts the fields of its quantity in
// place, so every field always holds its value in the unit its caption shows.

#include "main_window/main_form.h"

#include "main_window/caption_label.h"
#include "main_window/selector_box.h"
#include "model/unit_switching.h"

#include <QLineEdit>

namespace {

std::string textOf(const QLineEdit* field) { return field->text().toStdString(); }

// Only a changed text is written, so a field left alone keeps its cursor and
// undo history.
void showText(QLineEdit* field, const std::string& text)
{
    const QString newText = QString::fromStdString(text);
    if (field->text() != newText)
        field->setText(newText);
}

// A switch that cannot convert every field changes nothing; the selector
// goes back to the unit the fields are still in.
void refuseSwitch(SelectorBox* selector, const QString& unitInForce) { selector->showText(unitInForce); }

} // namespace

void Mainform::cboLengthUnits_Click()
{
    const std::string chosen = cboLengthUnits->currentText().toStdString();
    const auto result = model::switchLengths(OldLengthUnits.toStdString(), chosen,
                                             {textOf(txtTankDiameter), textOf(txtTankLength), textOf(txtProductLevel)});
    if (!result) {
        refuseSwitch(cboLengthUnits, OldLengthUnits);
        reportCalculationError();
        return;
    }
    const QString unit = QString::fromStdString(result->unit);
    if (model::isLengthUnit(chosen))
        for (CaptionLabel* caption : lbllengths)
            caption->setText(unit);
    NewLengthUnits = unit;
    OldLengthUnits = unit;
    showText(txtTankDiameter, result->texts.diameter);
    showText(txtTankLength, result->texts.length);
    showText(txtProductLevel, result->texts.level);
}

void Mainform::cboVolumeUnits_Click()
{
    const std::string chosen = cboVolumeUnits->currentText().toStdString();
    const auto result =
        model::switchVolumes(OldVolumeUnits.toStdString(), chosen,
                             {textOf(txtTankCapacity), textOf(txtGrossVolume), textOf(txtNetVolume), textOf(txtCe)});
    if (!result) {
        refuseSwitch(cboVolumeUnits, OldVolumeUnits);
        reportCalculationError();
        return;
    }
    const QString unit = QString::fromStdString(result->unit);
    if (model::isVolumeUnit(chosen))
        for (CaptionLabel* caption : lblVolumes)
            caption->setText(unit);
    NewVolumeUnits = unit;
    OldVolumeUnits = unit;
    showText(txtTankCapacity, result->texts.capacity);
    showText(txtGrossVolume, result->texts.gross);
    showText(txtNetVolume, result->texts.net);
    showText(txtCe, result->texts.ce);
}

void Mainform::cboTempUnits_Click()
{
    const std::string chosen = cboTempUnits->currentText().toStdString();
    const auto result =
        model::switchTemperatures(OldTempUnits.toStdString(), chosen,
                                  {textOf(txtProductTemp), textOf(txtCeTempRef), textOf(txtCe), cevalue.toStdString()});
    if (!result) {
        refuseSwitch(cboTempUnits, OldTempUnits);
        reportCalculationError();
        return;
    }
    const QString unit = QString::fromStdString(result->unit);
    // The hidden caption beside the reference temperature is never changed.
    if (model::isTemperatureUnit(chosen)) {
        lblTemp[0]->setText(unit);
        lblTemp[1]->setText(unit);
    }
    NewTempUnits = unit;
    OldTempUnits = unit;
    showText(txtProductTemp, result->texts.productTemp);
    showText(txtCeTempRef, result->texts.ceTempRef);
    showText(txtCe, result->texts.ce);
    cevalue = QString::fromStdString(result->texts.cevalue);
}
