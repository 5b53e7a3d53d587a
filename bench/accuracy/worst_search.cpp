#include "bench/accuracy/worst_search.h"

#include "core/name_tables.h"
#include "core/tank_volume.h"
#include "tools/exact_volume/exact_volume.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace accuracy {

namespace {

// Two figures per band: of the volume, of the full tank.
constexpr std::size_t kFigures = 2 * kLevelBands.size();
constexpr std::size_t kAnyLevel = kLevelBands.size() - 1;
// How far above a power of two a value counts as just above it.
constexpr double kJustAbove = 0x1p-8;

struct Tank {
    const tank::ShapeName* shape = nullptr;
    float diameter = 0.0f;
    float length = 0.0f;
};

// Where a scan starts: the edge of a band, at the bottom or the top.
struct Scan {
    std::size_t band = 0;
    bool fromTop = false;
};

// The worst of each figure within one scan.
using ScanWorst = std::array<FoundError, kFigures>;

double share(const FoundError& found) { return std::fabs(found.share); }

void consider(FoundError& worst, double candidate, const Tank& t, const tank::VolumeUnitName& unit, float level)
{
    if (std::fabs(candidate) > std::fabs(worst.share))
        worst = FoundError{candidate, std::string(t.shape->text), std::string(unit.text),
                           Place{t.diameter, t.length, level}};
}

double edgeOf(std::size_t band, float diameter)
{
    const LevelBand& b = kLevelBands[band];
    return b.chartStep ? diameter / kChartStepsAtMost : b.inches;
}

// TankVolume's first step, the distance of the surface from the axis as
// its 32 bits hold it. It only chooses the levels to measure: all levels
// that give the same distance give the same wedge and triangle, and the
// error is largest at the first and the last of them.
float axisDistance(float level, float radius)
{
    return static_cast<float>(static_cast<double>(radius) - static_cast<double>(level));
}

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float fromBits(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The last (or, towards the bottom, the first) non-negative level whose
// distance from the axis is that of `level`: the distance falls as the
// level rises, so a bisection over the levels' bit patterns finds it.
float levelRunEnd(float level, float radius, bool upwards)
{
    const float d = axisDistance(level, radius);
    float beyond = level;
    for (float reach = std::nextafter(std::fabs(d), HUGE_VALF) - std::fabs(d); axisDistance(beyond, radius) == d;
         reach *= 2.0f) {
        if (!upwards && beyond == 0.0f)
            return beyond; // level 0 is on the same step
        beyond = upwards ? level + reach : std::max(0.0f, level - reach);
    }
    std::uint32_t inside = bitsOf(level);
    std::uint32_t outside = bitsOf(beyond);
    while (inside + 1 != outside && outside + 1 != inside) {
        const std::uint32_t middle = inside / 2 + outside / 2 + (inside % 2 + outside % 2) / 2;
        (axisDistance(fromBits(middle), radius) == d ? inside : outside) = middle;
    }
    return fromBits(inside);
}

// The first and the last level whose distance from the axis is `d`, or
// nothing when no 32-bit level gives it (near the top the levels are
// coarser than the distances).
std::optional<std::pair<float, float>> levelsAt(float d, float radius)
{
    const auto nearest = static_cast<float>(static_cast<double>(radius) - static_cast<double>(d));
    for (const float level : {nearest, std::nextafter(nearest, HUGE_VALF), std::nextafter(nearest, 0.0f)}) {
        if (level >= 0.0f && axisDistance(level, radius) == d)
            return std::pair{levelRunEnd(level, radius, false), levelRunEnd(level, radius, true)};
    }
    return std::nullopt;
}

// How far the half-angle TankVolume takes from the 32-bit cosine is from
// the true angle of the 32-bit distance `d`: the error that grows without
// bound towards the ends. Steps 2 and 3 of TankVolume, redone here only to
// choose the levels worth measuring; every figure is TankVolume's own.
long double angleError(float d, float radius)
{
    const auto q = static_cast<float>(static_cast<double>(d) / static_cast<double>(radius));
    double theta = q >= 1.0f ? 0.0 : tank::kPi;
    if (q > -1.0f && q < 1.0f) {
        const auto negSquare = static_cast<float>(-static_cast<double>(q) * static_cast<double>(q));
        const auto s = static_cast<float>(1.0 + static_cast<double>(negSquare));
        theta = std::atan(-static_cast<double>(q) / std::sqrt(static_cast<double>(s))) + 2.0 * std::atan(1.0);
    }
    return theta - std::acos(static_cast<long double>(d) / static_cast<long double>(radius));
}

// The few distances of largest score, of each sign.
class Leaders {
public:
    void offer(long double score, float d)
    {
        auto& side = score < 0.0L ? negative_ : positive_;
        const long double size = std::fabs(score);
        if (size <= side.back().first)
            return;
        side.back() = {size, d};
        std::sort(side.begin(), side.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    }

    template <typename Take>
    void forEach(Take take) const
    {
        for (const auto* side : {&positive_, &negative_})
            for (const auto& [size, d] : *side)
                if (size > 0.0L)
                    take(d);
    }

private:
    std::array<std::pair<long double, float>, 8> positive_{};
    std::array<std::pair<long double, float>, 8> negative_{};
};

class Hunt {
public:
    explicit Hunt(const SearchSettings& settings) : settings_(settings) {}

    const SearchResult& result() const { return result_; }

    // Measures one tank next to one band's edge, at the first and the last
    // level of each of the nearest 32-bit distances from the axis.
    ScanWorst scan(const Tank& t, Scan where)
    {
        ScanWorst found;
        const float radius = t.diameter / 2.0f;
        const double depth = t.diameter;
        float level = edgeLevel(t, where);
        for (int step = 0; step < settings_.stepsFromEdge; ++step) {
            const float runEnd = levelRunEnd(level, radius, !where.fromTop);
            measure(t, level, found);
            if (runEnd != level)
                measure(t, runEnd, found);
            if (runEnd <= 0.0f || runEnd >= depth)
                break;
            level = std::nextafter(runEnd, where.fromTop ? 0.0f : HUGE_VALF);
        }
        return found;
    }

    // Measures one tank at the distances from the axis, among many next to
    // one band's edge, whose angle is rounded worst: for the volume and for
    // the full tank, either way.
    ScanWorst angleScan(const Tank& t, Scan where)
    {
        const float radius = t.diameter / 2.0f;
        const float edge = edgeLevel(t, where);
        Leaders ofCapacity;
        Leaders ofVolume;
        float d = axisDistance(edge, radius);
        for (int step = 0; step < settings_.distancesFromEdge && std::fabs(d) <= radius; ++step) {
            const long double angle = angleError(d, radius);
            ofCapacity.offer(angle, d);
            // Near the top the volume is nearly the full tank: one ranking.
            const long double sliver =
                where.fromTop ? 0.0L : segmentArea<long double>(radius - static_cast<long double>(d), radius);
            if (sliver > 0.0L)
                ofVolume.offer(angle / sliver, d);
            d = std::nextafter(d, where.fromTop ? HUGE_VALF : -HUGE_VALF);
        }
        ScanWorst found;
        const auto measureAt = [&](float distance) {
            const auto levels = levelsAt(distance, radius);
            if (!levels)
                return;
            // The run of levels cut at the edge: beyond it is another band.
            const float first = where.fromTop ? levels->first : std::max(levels->first, edge);
            const float last = where.fromTop ? std::min(levels->second, edge) : levels->second;
            if (first > last)
                return;
            measure(t, first, found);
            if (last != first)
                measure(t, last, found);
        };
        ofCapacity.forEach(measureAt);
        ofVolume.forEach(measureAt);
        return found;
    }

    // Every figure of one tank at one level.
    void measure(const Tank& t, float level, ScanWorst& found)
    {
        const double depth = t.diameter;
        if (level < 0.0f || level > depth)
            return;
        const float radius = t.diameter / 2.0f;
        const double fromNearerEnd = std::min<double>(level, depth - level);
        const long double gallons = exactGallons(t.shape->text, level, radius, t.length);
        const long double capacityGallons = exactCapacityGallons(t.shape->text, radius, t.length);
        ++result_.levelsMeasured;
        WorstByBand& ofShape = result_.byShape[t.shape == &tank::kShapes[0] ? 0 : 1];
        for (const tank::VolumeUnitName& unit : tank::kVolumeUnits) {
            const long double perGallon = exactUnitsPerGallon(unit.text);
            const long double exact = gallons * perGallon;
            const long double capacity = capacityGallons * perGallon;
            const float computed = tank::TankVolume(level, radius, t.length, t.shape, &unit, {});
            const double ofCapacity = static_cast<double>((computed - exact) / capacity);
            const double ofVolume = exact > 0.0L ? static_cast<double>((computed - exact) / exact) : 0.0;
            for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
                if (fromNearerEnd < edgeOf(band, t.diameter))
                    continue;
                consider(found[2 * band], ofVolume, t, unit, level);
                consider(found[2 * band + 1], ofCapacity, t, unit, level);
                consider(ofShape[band].ofVolume, ofVolume, t, unit, level);
                consider(ofShape[band].ofCapacity, ofCapacity, t, unit, level);
            }
        }
    }

private:
    // The level nearest the end that is still in the band.
    static float edgeLevel(const Tank& t, Scan where)
    {
        const double depth = t.diameter;
        const double edge = edgeOf(where.band, t.diameter);
        if (!where.fromTop) {
            const auto level = static_cast<float>(edge);
            return level < edge ? std::nextafter(level, HUGE_VALF) : level;
        }
        const auto level = static_cast<float>(depth - edge);
        return level > depth - edge ? std::nextafter(level, 0.0f) : level;
    }

    const SearchSettings& settings_;
    SearchResult result_{};
};

// A tank worth nudging: the worst of one figure that it gave near one edge.
struct Candidate {
    Tank tank;
    Scan where;
    float level = 0.0f;
    double share = 0.0;
};

// The worst few of one figure, worst first.
class Kept {
public:
    explicit Kept(std::size_t size) : size_(size) {}

    void offer(const Candidate& c)
    {
        if (c.share == 0.0 || (kept_.size() == size_ && c.share <= kept_.back().share))
            return;
        for (const Candidate& k : kept_)
            if (k.tank.diameter == c.tank.diameter && k.tank.length == c.tank.length && k.tank.shape == c.tank.shape)
                return;
        kept_.insert(std::upper_bound(kept_.begin(), kept_.end(), c,
                                      [](const Candidate& a, const Candidate& b) { return a.share > b.share; }),
                     c);
        if (kept_.size() > size_)
            kept_.pop_back();
    }

    const std::vector<Candidate>& all() const { return kept_; }

private:
    std::size_t size_;
    std::vector<Candidate> kept_;
};

// Raw numbers of mt19937 are the same on every machine; its distributions
// are not, so these are made here.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    double unit() { return engine_() / 0x1p32; }
    double between(double low, double high) { return low + (high - low) * unit(); }
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    std::mt19937 engine_;
};

float clampTo(double value, double low, double high)
{
    auto single = static_cast<float>(std::clamp(value, low, high));
    return std::clamp(single, static_cast<float>(low), static_cast<float>(high));
}

// A relative change from 2^-23 (a 32-bit step or two) to 2^-6, either way.
float nudge(float value, double low, double high, Random& random)
{
    const double sign = random.below(2) ? 1.0 : -1.0;
    return clampTo(value * (1.0 + sign * std::ldexp(1.0, -6 - random.below(18))), low, high);
}

Candidate candidate(const Tank& t, Scan where, const FoundError& found)
{
    return Candidate{t, where, found.place.level, share(found)};
}

// Of the full tank, the rest of the error is the rounding of the length
// factor, of the volume and of its unit: at one level, the length stepped
// through its 32-bit values up to `last` (either way), the worst kept.
Candidate sweepLength(Hunt& hunt, const Candidate& from, std::size_t figure, double last,
                      const SearchSettings& settings)
{
    Candidate worst = from;
    worst.share = 0.0;
    Tank t = from.tank;
    const float towards = last > t.length ? HUGE_VALF : 0.0f;
    const double stop = std::clamp(last, settings.shortestLength, settings.longestLength);
    for (t.length = std::nextafter(t.length, towards); towards > 0.0f ? t.length <= stop : t.length >= stop;
         t.length = std::nextafter(t.length, towards)) {
        ScanWorst found;
        hunt.measure(t, from.level, found);
        if (share(found[figure]) > worst.share)
            worst = candidate(t, from.where, found[figure]);
    }
    return worst;
}

} // namespace

SearchResult searchWorst(const SearchSettings& settings)
{
    Hunt hunt(settings);
    Random random(settings.seed);
    std::vector<Kept> kept(kFigures, Kept(static_cast<std::size_t>(settings.kept)));

    // Tanks at random, measured next to every edge.
    const tank::ShapeName* shapes[] = {&tank::kShapes[0], &tank::kShapes[1]};
    for (int i = 0; i < settings.tanks; ++i) {
        Tank t;
        t.shape = shapes[i % 2];
        t.diameter = clampTo(random.between(settings.smallestDiameter, settings.largestDiameter),
                             settings.smallestDiameter, settings.largestDiameter);
        t.length = clampTo(random.between(settings.shortestLength, settings.longestLength), settings.shortestLength,
                           settings.longestLength);
        for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
            for (const bool fromTop : {false, true}) {
                const ScanWorst found = hunt.scan(t, Scan{band, fromTop});
                for (std::size_t figure = 0; figure < kFigures; ++figure)
                    kept[figure].offer(candidate(t, Scan{band, fromTop}, found[figure]));
            }
        }
    }

    // A 32-bit rounding is largest, for its value, just above a power of
    // two, and the angle's error grows with the radius. So, for each power
    // of two that the length factor (length / 231) can reach, and then each
    // power of two that a full tank in each unit can reach, the tank of that
    // length factor and that full volume, and the tank of the largest
    // diameter: at every edge the worst rounded angles; then, of the full
    // tank, from that level the length stepped through all its values up
    // to where the factor is no longer just above its power of two. A flat-
    // ended tank twice as long rounds alike, so each power's diameters are
    // moved by a few parts in ten thousand from the last's.
    for (const tank::ShapeName* shape : shapes) {
        int moved = 0;
        for (double base = 0x1p-8 * 231.0; base <= settings.longestLength; base *= 2.0) {
            const double lastLength = std::min(base * (1.0 + kJustAbove), settings.longestLength);
            if (lastLength < settings.shortestLength)
                continue;
            const double move = std::ldexp(moved++, -12);
            Tank t{shape, 0.0f, clampTo(base, settings.shortestLength, settings.longestLength)};
            std::vector<float> diameters{
                clampTo(settings.largestDiameter * (1.0 - move), settings.smallestDiameter, settings.largestDiameter)};
            for (const tank::VolumeUnitName& unit : tank::kVolumeUnits) {
                const long double perGallon = exactUnitsPerGallon(unit.text);
                const auto fullVolume = [&](double diameter) {
                    return static_cast<double>(exactCapacityGallons(shape->text, diameter / 2.0, t.length) * perGallon);
                };
                const int lowest = static_cast<int>(std::ceil(std::log2(fullVolume(settings.smallestDiameter))));
                const int highest = static_cast<int>(std::floor(std::log2(fullVolume(settings.largestDiameter))));
                for (int power = lowest; power <= highest; ++power) {
                    double low = settings.smallestDiameter, high = settings.largestDiameter;
                    for (int halving = 0; halving < 60; ++halving)
                        (fullVolume((low + high) / 2.0) < std::ldexp(1.0, power) ? low : high) = (low + high) / 2.0;
                    diameters.push_back(
                        clampTo(high * (1.0 + move), settings.smallestDiameter, settings.largestDiameter));
                }
            }
            for (const float diameter : diameters) {
                t.diameter = diameter;
                for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
                    for (const bool fromTop : {false, true}) {
                        const Scan where{band, fromTop};
                        const ScanWorst found = hunt.angleScan(t, where);
                        for (std::size_t figure = 0; figure < kFigures; ++figure)
                            kept[figure].offer(candidate(t, where, found[figure]));
                        const std::size_t ofCapacity = 2 * band + 1;
                        if (fromTop && band != kAnyLevel)
                            kept[ofCapacity].offer(sweepLength(hunt, candidate(t, where, found[ofCapacity]), ofCapacity,
                                                               lastLength, settings));
                    }
                }
            }
        }
    }

    // The angle's error against the sliver it leaves grows with the radius
    // squared: diameters evenly spread over the top 2^-7 of the range.
    for (int i = 0; i < settings.largestDiameters; ++i) {
        const double below = std::ldexp(static_cast<double>(i) / settings.largestDiameters, -7);
        const Tank t{
            shapes[i % 2],
            clampTo(settings.largestDiameter * (1.0 - below), settings.smallestDiameter, settings.largestDiameter),
            clampTo(random.between(settings.shortestLength, settings.longestLength), settings.shortestLength,
                    settings.longestLength)};
        for (std::size_t band = 0; band < kLevelBands.size(); ++band) {
            for (const bool fromTop : {false, true}) {
                const ScanWorst found = hunt.angleScan(t, Scan{band, fromTop});
                for (std::size_t figure = 0; figure < kFigures; ++figure)
                    kept[figure].offer(candidate(t, Scan{band, fromTop}, found[figure]));
            }
        }
    }

    // The worst tanks of each figure nudged, keeping whatever is worse.
    for (std::size_t figure = 0; figure < kFigures; ++figure) {
        if (figure == 2 * kAnyLevel)
            continue; // of the volume at any level: it has no bound
        const bool ofCapacity = figure % 2 == 1;
        Kept& best = kept[figure];
        for (int n = 0; n < settings.nudges && !best.all().empty(); ++n) {
            const Candidate from =
                best.all()[static_cast<std::size_t>(random.unit() * static_cast<double>(best.all().size()))];
            // The diameter (and the length) moved: other distances from the
            // axis, other cosines.
            Tank t = from.tank;
            t.diameter = nudge(t.diameter, settings.smallestDiameter, settings.largestDiameter, random);
            if (random.below(2))
                t.length = nudge(t.length, settings.shortestLength, settings.longestLength, random);
            const Candidate moved = candidate(t, from.where, hunt.angleScan(t, from.where)[figure]);
            best.offer(moved);
            if (ofCapacity && moved.share > 0.0) {
                // Its angle found, the length's 32-bit steps from there.
                const double reach = std::ldexp(static_cast<double>(t.length), -23) * settings.sweep;
                best.offer(sweepLength(hunt, moved, figure, t.length + (random.below(2) ? reach : -reach), settings));
            }
        }
        if (!ofCapacity)
            continue;
        // Last, the few worst at their levels with every length near theirs.
        const std::vector<Candidate> worst(
            best.all().begin(), best.all().begin() + std::min<std::ptrdiff_t>(settings.polished, best.all().size()));
        for (const Candidate& c : worst)
            for (const double way : {1.0 + kJustAbove, 1.0 - kJustAbove})
                best.offer(sweepLength(hunt, c, figure, c.tank.length * way, settings));
    }
    // Which distance and level round worst shifts with every 32-bit step of
    // the diameter, and diameters spread evenly step over the worst (0.01 in
    // from the bottom, say): so, last, every 32-bit diameter at the very top,
    // flat-ended (hemispherical ends only add volume that is not in error),
    // with lengths of a random stream of its own, so that the steps above
    // measure what they measured before.
    Random lengths(settings.seed + 1);
    const float lowestOfTop = clampTo(settings.largestDiameter * settings.everyDiameterAbove, settings.smallestDiameter,
                                      settings.largestDiameter);
    for (float diameter = clampTo(settings.largestDiameter, settings.smallestDiameter, settings.largestDiameter);
         diameter >= lowestOfTop; diameter = std::nextafter(diameter, 0.0f)) {
        const Tank t{shapes[0], diameter,
                     clampTo(lengths.between(settings.shortestLength, settings.longestLength), settings.shortestLength,
                             settings.longestLength)};
        for (std::size_t band = 0; band < kLevelBands.size(); ++band)
            for (const bool fromTop : {false, true})
                hunt.scan(t, Scan{band, fromTop});
    }
    return hunt.result();
}

} // namespace accuracy
