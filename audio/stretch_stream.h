#pragma once

#include "playback_tempo.h"
#include "render_stream.h"

#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

// The song through a real-time stretcher of its own (a reset one does not start exactly as a new
// one does), primed with the song's own frames before the start, its start delay discarded, so
// that the first frame after the pre-roll is the start frame's. Each process call takes what
// the stretcher asks for, never more than its block.
class TStretchStream : public TRenderStream {
public:
    TStretchStream(TSourceReader& reader, std::int64_t start, const TPlaybackTempo& tempo,
                   std::int32_t preroll);
    ~TStretchStream() override;
    void Read(std::int16_t* data, std::int32_t frames) override;

private:
    void Feed();

    std::unique_ptr<RubberBand::RubberBandStretcher> stretcher;
    std::int64_t cursor = 0;
    std::int64_t skip = 0;
    std::int32_t silence = 0;
    std::vector<std::int16_t> interleaved;
    std::vector<std::vector<float>> planes;
    std::vector<float*> pointers;
};
