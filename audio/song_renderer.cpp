#include "song_renderer.h"

#include "stretch_stream.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t FadeMilliseconds = 5;
// Each wrap starts a new sound and reads the song at another place: a shorter loop would ask
// for that work many times a second. The song plays on past its end, for the caller to bring
// back.
constexpr std::int32_t ShortestLoopMilliseconds = 100;

bool SameSound(const TPlaybackTempo& a, const TPlaybackTempo& b) {
    return (a.IsNeutral() && b.IsNeutral()) || a == b;
}

std::int64_t OutputFrames(std::int64_t sourceFrames, double speed) {
    return std::llround(double(sourceFrames) / speed);
}

} // namespace

TSongRenderer::TSongRenderer(PcmSource& source, std::int64_t start, const TPlaybackTempo& tempo)
    : reader(source), fadeFrames(reader.Rate() * FadeMilliseconds / 1000),
      shortestLoop(reader.Rate() * ShortestLoopMilliseconds / 1000), tempo(tempo),
      map(start, tempo.Speed), current(NewStream(start, tempo, 0)) {}

TSongRenderer::~TSongRenderer() = default;

void TSongRenderer::SetTempo(const TPlaybackTempo& value) {
    if (SameSound(asked.value_or(tempo), value)) {
        return;
    }
    if (!asked) {
        askedAt = output + fadeFrames;
    }
    asked = value;
    if (SameSound(tempo, value) && !joining) {
        asked.reset();
    }
}

void TSongRenderer::SetLoop(std::int64_t startFrame, std::int64_t endFrame) {
    loop.emplace(startFrame, endFrame);
}

void TSongRenderer::ClearLoop() {
    loop.reset();
}

std::unique_ptr<TRenderStream>
TSongRenderer::NewStream(std::int64_t start, const TPlaybackTempo& value, std::int32_t preroll) {
    if (value.IsNeutral()) {
        return std::make_unique<TDirectStream>(reader, start, preroll);
    }
    return std::make_unique<TStretchStream>(reader, start, value, preroll);
}

// Where the piece playing ends with the song.
std::int64_t TSongRenderer::PieceEnd() const {
    const std::int64_t left = std::max<std::int64_t>(0, reader.Frames() - map.PieceSource());
    return map.PieceOutput() + OutputFrames(left, tempo.Speed);
}

// The loop's wrap or the new tempo, whichever comes first.
std::optional<TSongRenderer::Join> TSongRenderer::NextJoin() const {
    if (joining) {
        return joining;
    }
    const TPlaybackTempo after = asked.value_or(tempo);
    const std::int64_t source = map.PieceSource();
    std::optional<Join> join;
    if (loop && source < loop->second && loop->second - loop->first >= shortestLoop) {
        const std::int64_t end = std::min(loop->second, reader.Frames());
        const std::int64_t at = map.PieceOutput() + OutputFrames(end - source, tempo.Speed);
        if (at >= output) { // a loop set after its end passed: the song plays on
            join = Join{at, end - source, loop->first, after, true};
        }
    }
    if (asked && (!join || askedAt < join->at)) {
        const std::int64_t at = std::max(askedAt, output);
        const std::int64_t passed = map.PassedAt(at);
        if (source + passed < reader.Frames()) {
            join = Join{at, passed, source + passed, after, false};
        }
    }
    return join;
}

std::int32_t TSongRenderer::Render(std::int16_t* data, std::int32_t frames,
                                   const TSourceTake& take) {
    const std::int32_t channels = reader.Channels();
    std::int32_t done = 0;
    while (done < frames) {
        const std::int64_t end = PieceEnd();
        std::optional<Join> join = NextJoin();
        if (join && join->at > end) {
            join.reset();
        }
        if (join && join->at <= output) {
            MakeJoin(*join, take);
            continue;
        }
        if (!join && output >= end) {
            TakePassed(reader.Frames() - map.PieceSource(), take);
            break;
        }
        const std::int64_t stop = join ? join->at : end;
        const std::int64_t fadeFrom = join ? join->at - fadeFrames : stop;
        std::int16_t* at = data + done * channels;
        if (output < fadeFrom) {
            const auto n =
                static_cast<std::int32_t>(std::min<std::int64_t>(frames - done, fadeFrom - output));
            current->Read(at, n);
            output += n;
            done += n;
        } else {
            if (!next) {
                joining = join;
                fadeLength = join->at - output;
                next = NewStream(join->source, join->tempo,
                                 static_cast<std::int32_t>(join->at - output));
            }
            const auto n =
                static_cast<std::int32_t>(std::min<std::int64_t>(frames - done, stop - output));
            Crossfade(at, n);
            output += n;
            done += n;
        }
        TakePassed(map.PassedAt(output), take);
    }
    return done;
}

// Both sounds over the frames before the join: the old one fading out, the new one in.
void TSongRenderer::Crossfade(std::int16_t* data, std::int32_t frames) {
    const std::int32_t channels = reader.Channels();
    current->Read(data, frames);
    fading.resize(static_cast<std::size_t>(frames * channels));
    next->Read(fading.data(), frames);
    for (std::int32_t frame = 0; frame < frames; ++frame) {
        const std::int64_t left = joining->at - (output + frame);
        const double in = 1.0 - (double(left) - 0.5) / double(fadeLength);
        const double weight = std::clamp(in, 0.0, 1.0);
        for (std::int32_t channel = 0; channel < channels; ++channel) {
            const std::size_t i = static_cast<std::size_t>(frame * channels + channel);
            data[i] = static_cast<std::int16_t>(
                std::lround(data[i] * (1.0 - weight) + fading[i] * weight));
        }
    }
}

void TSongRenderer::TakePassed(std::int64_t passed, const TSourceTake& take) {
    if (passed > taken) {
        taken += current->TakeSource(passed - taken, take);
    }
}

void TSongRenderer::MakeJoin(const Join& join, const TSourceTake& take) {
    TakePassed(join.passed, take);
    current = next ? std::move(next) : NewStream(join.source, join.tempo, 0);
    next.reset();
    joining.reset();
    map.Join(join.at, join.passed, join.source, join.tempo.Speed, join.wrap);
    taken = 0;
    tempo = join.tempo;
    if (asked && SameSound(*asked, tempo)) {
        asked.reset();
    } else if (asked) {
        askedAt = std::max(askedAt, join.at + fadeFrames);
    }
}
