#pragma once

// The printed chart's layout, kept apart from any printing system: it only
// talks to a PrintSurface, so a test can record every line and position.

#include "model/chart_lines.h"

#include <string_view>

namespace model {

// What the chart's layout needs of a printer. Positions and sizes are in
// the printer's own units; y grows downwards from the top of the printable
// area. Every operation that talks to the printer tells whether it worked.
class PrintSurface {
public:
    PrintSurface() = default;
    // Used through a pointer only: a copy would slice off the printer.
    PrintSurface(const PrintSurface&) = delete;
    PrintSurface& operator=(const PrintSurface&) = delete;
    virtual ~PrintSurface() = default;

    // The extent of a text in the current font.
    virtual float textWidth(std::string_view text) = 0;
    virtual float textHeight(std::string_view text) = 0;

    virtual float currentX() const = 0;
    virtual float currentY() const = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;

    // The lowest y at which a line may start and still fit (see the surface).
    virtual float pageHeight() = 0;

    // Prints at the current position; afterwards x is 0 and y one line
    // height lower. An empty text prints an empty line.
    virtual bool printLine(std::string_view text) = 0;
    // Starts a new page; the position goes back to 0, 0.
    virtual bool newPage() = 0;
    // Ends the document, which sends it to the printer.
    virtual bool endDocument() = 0;
};

// Prints the header and the chart's lines, computing the rows again (their
// failures go to `report` once more). False when printing failed or a row
// could not be computed; the surface is then left for its owner to release.
bool printChart(const ChartGeometry& geometry, PrintSurface& surface, const tank::FailureReport& report);

} // namespace model
