#include "tone_measure.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

} // namespace

std::vector<std::int16_t> StereoSine(std::int64_t frames, double frequency, double amplitude) {
    std::vector<std::int16_t> samples;
    for (std::int64_t frame = 0; frame < frames; ++frame) {
        const auto value = static_cast<std::int16_t>(std::lround(
            amplitude * 32767.0 * std::sin(2.0 * Pi * frequency * double(frame) / 44100.0)));
        samples.push_back(value);
        samples.push_back(value);
    }
    return samples;
}

std::vector<double> FirstChannel(const std::vector<std::int16_t>& stereo, std::int64_t from,
                                 std::int64_t count) {
    std::vector<double> values;
    for (std::int64_t frame = from; frame < from + count; ++frame) {
        values.push_back(stereo[static_cast<std::size_t>(frame * 2)] / 32768.0);
    }
    return values;
}

double ToneFrequency(const std::vector<double>& values, double rate) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i - 1] < 0.0 && values[i] >= 0.0) {
            const double at = double(i - 1) + values[i - 1] / (values[i - 1] - values[i]);
            if (first < 0.0) {
                first = at;
            }
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : double(crossings - 1) * rate / (last - first);
}

double LevelDb(const std::vector<double>& values) {
    double sum = 0.0;
    for (const double value : values) {
        sum += value * value;
    }
    return 10.0 * std::log10(sum / double(values.size()));
}

// The bins near the tone are summed one by one; all bins together hold the windowed signal's
// energy (Parseval), so no full transform is needed.
double PurityDb(const std::vector<double>& values, double frequency, double rate) {
    const auto n = values.size();
    std::vector<double> windowed(n);
    double all = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        windowed[i] = values[i] * (0.5 - 0.5 * std::cos(2.0 * Pi * double(i) / double(n)));
        all += windowed[i] * windowed[i];
    }
    all *= double(n) / 2.0; // the bins up to half the rate
    double near = 0.0;
    const auto low = static_cast<std::size_t>(std::ceil((frequency - 20.0) * double(n) / rate));
    const auto high = static_cast<std::size_t>(std::floor((frequency + 20.0) * double(n) / rate));
    for (std::size_t k = low; k <= high; ++k) {
        std::complex<double> sum = 0.0;
        const std::complex<double> step = std::polar(1.0, -2.0 * Pi * double(k) / double(n));
        std::complex<double> turn = 1.0;
        for (std::size_t i = 0; i < n; ++i) {
            sum += windowed[i] * turn;
            turn *= step;
        }
        near += std::norm(sum);
    }
    return 10.0 * std::log10(std::max(all - near, 1e-30) / all);
}

double LargestStep(const std::vector<double>& values) {
    double largest = 0.0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        largest = std::max(largest, std::fabs(values[i] - values[i - 1]));
    }
    return largest;
}
