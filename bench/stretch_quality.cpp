// The signals and the measurements of bench/stretch-quality.
//
//   quavrel-bench-stretch-quality make sine|chord|clicks OUT.wav SECONDS
//       writes a test signal, 44100 Hz 16-bit stereo, both channels alike
//   quavrel-bench-stretch-quality measure SIGNAL SOURCE.wav RESULT.wav
//       prints "ripple level purity smear" for the result's first channel, "-" where the
//       figure does not apply to the signal (SIGNAL: sine, chord, clicks or anything else)
//
// ripple: the standard deviation of the RMS over 10 ms windows against its mean, in percent,
//         over the middle 80 % of the file (not for clicks, which are silence in between);
// level:  the change of that RMS, result against source, in dB; for clicks the change of their
//         peaks, since a stretch spreads them apart and so lowers the RMS by design;
// purity: for the sine, the energy farther than 20 Hz from 440 Hz against all of it, in dB
//         (Hann window, 32768 points from the middle);
// smear:  for clicks, the mean time from the first to the last sample at or above -20 dB of
//         each click's peak, within 100 ms of it, in ms (the first and last click left out);
//         "lost" when no click is left where one belongs.

#include "audio/wave_file_stream.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int Rate = 44100;
constexpr double ClickSpacing = 0.5;
constexpr double FirstClick = 0.25;

struct Wave {
    std::vector<double> values;
    double rate = Rate;
};

Wave ReadFirstChannel(const std::string& path) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    stream.Open();
    const PcmWaveFormat format = stream.Format;
    if (format.formatTag != PcmWaveFormat::PcmTag || format.bitsPerSample != 16) {
        std::fprintf(stderr, "%s: not 16-bit PCM\n", path.c_str());
        std::exit(1);
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.GetSize()));
    bytes.resize(static_cast<std::size_t>(stream.Read(bytes.data(), stream.GetSize())));
    Wave wave;
    wave.rate = format.samplesPerSec;
    for (std::size_t at = 0; at + format.blockAlign <= bytes.size(); at += format.blockAlign) {
        wave.values.push_back(static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8) / 32768.0);
    }
    return wave;
}

void WriteStereo(const std::string& path, const std::vector<double>& values) {
    TWaveFileStream stream;
    stream.SetFileName(path);
    stream.Format = MakePcmWaveFormat(2, Rate, 16);
    stream.CreateNew();
    std::vector<std::uint8_t> bytes;
    for (const double value : values) {
        const auto sample =
            static_cast<std::int16_t>(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
        for (int channel = 0; channel < 2; ++channel) {
            bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
        }
    }
    stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.Close();
}

std::vector<double> Make(const std::string& signal, double seconds) {
    const auto frames = static_cast<std::size_t>(seconds * Rate);
    std::vector<double> values(frames, 0.0);
    if (signal == "sine") {
        for (std::size_t i = 0; i < frames; ++i) {
            values[i] = 0.5 * std::sin(2.0 * Pi * 440.0 * static_cast<double>(i) / Rate);
        }
    } else if (signal == "chord") {
        // C major: C4, E4, G4.
        for (std::size_t i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / Rate;
            values[i] = 0.2 * (std::sin(2.0 * Pi * 261.63 * t) + std::sin(2.0 * Pi * 329.63 * t) +
                               std::sin(2.0 * Pi * 392.0 * t));
        }
    } else if (signal == "clicks") {
        // A metronome click: 3 ms of noise decaying with a 0.5 ms time constant.
        std::uint32_t state = 12345;
        for (double at = FirstClick; at < seconds; at += ClickSpacing) {
            const auto start = static_cast<std::size_t>(at * Rate);
            for (std::size_t i = 0; i < Rate * 3 / 1000 && start + i < frames; ++i) {
                state = state * 1664525u + 1013904223u;
                const double noise = static_cast<double>(state >> 8) / double(1u << 23) - 1.0;
                values[start + i] =
                    0.8 * noise * std::exp(-static_cast<double>(i) / (Rate / 2000.0));
            }
        }
    } else {
        std::fprintf(stderr, "unknown signal %s\n", signal.c_str());
        std::exit(2);
    }
    return values;
}

// RMS of the 10 ms windows of the middle 80 %.
std::vector<double> WindowLevels(const Wave& wave) {
    const auto window = static_cast<std::size_t>(wave.rate / 100.0);
    const std::size_t skip = wave.values.size() / 10;
    std::vector<double> levels;
    for (std::size_t at = skip; at + window <= wave.values.size() - skip; at += window) {
        double sum = 0.0;
        for (std::size_t i = at; i < at + window; ++i) {
            sum += wave.values[i] * wave.values[i];
        }
        levels.push_back(std::sqrt(sum / static_cast<double>(window)));
    }
    return levels;
}

double Mean(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double Rms(const std::vector<double>& levels) {
    double sum = 0.0;
    for (const double level : levels) {
        sum += level * level;
    }
    return std::sqrt(sum / static_cast<double>(levels.size()));
}

double Ripple(const Wave& wave) {
    const std::vector<double> levels = WindowLevels(wave);
    const double mean = Mean(levels);
    double sum = 0.0;
    for (const double level : levels) {
        sum += (level - mean) * (level - mean);
    }
    return 100.0 * std::sqrt(sum / static_cast<double>(levels.size())) / mean;
}

void Fft(std::vector<std::complex<double>>& x) {
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(x[i], x[j]);
        }
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * Pi / static_cast<double>(length));
        for (std::size_t i = 0; i < n; i += length) {
            std::complex<double> w = 1.0;
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> u = x[i + k];
                const std::complex<double> v = x[i + k + length / 2] * w;
                x[i + k] = u + v;
                x[i + k + length / 2] = u - v;
                w *= step;
            }
        }
    }
}

double Purity(const Wave& wave) {
    constexpr std::size_t Points = 32768;
    if (wave.values.size() < Points) {
        return NAN;
    }
    const std::size_t start = (wave.values.size() - Points) / 2;
    std::vector<std::complex<double>> x(Points);
    for (std::size_t i = 0; i < Points; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * Pi * static_cast<double>(i) / Points);
        x[i] = wave.values[start + i] * hann;
    }
    Fft(x);
    double inside = 0.0;
    double outside = 0.0;
    for (std::size_t k = 0; k <= Points / 2; ++k) {
        const double frequency = static_cast<double>(k) * wave.rate / Points;
        const double energy = std::norm(x[k]);
        (std::fabs(frequency - 440.0) <= 20.0 ? inside : outside) += energy;
    }
    return 10.0 * std::log10(outside / (inside + outside));
}

struct Click {
    double peak;
    double smearMs;
};

// The clicks of a result stretched by `ratio`, found near where they belong.
std::vector<Click> Clicks(const Wave& wave, double ratio) {
    std::vector<Click> clicks;
    const auto reach = static_cast<std::ptrdiff_t>(0.1 * wave.rate);
    const auto size = static_cast<std::ptrdiff_t>(wave.values.size());
    for (double at = FirstClick + ClickSpacing;
         (at + ClickSpacing) * ratio * wave.rate < size - reach; at += ClickSpacing) {
        const auto expected = static_cast<std::ptrdiff_t>(at * ratio * wave.rate);
        std::ptrdiff_t peakAt = expected - reach;
        for (std::ptrdiff_t i = expected - reach; i < expected + reach; ++i) {
            if (std::fabs(wave.values[i]) > std::fabs(wave.values[peakAt])) {
                peakAt = i;
            }
        }
        const double peak = std::fabs(wave.values[peakAt]);
        std::ptrdiff_t first = peakAt;
        std::ptrdiff_t last = peakAt;
        for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(peakAt - reach, 0);
             i < std::min(peakAt + reach, size); ++i) {
            if (std::fabs(wave.values[i]) >= 0.1 * peak) {
                first = std::min(first, i);
                last = std::max(last, i);
            }
        }
        clicks.push_back({peak, 1000.0 * static_cast<double>(last - first) / wave.rate});
    }
    return clicks;
}

void Print(double value) {
    if (std::isnan(value)) {
        std::printf(" -");
    } else if (std::isinf(value)) {
        std::printf(" lost");
    } else {
        std::printf(" %.2f", value);
    }
}

int Measure(const std::string& signal, const std::string& sourcePath,
            const std::string& resultPath) {
    const Wave source = ReadFirstChannel(sourcePath);
    const Wave result = ReadFirstChannel(resultPath);
    const double ratio =
        static_cast<double>(result.values.size()) / static_cast<double>(source.values.size());
    double level = 20.0 * std::log10(Rms(WindowLevels(result)) / Rms(WindowLevels(source)));
    double smear = NAN;
    if (signal == "clicks") {
        const std::vector<Click> in = Clicks(source, 1.0);
        const std::vector<Click> out = Clicks(result, ratio);
        double peaksIn = 0.0;
        for (const Click& click : in) {
            peaksIn += click.peak;
        }
        double peaksOut = 0.0;
        double smearSum = 0.0;
        int found = 0;
        for (const Click& click : out) {
            peaksOut += click.peak;
            if (click.peak > 0.0) {
                smearSum += click.smearMs;
                ++found;
            }
        }
        level = 20.0 * std::log10((peaksOut / static_cast<double>(out.size())) /
                                  (peaksIn / static_cast<double>(in.size())));
        smear = found == 0 ? INFINITY : smearSum / found;
    }
    Print(signal == "clicks" ? NAN : Ripple(result));
    Print(level);
    Print(signal == "sine" ? Purity(result) : NAN);
    Print(smear);
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "make") {
        WriteStereo(args[2], Make(args[1], std::atof(args[3].c_str())));
        return 0;
    }
    if (args.size() == 4 && args[0] == "measure") {
        return Measure(args[1], args[2], args[3]);
    }
    std::fprintf(stderr,
                 "usage: %s make SIGNAL OUT.wav SECONDS | measure SIGNAL SOURCE.wav "
                 "RESULT.wav\n",
                 argv[0]);
    return 2;
}
