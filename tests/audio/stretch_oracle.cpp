#include "stretch_oracle.h"

#include "audio/wave_processing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
// Values per channel that the linear engine reads for one piece (plus one partner value).
constexpr std::int64_t LinearPiece = 2097152;
// Blocks of at most this many values are added without the taper.
constexpr std::int64_t UnwindowedValues = 64;

double Rnd(double x) {
    return std::nearbyint(x);
}

std::int64_t Truncate(double x) {
    return static_cast<std::int64_t>(x);
}

// The two channels of the source, decoded to doubles normalised by full scale.
struct Source {
    bool stereo = false;
    bool sixteenBit = false;
    double fullScale = 0.0;
    std::int64_t frames = 0;
    std::vector<double> a;
    std::vector<double> b;
};

double Decode16(const std::uint8_t* bytes) {
    const auto sample = static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
    return double(sample) / 32767.0;
}

double Decode8(std::uint8_t byte) {
    return double(int(byte) - 128) / 127.0;
}

// Refuses what the engines refuse before writing anything, then decodes every whole frame.
Source Split(const PcmWaveFormat& format, const Bytes& data) {
    const bool known = (format.channels == 1 || format.channels == 2) &&
                       (format.bitsPerSample == 8 || format.bitsPerSample == 16);
    if (format.formatTag != PcmWaveFormat::PcmTag || !known) {
        throw EWaveProcessing("not supported file type");
    }
    if (format.blockAlign != format.channels * format.bitsPerSample / 8) {
        throw EWaveProcessing("");
    }
    Source source;
    source.stereo = format.channels == 2;
    source.sixteenBit = format.bitsPerSample == 16;
    source.fullScale = source.sixteenBit ? 32767.0 : 127.0;
    source.frames = static_cast<std::int64_t>(data.size()) / format.blockAlign;
    for (std::int64_t frame = 0; frame < source.frames; ++frame) {
        const std::uint8_t* bytes = data.data() + frame * format.blockAlign;
        double first = 0.0;
        double second = 0.0;
        if (source.sixteenBit) {
            first = Decode16(bytes);
            second = source.stereo ? Decode16(bytes + 2) : first;
        } else {
            first = Decode8(bytes[0]);
            second = source.stereo ? Decode8(bytes[1]) : first;
        }
        source.a.push_back(first);
        source.b.push_back(second);
    }
    return source;
}

std::int64_t FramesOut(std::int64_t framesIn, double ratio, std::int32_t targetFrames) {
    const std::int64_t frames =
        targetFrames == 0 ? Truncate(double(framesIn) * ratio) : std::int64_t{targetFrames};
    return std::max<std::int64_t>(frames, 0);
}

void Taper(double* values, std::int64_t byteCount) {
    const std::int64_t n = byteCount / 8;
    for (std::int64_t k = 0; k < n; ++k) {
        const double x = 2.0 * Pi * double(k) / double(n);
        const double factor =
            (x < Pi / 2.0 || x > 3.0 * Pi / 2.0) ? (1.0 - std::cos(2.0 * x)) / 2.0 : 1.0;
        values[k] = values[k] * factor;
    }
}

// Adds n source values from inPos onto the destination at outPos. The destination stands for
// a channel file: a value past its end reads as 0.0 and writing it makes the file longer.
void AddBlock(const std::vector<double>& source, std::int64_t inPos, std::int64_t n,
              std::vector<double>& destination, std::int64_t outPos, double& peak) {
    std::vector<double> block(source.begin() + inPos, source.begin() + inPos + n);
    if (n > UnwindowedValues) {
        Taper(block.data(), n * 8);
    }
    for (std::int64_t i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(outPos + i);
        if (at >= destination.size()) {
            destination.resize(at + 1, 0.0);
        }
        const double sum = destination[at] + block[static_cast<std::size_t>(i)];
        peak = std::max(peak, std::fabs(sum));
        destination[at] = sum;
    }
}

double Gain(double peakA, double peakB, double fullScale) {
    const double loudest = std::max(peakA, peakB);
    return loudest > 1.0 ? fullScale / loudest : fullScale;
}

void PutSample(Bytes& out, double value, double gain, bool sixteenBit) {
    const std::int64_t sample = Truncate(Rnd(value * gain));
    if (sixteenBit) {
        const auto stored = static_cast<std::uint16_t>(
            static_cast<std::int16_t>(std::clamp<std::int64_t>(sample, -32768, 32767)));
        out.push_back(static_cast<std::uint8_t>(stored & 0xFF));
        out.push_back(static_cast<std::uint8_t>(stored >> 8));
    } else {
        out.push_back(static_cast<std::uint8_t>(std::clamp<std::int64_t>(sample + 128, 0, 255)));
    }
}

Bytes Restore(const Source& source, const std::vector<double>& a, const std::vector<double>& b,
              std::int64_t framesOut, double gain) {
    Bytes out;
    for (std::int64_t frame = 0; frame < framesOut; ++frame) {
        const auto at = static_cast<std::size_t>(frame);
        PutSample(out, a[at], gain, source.sixteenBit);
        if (source.stereo) {
            PutSample(out, b[at], gain, source.sixteenBit);
        }
    }
    return out;
}

double Interpolate(const std::vector<double>& channel, std::int64_t base, std::int64_t j,
                   std::int64_t read, double f) {
    const double value = channel[static_cast<std::size_t>(base + j)];
    const double partner = j + 1 < read ? channel[static_cast<std::size_t>(base + j + 1)] : value;
    return value + (partner - value) * f;
}

} // namespace

std::int64_t OracleAutomaticBlockLength(double effectiveRatio, std::uint32_t samplesPerSec) {
    std::int64_t block = Truncate(Rnd((10.0 - effectiveRatio) * 1024.0)) - 100;
    if (samplesPerSec != 44100) {
        block = Truncate(Rnd(double(block * std::int64_t{samplesPerSec}) / 44100.0));
    }
    return block;
}

double OracleAutomaticHopFactor(double effectiveRatio) {
    return 0.6 - effectiveRatio / 20.0;
}

Bytes OracleStretch(const PcmWaveFormat& format, const Bytes& data, double ratio,
                    std::int32_t targetFrames, std::int32_t blockLength, double hopFactor) {
    const Source source = Split(format, data);
    const std::int64_t framesIn = source.frames;
    if (framesIn == 0) {
        return {};
    }
    const std::int64_t framesOut = FramesOut(framesIn, ratio, targetFrames);
    const double r = double(framesOut) / double(framesIn);
    if (hopFactor == 0.0) {
        hopFactor = OracleAutomaticHopFactor(r);
    }
    std::int64_t block = blockLength;
    if (blockLength == 0) {
        block = OracleAutomaticBlockLength(r, format.samplesPerSec);
        if (block < 10) {
            throw EWaveProcessing("automatic block length too short");
        }
    } else if (block < 1) {
        throw EWaveProcessing("block length below 1");
    }
    const std::int64_t hop = Truncate(Rnd(double(block) * hopFactor));
    if (hop < 1) {
        throw EWaveProcessing("hop below 1");
    }

    std::vector<double> a(static_cast<std::size_t>(framesOut), 0.0);
    std::vector<double> b(static_cast<std::size_t>(framesOut), 0.0);
    double peakA = 0.0;
    double peakB = 0.0;
    for (std::int64_t outPos = 0; outPos < framesOut - 1; outPos += hop) {
        const std::int64_t inPos = Truncate(Rnd(double(framesIn * outPos) / double(framesOut)));
        std::int64_t n = block;
        if (inPos + block >= framesIn) {
            n = framesIn - inPos;
        }
        AddBlock(source.a, inPos, n, a, outPos, peakA);
        AddBlock(source.b, inPos, n, b, outPos, peakB);
    }
    return Restore(source, a, b, framesOut, Gain(peakA, peakB, source.fullScale));
}

Bytes OracleStretchLinear(const PcmWaveFormat& format, const Bytes& data, double& ratio,
                          std::int32_t targetFrames) {
    const Source source = Split(format, data);
    const std::int64_t framesIn = source.frames;
    if (framesIn == 0) {
        return {};
    }
    const std::int64_t framesOut = FramesOut(framesIn, ratio, targetFrames);
    if (framesOut == 0) {
        ratio = 0.0;
        return {};
    }
    const std::int64_t piece = Truncate(double(LinearPiece * framesOut) / double(framesIn));
    if (piece < 1) {
        throw EWaveProcessing("output piece of no frames");
    }

    std::vector<double> a(static_cast<std::size_t>(framesOut), 0.0);
    std::vector<double> b(static_cast<std::size_t>(framesOut), 0.0);
    std::size_t written = 0;
    const auto append = [&](double valueA, double valueB) {
        if (written >= a.size()) {
            a.resize(written + 1, 0.0);
            b.resize(written + 1, 0.0);
        }
        a[written] = valueA;
        b[written] = valueB;
        ++written;
    };
    double peakA = 0.0;
    double peakB = 0.0;
    std::int64_t outPos = 0;
    while (outPos < framesOut - 1) {
        const std::int64_t base = Truncate(double(outPos) / double(framesOut) * double(framesIn));
        const std::int64_t read = std::min(LinearPiece + 1, framesIn - base);
        std::int64_t count = 0;
        for (std::int64_t i = 0; i < piece; ++i) {
            if (outPos + i > framesOut) {
                break;
            }
            const double x = double(outPos + i) / double(framesOut) * double(framesIn);
            const std::int64_t k = Truncate(x);
            const double f = x - double(k);
            const std::int64_t j = k - base;
            // Past the end of the source the output is silence.
            double valueA = 0.0;
            double valueB = 0.0;
            if (j < read) {
                if (j < 0) {
                    throw EWaveProcessing("行き過ぎてるよ! マイナスになってるよ！");
                }
                if (j + 1 > LinearPiece) {
                    throw EWaveProcessing("過ぎてるよ! おおきいよ！");
                }
                valueA = Interpolate(source.a, base, j, read, f);
                valueB = Interpolate(source.b, base, j, read, f);
            }
            peakA = std::max(peakA, std::fabs(valueA));
            peakB = std::max(peakB, std::fabs(valueB));
            append(valueA, valueB);
            count = i + 1;
        }
        outPos += count;
    }
    ratio = double(framesOut) / double(framesIn);
    return Restore(source, a, b, framesOut, Gain(peakA, peakB, source.fullScale));
}
