#pragma once

#include <cstdint>
#include <vector>

// Where in the song each output frame of a run lies: a list of pieces, each played from a source
// frame at one speed, the next one starting where the output joined (a loop's wrap, a new tempo).
// Output frames map to source frames piecewise linearly; "counted" frames add up the source
// frames passed in every piece, so that they grow with what is heard, across wraps too.
class TPlaybackMap {
public:
    // A run that plays from `source` at `speed`.
    TPlaybackMap(std::int64_t source, double speed);

    // From output frame `output` on, the song plays from `source` at `speed`; the piece before
    // ends there, having passed `passed` source frames. `wrap` tells a loop's wrap.
    void Join(std::int64_t output, std::int64_t passed, std::int64_t source, double speed,
              bool wrap);

    // The source frame heard at output frame `output`.
    std::int64_t SourceAt(std::int64_t output) const;
    // The source frames passed up to output frame `output`, across pieces.
    std::int64_t CountedAt(std::int64_t output) const;
    // The wraps heard up to output frame `output`.
    std::int64_t WrapsAt(std::int64_t output) const;
    // The source frames the current piece has passed at output frame `output`.
    std::int64_t PassedAt(std::int64_t output) const;

    // The piece being played now.
    std::int64_t PieceOutput() const { return pieces.back().output; }
    std::int64_t PieceSource() const { return pieces.back().source; }
    double PieceSpeed() const { return pieces.back().speed; }

private:
    struct Piece {
        std::int64_t output;
        std::int64_t source;
        double speed;
        std::int64_t counted; // passed by the pieces before
        std::int64_t wraps;   // by this piece's start
        std::int64_t length;  // source frames passed, -1 while it plays
    };
    const Piece& PieceAt(std::int64_t output) const;
    static std::int64_t Passed(const Piece& piece, std::int64_t output);

    std::vector<Piece> pieces;
};
