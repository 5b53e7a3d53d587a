#include "main_window/main_form.h"

// Unit switching: being written.
void Mainform::cboLengthUnits_Click() {}
void Mainform::cboVolumeUnits_Click() {}
void Mainform::cboTempUnits_Click() {}
