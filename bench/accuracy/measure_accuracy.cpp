// How far TankVolume's 32-bit results are from the exact volumes of the
// three shapes, over many tanks and levels, in every volume unit.
//
//   measure_accuracy                  hunts the worst error of each band against the stated figures
//                                     (exit status 1 when one is beaten), then prints the tables
//   measure_accuracy --seed N         the same hunt from another seed
//   measure_accuracy --picture FILE   draws the error across the level instead (PNG)

#include "bench/accuracy/error_picture.h"
#include "bench/accuracy/error_survey.h"
#include "bench/accuracy/survey_report.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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
    accuracy::SearchSettings settings;
    if (argc == 3 && std::string_view(argv[1]) == "--seed") {
        settings.seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: measure_accuracy [--seed N | --picture FILE.png]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const accuracy::SearchResult found = accuracy::searchWorst(settings);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const bool holds = accuracy::printSearch(settings, found, took.count());
    std::printf("\n");
    const accuracy::SurveyRange range;
    accuracy::printSurvey(range, accuracy::surveyErrors(range));
    accuracy::printResolution();
    return holds ? 0 : 1;
}
