// Prints a fixed, seeded run of TankVolume and NetVolume calls: every input
// and result as exact bits, and the results as the program displays them.
// Two builds (say amd64 and arm64) must print the same bytes; the test
// command and the matrix compare them.
//   same_numbers [CALLS]     (default 120000 calls of each)

#include "core/display_patterns.h"
#include "core/name_tables.h"
#include "core/number_text.h"
#include "core/tank_volume.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Our own generator: the standard distributions differ between libraries,
// and only integer arithmetic is used here so the inputs are the same bits
// everywhere.
struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1), 53 bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    double between(double low, double high) { return low + (high - low) * unit(); }
};

// Every name of the tables, and one that is none.
const std::array<std::string_view, 4> kShapes = {tank::kShapes[0].text, tank::kShapes[1].text, tank::kShapes[2].text,
                                                 "none"};
const std::array<std::string_view, 5> kVolumeUnits = {tank::kVolumeUnits[0].text, tank::kVolumeUnits[1].text,
                                                      tank::kVolumeUnits[2].text, tank::kVolumeUnits[3].text,
                                                      "barrels"};

// Mostly ordinary tanks; now and then a tiny, a zero or an overflowing one.
double tankSize(SplitMix64& random)
{
    static const std::array<double, 8> kScales = {0.0, 1e-3, 1.0, 1e3, 1e6, 1e12, 1e20, 3e38};
    if (random.below(8) != 0)
        return random.between(1.0, 400.0);
    return kScales[random.below(kScales.size())] * random.between(0.5, 2.0);
}

// From below empty to above full, with the exact edges often.
double levelIn(SplitMix64& random, double diameter)
{
    switch (random.below(10)) {
    case 0: return 0.0;
    case 1: return diameter;
    case 2: return diameter / 2.0;
    case 3: return -random.between(0.0, 10.0);
    default: return diameter * random.between(-0.1, 1.1);
    }
}

std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }
unsigned long long bits(double value) { return std::bit_cast<std::uint64_t>(value); }

float single(double value)
{
    const std::optional<float> rounded = tank::toSingle(value);
    return rounded ? *rounded : 0.0f;
}

} // namespace

int main(int argc, char** argv)
{
    const long calls = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 120000;
    int reports = 0;
    const tank::FailureReport countReports = [&reports](std::string_view) { ++reports; };

    SplitMix64 random{0x5A4E5EED2026ull};
    for (long i = 0; i < calls; ++i) {
        const std::string shape(kShapes[random.below(kShapes.size())]);
        const std::string volumeUnit(kVolumeUnits[random.below(kVolumeUnits.size())]);
        const tank::LengthUnitName& lengthUnit = tank::kLengthUnits[random.below(std::size(tank::kLengthUnits))];
        const double diameter = tankSize(random);
        const double length = tankSize(random);
        const double level = levelIn(random, diameter);

        // Into inches and 32 bits as the window does.
        const float level32 = single(lengthUnit.toInches(level));
        const float radius32 = single(lengthUnit.toInches(diameter) / 2.0);
        const float length32 = single(lengthUnit.toInches(length));

        reports = 0;
        const float gross = tank::TankVolume(level32, radius32, length32, tank::findShape(shape),
                                             tank::findVolumeUnit(volumeUnit), countReports);
        std::printf("%ld tank \"%s\" \"%s\" %s level %08x radius %08x length %08x -> %08x reports %d"
                    " \"%s\" \"%s\" \"%s\" \"%s\"\n",
                    i, shape.c_str(), volumeUnit.c_str(), lengthUnit.text.data(), bits(level32), bits(radius32),
                    bits(length32), bits(gross), reports, tank::displayPattern(gross, tank::patterns::kVolume).c_str(),
                    tank::displayPattern(gross, tank::patterns::kChartVolume).c_str(),
                    tank::displayPattern(level32, tank::patterns::kChartLevel).c_str(),
                    tank::displayPattern(lengthUnit.toInches(level), tank::patterns::kLength).c_str());

        // The net volume of that gross volume, or of any other now and then.
        const float netGross = random.below(8) == 0 ? single(tankSize(random) * 1e3) : gross;
        const float temp = single(random.between(-60.0, 250.0));
        const float ce = single(random.below(16) == 0 ? random.between(-1.0, 1e6) : random.between(0.0, 0.002));
        const float reference = random.below(2) == 0 ? 60.0f : single(random.between(-20.0, 100.0));
        const float net = tank::NetVolume(netGross, temp, ce, reference);
        const double net64 = static_cast<double>(netGross) * static_cast<double>(ce);
        std::printf("%ld net gross %08x temp %08x ce %08x reference %08x -> %08x \"%s\" \"%s\" %016llx \"%s\"\n", i,
                    bits(netGross), bits(temp), bits(ce), bits(reference), bits(net),
                    tank::displayPattern(net, tank::patterns::kVolume).c_str(),
                    tank::displayPattern(net, tank::patterns::kChartVolume).c_str(), bits(net64),
                    tank::displayPattern(net64, tank::patterns::kCePerVolume).c_str());
    }
    return 0;
}
