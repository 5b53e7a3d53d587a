#pragma once

// The program's own texts as the operator reads them, written out once for
// every test that expects them (deliberately not taken from the program's
// code, so a changed text fails the tests).

#include <QDir>
#include <QString>

namespace testsupport::texts {

// The version is the project's (see tests/CMakeLists.txt), written once for
// a release; only the word before it is the program's text.
inline const QString version = QStringLiteral("Version " GAUGESTAR_VERSION);

inline const QString calculationError = "Please check your selections for errors";
inline const QString printProblem = "There was a problem printing.  Please check your printer.";
inline const QString chartNotice =
    "The tank chart will be generated as a text file in the Gaugestar root directory.  Please "
    "name the filen and select if you would like to print it at this time.";
inline const QString incrementPrompt = "In what increments would you like the tank chart generated.";
inline const QString zeroIncrement = "That is not an appropriate unit";
inline const QString printQuestion = "Tank Chart Saved OK. Do you want to print it out now ?";
// A chart file not saved: its name, and the system's reason for `error`.
inline QString chartNotSaved(const QString& path, int error)
{
    return "The tank chart could not be saved as \"" + QDir::toNativeSeparators(path) + "\".  " +
           qt_error_string(error) + ".";
}

} // namespace testsupport::texts
