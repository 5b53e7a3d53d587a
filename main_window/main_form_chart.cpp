#include "main_window/main_form.h"

#include "main_window/selector_box.h"

#include "chart/chart_printer.h"
#include "chart/tank_chart_run.h"

#include <QLineEdit>

void Mainform::mnuTGen_Click()
{
    tell(QStringLiteral("The tank chart will be generated as a text file in the Gaugestar root "
                        "directory.  Please name the filen and select if you would like to print "
                        "it at this time."));
    generatetankchart();
}

void Mainform::generatetankchart()
{
    model::ChartFieldTexts texts;
    texts.diameter = txtTankDiameter->text().toStdString();
    texts.length = txtTankLength->text().toStdString();
    texts.lengthUnit = cboLengthUnits->currentText().toStdString();
    texts.shape = cboTankShape->currentText().toStdString();
    texts.volumeUnit = cboVolumeUnits->currentText().toStdString();

    chart::runTankChart(*dialogs, texts, *chartPrinterFactory);
}
