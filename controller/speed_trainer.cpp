#include "controller/speed_trainer.h"

#include <algorithm>
#include <cstdlib>

int TSpeedTrainer::Begin(int start, int stepPerPass, int targetSpeed, std::int64_t passes) {
    speed = start;
    step = std::abs(stepPerPass);
    target = targetSpeed;
    counted = passes;
    running = speed != target && step > 0;
    return speed;
}

std::optional<int> TSpeedTrainer::Follow(std::int64_t passes) {
    if (!running || passes == counted) {
        return std::nullopt;
    }
    if (passes < counted) {
        counted = passes;
        return std::nullopt;
    }
    const std::int64_t moved = (passes - counted) * step;
    counted = passes;
    const std::int64_t distance = std::abs(target - speed);
    const int change = static_cast<int>(std::min(moved, distance));
    speed += target > speed ? change : -change;
    running = speed != target;
    return speed;
}
