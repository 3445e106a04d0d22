#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class TWaveFileStream;

// Writes the result of a stretch into the destination as PCM: each value times the gain,
// rounded halves to even. Frames arrive in order; only the first `frames` are written, and
// frames that never arrive are silence.
class RestoreChannels {
public:
    RestoreChannels(TWaveFileStream& destination, int kind, double gain, std::int64_t frames,
                    std::function<void(double)> progress);

    void Append(const double* a, const double* b, std::int64_t count);
    // Fills what did not arrive with silence and writes the rest out.
    void Finish();

private:
    void Convert(const double* a, const double* b, std::int64_t count);
    void Flush();

    TWaveFileStream& destination;
    int kind;
    int frameBytes;
    double gain;
    std::int64_t frames;
    std::int64_t written = 0;
    std::int64_t nextReport = 0;
    std::function<void(double)> progress;
    std::vector<std::uint8_t> pending;
    std::size_t used = 0;
};
