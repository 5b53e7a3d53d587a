#include "model/chart_printout.h"

namespace model {

bool printChart(const ChartGeometry& geometry, PrintSurface& surface, const tank::FailureReport& report)
{
    // Half the extent of "1": every indent and step below is a multiple.
    const float w = surface.textWidth("1") / 2.0f;
    const float h = surface.textHeight("1") / 2.0f;

    surface.setCurrentX(12.0f * w);
    surface.setCurrentY(surface.currentY() + 2.0f * h);
    const float pageHeight = surface.pageHeight();

    if (!surface.printLine(kHeaderLine) || !surface.printLine(""))
        return false;
    surface.setCurrentY(surface.currentY() + h);

    // A full page is only turned when another line comes: a chart whose
    // last line fills the page must not end on a blank sheet.
    bool pageFull = false;
    const LinesEnd end = forEachChartLine(geometry, report, [&](const std::string& line, LineKind kind) {
        if (pageFull) {
            pageFull = false;
            surface.setCurrentY(0.0f);
            if (!surface.newPage())
                return false;
            surface.setCurrentY(surface.currentY() + h);
        }
        surface.setCurrentX(12.0f * w);
        if (kind == LineKind::ShortLast) {
            // No page test for the last line: half a height further down.
            surface.setCurrentY(surface.currentY() + h);
            return surface.printLine(line);
        }
        if (!surface.printLine(line))
            return false;
        if (surface.currentY() + h > pageHeight)
            pageFull = true;
        else
            surface.setCurrentY(surface.currentY() + h);
        return true;
    });
    return end == LinesEnd::Complete && surface.endDocument();
}

} // namespace model
