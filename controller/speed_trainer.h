#pragma once

#include <cstdint>
#include <optional>

// The speed trainer: while a loop repeats, each pass plays at the next speed, from a start
// speed towards a target by a step, until the target is reached. It follows the song player's
// count of loop passes, which the controller's tick hands it.
class TSpeedTrainer {
public:
    // A run from start towards target (per cent) by step each pass; passes is the player's
    // count now. The speed to play the first pass at comes back.
    int Begin(int start, int step, int target, std::int64_t passes);
    // The speed for the passes counted now, when the loop has wrapped since the last call;
    // nothing otherwise. Several passes at once move several steps. The run ends when the
    // target is reached. A count lower than before (the song was opened again) starts counting
    // from it.
    std::optional<int> Follow(std::int64_t passes);
    void End() { running = false; }
    bool Running() const { return running; }

private:
    int speed = 100;
    int step = 0;
    int target = 100;
    std::int64_t counted = 0;
    bool running = false;
};
