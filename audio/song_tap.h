#pragma once

#include "media_player.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

// Keeps what the song player hands to its output device until it has been heard and read, so
// that a recording can take exactly what was heard, byte for byte, from any moment on.
class TSongTap : public TSongListener {
public:
    explicit TSongTap(TMediaPlayer& player);
    ~TSongTap() override;
    TSongTap(const TSongTap&) = delete;
    TSongTap& operator=(const TSongTap&) = delete;

    void SongFilled(std::int64_t start, const std::uint8_t* data, std::int32_t bytes,
                    const WaveDeviceFormat& format) override;
    void SongDropped(std::int64_t heard) override;

    // What has been heard, up to the end set by EndAt.
    std::int64_t Heard() const;
    // Nothing heard after `position` is handed to a reader, however late the reader stops:
    // a recording that must end on a given sample takes no more. -1 lifts the end.
    void EndAt(std::int64_t position) { end = position; }
    // Hands the kept bytes from `from` up to `to` to `take`, piece by piece with their format,
    // and forgets everything before `to`.
    void Take(std::int64_t from, std::int64_t to,
              const std::function<void(const std::uint8_t* data, std::int32_t bytes,
                                       const WaveDeviceFormat& format)>& take);
    // Called whenever new bytes were handed over (a reader may want to look).
    std::function<void()> OnFilled;
    // While a reader holds a position, nothing after it is forgotten.
    void HoldFrom(std::int64_t position) { held = position; }
    void Release() { held = -1; }

private:
    struct Chunk {
        std::int64_t start;
        WaveDeviceFormat format;
        std::vector<std::uint8_t> bytes;
        std::int64_t End() const { return start + static_cast<std::int64_t>(bytes.size()); }
    };
    void Forget(std::int64_t before);

    TMediaPlayer& player;
    std::deque<Chunk> chunks;
    std::int64_t held = -1;
    std::int64_t end = -1;
};
