#include "playback_map.h"

#include <algorithm>
#include <cmath>

TPlaybackMap::TPlaybackMap(std::int64_t source, double speed)
    : pieces{{0, source, speed, 0, 0, -1}} {}

void TPlaybackMap::Join(std::int64_t output, std::int64_t passed, std::int64_t source, double speed,
                        bool wrap) {
    Piece& last = pieces.back();
    last.length = passed;
    pieces.push_back(
        {output, source, speed, last.counted + passed, last.wraps + (wrap ? 1 : 0), -1});
}

const TPlaybackMap::Piece& TPlaybackMap::PieceAt(std::int64_t output) const {
    const auto after = std::upper_bound(
        pieces.begin() + 1, pieces.end(), output,
        [](std::int64_t frame, const Piece& piece) { return frame < piece.output; });
    return *(after - 1);
}

std::int64_t TPlaybackMap::Passed(const Piece& piece, std::int64_t output) {
    const auto passed =
        std::llround(double(std::max<std::int64_t>(0, output - piece.output)) * piece.speed);
    return piece.length < 0 ? passed : std::min<std::int64_t>(passed, piece.length);
}

std::int64_t TPlaybackMap::SourceAt(std::int64_t output) const {
    const Piece& piece = PieceAt(output);
    return piece.source + Passed(piece, output);
}

std::int64_t TPlaybackMap::CountedAt(std::int64_t output) const {
    const Piece& piece = PieceAt(output);
    return piece.counted + Passed(piece, output);
}

std::int64_t TPlaybackMap::WrapsAt(std::int64_t output) const {
    return PieceAt(output).wraps;
}

std::int64_t TPlaybackMap::PassedAt(std::int64_t output) const {
    return Passed(pieces.back(), output);
}
