#pragma once

// A printer for tests: it records every printed line with its position and
// page, can be told to fail, and notes when its job is released. Plain C++,
// so the layout's tests run wherever model/ builds.

#include "model/chart_printout.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct PrintedLine {
    std::string text;
    float x = 0;
    float y = 0;
    int page = 0;
};

struct PrintLog {
    std::vector<PrintedLine> lines;
    int page = 1;
    bool ended = false;
    bool released = false;
};

// Every character is 12 units wide and every line 20 high, so "1" gives a
// half-width of 6 and a half-height of 10.
class RecordingSurface : public model::PrintSurface {
public:
    static constexpr float kCharWidth = 12.0f;
    static constexpr float kLineHeight = 20.0f;

    // `failAtLine`: the index of the printed line that fails (-1: none);
    // `failNewPage`: the first new page fails.
    RecordingSurface(std::shared_ptr<PrintLog> log, float pageHeight, int failAtLine = -1, bool failNewPage = false)
        : log(std::move(log)), height(pageHeight), failAtLine(failAtLine), failNewPage(failNewPage)
    {
    }
    ~RecordingSurface() override { log->released = true; }

    float textWidth(std::string_view text) override { return kCharWidth * static_cast<float>(text.size()); }
    float textHeight(std::string_view) override { return kLineHeight; }
    float currentX() const override { return x; }
    float currentY() const override { return y; }
    void setCurrentX(float value) override { x = value; }
    void setCurrentY(float value) override { y = value; }
    float pageHeight() override { return height; }

    bool printLine(std::string_view text) override
    {
        if (static_cast<int>(log->lines.size()) == failAtLine)
            return false;
        log->lines.push_back({std::string(text), x, y, log->page});
        x = 0;
        y += kLineHeight;
        return true;
    }
    bool newPage() override
    {
        if (failNewPage)
            return false;
        ++log->page;
        x = 0;
        y = 0;
        return true;
    }
    bool endDocument() override
    {
        log->ended = true;
        return true;
    }

private:
    std::shared_ptr<PrintLog> log;
    float height;
    int failAtLine;
    bool failNewPage;
    float x = 0;
    float y = 0;
};
