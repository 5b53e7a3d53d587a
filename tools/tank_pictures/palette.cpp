#include "palette.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace tank_pictures {

namespace {

int distance2(const Byte3& a, const Byte3& b)
{
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db; // rough weight for how the eye sees each
}

// Median cut: split the box of colours with the widest spread at its
// weighted median until there are as many boxes as palette entries.
std::vector<Byte3> medianCut(const std::vector<Byte3>& pixels, std::size_t maxColours)
{
    std::map<Byte3, int> counts; // ordered, so the result never depends on hashing
    for (const Byte3& p : pixels)
        ++counts[p];
    std::vector<std::pair<Byte3, int>> colours(counts.begin(), counts.end());
    if (colours.size() <= maxColours) {
        std::vector<Byte3> palette;
        for (const auto& [c, n] : colours)
            palette.push_back(c);
        return palette;
    }

    struct Box {
        std::size_t begin, end;
    };
    auto spread = [&](const Box& box, int channel) {
        int lo = 255, hi = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lo = std::min<int>(lo, colours[i].first[channel]);
            hi = std::max<int>(hi, colours[i].first[channel]);
        }
        return hi - lo;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < maxColours) {
        std::size_t pick = boxes.size();
        int pickChannel = 0, widest = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b)
            for (int ch = 0; ch < 3; ++ch)
                if (const int w = spread(boxes[b], ch); w > widest) {
                    widest = w;
                    pick = b;
                    pickChannel = ch;
                }
        if (pick == boxes.size())
            break;
        const Box box = boxes[pick];
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [&](const auto& a, const auto& b) {
            if (a.first[pickChannel] != b.first[pickChannel])
                return a.first[pickChannel] < b.first[pickChannel];
            return a.first < b.first;
        });
        long total = 0;
        for (auto it = first; it != last; ++it)
            total += it->second;
        long below = 0;
        std::size_t split = box.begin;
        while (split < box.end - 1 && 2 * (below + colours[split].second) <= total)
            below += colours[split++].second;
        split = std::clamp(split, box.begin + 1, box.end - 1);
        boxes[pick] = {box.begin, split};
        boxes.push_back({split, box.end});
    }

    std::vector<Byte3> palette;
    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            r += colours[i].first[0] * double(colours[i].second);
            g += colours[i].first[1] * double(colours[i].second);
            b += colours[i].first[2] * double(colours[i].second);
            n += colours[i].second;
        }
        palette.push_back({static_cast<std::uint8_t>(std::lround(r / n)), static_cast<std::uint8_t>(std::lround(g / n)),
                           static_cast<std::uint8_t>(std::lround(b / n))});
    }
    return palette;
}

// Dark to light, so the colour table reads sensibly in an editor.
void sortByBrightness(std::vector<Byte3>& palette)
{
    std::sort(palette.begin(), palette.end(), [](const Byte3& a, const Byte3& b) {
        const int la = 3 * a[0] + 6 * a[1] + a[2], lb = 3 * b[0] + 6 * b[1] + b[2];
        return la != lb ? la < lb : a < b;
    });
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
}

} // namespace

std::size_t nearest(const std::vector<Byte3>& palette, const Byte3& c)
{
    std::size_t best = 0;
    int bestD = distance2(palette[0], c);
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const int d = distance2(palette[i], c);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

Indexed toIndexed(const Raster& raster)
{
    std::vector<Byte3> pixels;
    for (const Sample& s : raster.pixels)
        pixels.push_back({toByte(s.colour.r), toByte(s.colour.g), toByte(s.colour.b)});
    Indexed out;
    out.palette = medianCut(pixels, 256);
    sortByBrightness(out.palette);
    std::map<Byte3, std::uint8_t> cache;
    for (const Byte3& p : pixels) {
        auto it = cache.find(p);
        if (it == cache.end())
            it = cache.emplace(p, static_cast<std::uint8_t>(nearest(out.palette, p))).first;
        out.index.push_back(it->second);
    }
    return out;
}

} // namespace tank_pictures
