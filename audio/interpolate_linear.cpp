#include "restore_channels.h"
#include "stretch_passes.h"
#include "stretch_source.h"
#include "wave_processing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Source frames one piece may reach, and the partner value read with them.
constexpr std::int64_t PieceFrames = 2097152;

// Output frames worked out, and handed on, at a time.
constexpr std::int64_t BatchFrames = 65536;

std::int64_t Truncate(double x) {
    return static_cast<std::int64_t>(x);
}

void Raise(double& peak, double value) {
    const double magnitude = std::fabs(value);
    peak = magnitude > peak ? magnitude : peak;
}

// One piece of the interpolation: output frames [first, first + count), reading source
// frames from `base` on, `read` of them at most.
struct Piece {
    std::int64_t first;
    std::int64_t count;
    std::int64_t base;
    std::int64_t read;
};

class Interpolator {
public:
    Interpolator(SourceChannels& source, const StretchSize& size, RestoreChannels* output)
        : source(source), size(size), output(output), nIn(static_cast<double>(size.FramesIn)),
          nOut(static_cast<double>(size.FramesOut)), a(BatchFrames), b(BatchFrames) {}

    void Run(const Piece& piece) {
        for (std::int64_t done = 0; done < piece.count; done += BatchFrames) {
            Batch(piece, piece.first + done, std::min(BatchFrames, piece.count - done));
        }
    }

    ChannelPeaks Peaks() const { return {peakA, size.Stereo ? peakB : peakA}; }

private:
    double SourcePosition(std::int64_t frame) const {
        return static_cast<double>(frame) / nOut * nIn;
    }

    void Batch(const Piece& piece, std::int64_t first, std::int64_t count) {
        // Source frames this batch may reach, partners included.
        const std::int64_t low =
            std::clamp(Truncate(SourcePosition(first)), piece.base, piece.base + piece.read);
        const std::int64_t high = std::clamp(Truncate(SourcePosition(first + count - 1)) + 2, low,
                                             piece.base + piece.read);
        if (high > low) {
            source.Fetch(low, high - low);
        }
        for (std::int64_t i = 0; i < count; ++i) {
            const double x = SourcePosition(first + i);
            const std::int64_t k = Truncate(x);
            const double f = x - static_cast<double>(k);
            const std::int64_t j = k - piece.base;
            double valueA = 0.0;
            double valueB = 0.0;
            if (j < piece.read) {
                if (j < 0) {
                    throw EWaveProcessing("行き過ぎてるよ! マイナスになってるよ！");
                }
                if (j + 1 > PieceFrames) {
                    throw EWaveProcessing("過ぎてるよ! おおきいよ！");
                }
                // The last source frame is its own partner.
                const std::int64_t step = j + 1 < piece.read ? 1 : 0;
                const double* inA = source.A(k);
                valueA = inA[0] + (inA[step] - inA[0]) * f;
                if (size.Stereo) {
                    const double* inB = source.B(k);
                    valueB = inB[0] + (inB[step] - inB[0]) * f;
                }
            }
            Raise(peakA, valueA);
            a[static_cast<std::size_t>(i)] = valueA;
            if (size.Stereo) {
                Raise(peakB, valueB);
                b[static_cast<std::size_t>(i)] = valueB;
            }
        }
        if (output != nullptr) {
            output->Append(a.data(), size.Stereo ? b.data() : a.data(), count);
        }
    }

    SourceChannels& source;
    const StretchSize& size;
    RestoreChannels* output;
    const double nIn;
    const double nOut;
    std::vector<double> a, b;
    double peakA = 0.0;
    double peakB = 0.0;
};

} // namespace

ChannelPeaks InterpolateLinear(SourceChannels& source, const StretchSize& size,
                               const std::function<void(double)>& progress,
                               RestoreChannels* output) {
    const std::int64_t framesIn = size.FramesIn;
    const std::int64_t framesOut = size.FramesOut;
    const std::int64_t pieceOut =
        Truncate(static_cast<double>(PieceFrames * framesOut) / static_cast<double>(framesIn));
    if (pieceOut < 1) {
        throw EWaveProcessing("The speed change is too large: the result would be over two "
                              "million times shorter than the source.");
    }
    Interpolator interpolator(source, size, output);
    std::int64_t outPos = 0;
    while (outPos < framesOut - 1) {
        if (progress) {
            progress(static_cast<double>(outPos) / static_cast<double>(framesOut));
        }
        const std::int64_t base =
            Truncate(static_cast<double>(outPos) / static_cast<double>(framesOut) *
                     static_cast<double>(framesIn));
        // The piece also works out frame FramesOut itself, which only the peaks see.
        const Piece piece{outPos, std::min(pieceOut, framesOut + 1 - outPos), base,
                          std::min(PieceFrames + 1, framesIn - base)};
        interpolator.Run(piece);
        outPos += piece.count;
    }
    return interpolator.Peaks();
}
