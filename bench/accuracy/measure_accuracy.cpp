// How far TankVolume's 32-bit results are from the exact volumes of the
// three shapes, over many tanks and levels, in every volume unit.
//
//   measure_accuracy                  prints the tables
//   measure_accuracy --picture FILE   draws the error across the level instead (PNG)

#include "bench/accuracy/error_picture.h"
#include "bench/accuracy/error_survey.h"
#include "bench/accuracy/survey_report.h"

#include <QGuiApplication>

#include <cstdio>
#include <string_view>

namespace {

int drawPicture(int argc, char** argv)
{
    // Fonts need an application, not a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (!accuracy::drawErrorPicture(path)) {
        std::fprintf(stderr, "measure_accuracy: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--picture")
        return drawPicture(argc, argv);
    if (argc != 1) {
        std::fprintf(stderr, "usage: measure_accuracy [--picture FILE.png]\n");
        return 2;
    }
    const accuracy::SurveyRange range;
    accuracy::printSurvey(range, accuracy::surveyErrors(range));
    accuracy::printResolution();
    return 0;
}
