#pragma once

#include "playback_map.h"
#include "playback_tempo.h"
#include "render_stream.h"

#include <cstdint>
#include <memory>
#include <optional>

// The sound of a song as the user hears it, from a start frame on: the song itself, bit for bit,
// at normal speed without transpose, else through the real-time stretcher. A loop range wraps
// the output at its end frame to its start frame; a new tempo takes over within a few
// milliseconds. Every such join is crossfaded over at most 5 ms before it: the old sound fades
// out while the new one's pre-roll fades in, so that the frame after the join is the new start
// frame's and nothing after the loop's end is heard after it.
class TSongRenderer {
public:
    TSongRenderer(PcmSource& source, std::int64_t start, const TPlaybackTempo& tempo);
    ~TSongRenderer();
    TSongRenderer(const TSongRenderer&) = delete;
    TSongRenderer& operator=(const TSongRenderer&) = delete;

    void SetTempo(const TPlaybackTempo& tempo);
    // Output that reaches `endFrame` from before it goes on at `startFrame`; a loop shorter than
    // a tenth of a second is not wrapped.
    void SetLoop(std::int64_t startFrame, std::int64_t endFrame);
    void ClearLoop();

    // Writes up to `frames` output frames, 16-bit interleaved in the song's format, and hands
    // the source frames they pass to `take`, in the order they are heard. Fewer frames only at
    // the song's end.
    std::int32_t Render(std::int16_t* data, std::int32_t frames, const TSourceTake& take);

    // Where each output frame lies in the song.
    const TPlaybackMap& Map() const { return map; }
    // The output frames written so far.
    std::int64_t Rendered() const { return output; }

private:
    struct Join {
        std::int64_t at;      // output frame of the first frame after it
        std::int64_t passed;  // source frames the piece before it passes
        std::int64_t source;  // where it goes on
        TPlaybackTempo tempo; // at which tempo
        bool wrap;
    };
    std::optional<Join> NextJoin() const;
    std::int64_t PieceEnd() const;
    std::unique_ptr<TRenderStream> NewStream(std::int64_t start, const TPlaybackTempo& tempo,
                                             std::int32_t preroll);
    void TakePassed(std::int64_t passed, const TSourceTake& take);
    void MakeJoin(const Join& join, const TSourceTake& take);
    void Crossfade(std::int16_t* data, std::int32_t frames);

    TSourceReader reader;
    const std::int32_t fadeFrames;
    const std::int32_t shortestLoop;
    TPlaybackTempo tempo;                // of the piece playing
    std::optional<TPlaybackTempo> asked; // a new tempo not yet joined
    std::int64_t askedAt = 0;
    std::optional<std::pair<std::int64_t, std::int64_t>> loop;
    TPlaybackMap map;
    std::unique_ptr<TRenderStream> current;
    std::unique_ptr<TRenderStream> next;
    std::optional<Join> joining; // fixed once its crossfade began
    std::int64_t fadeLength = 0;
    std::int64_t output = 0;
    std::int64_t taken = 0; // source frames of the piece handed on
    std::vector<std::int16_t> fading;
};
