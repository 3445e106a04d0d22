#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TWaveFileStream;

// Converts `frames` whole frames of PCM bytes of the given sample kind into doubles normalised
// by full scale: channel A takes the first sample of each frame, channel B the second (a copy
// of A for mono).
void SplitChannels(const std::uint8_t* bytes, std::int64_t frames, int kind, double* a, double* b);

// The source frames of a stretch as doubles, read and split on demand while the stretch moves
// forward, so memory stays bounded whatever the file length.
class SourceChannels {
public:
    SourceChannels(TWaveFileStream& source, int kind, std::int64_t frames);

    // Makes frames [first, first + count) available; frames before `first` may be dropped.
    // `first` never moves backwards, and first + count never passes the source's end.
    void Fetch(std::int64_t first, std::int64_t count);
    const double* A(std::int64_t frame) const { return a.get() + (frame - windowStart); }
    const double* B(std::int64_t frame) const { return b.get() + (frame - windowStart); }

private:
    void MakeRoom(std::int64_t first, std::int64_t count);

    TWaveFileStream& source;
    int kind;
    int frameBytes;
    std::int64_t frames;
    // Frames [windowStart, windowStart + loaded) are held from index 0 of a and b.
    std::int64_t windowStart = 0;
    std::int64_t loaded = 0;
    std::int64_t capacity = 0;
    std::unique_ptr<double[]> a, b;
    std::vector<std::uint8_t> raw;
};
