#include "controller/speed_trainer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct TrainerCase {
    const char* name;
    int start;
    int step;
    int target;
    // The player's pass counts the ticks see after the run began at 3 passes.
    std::vector<std::int64_t> passes;
    // What each tick hands on: the next speed, or -1 for nothing.
    std::vector<int> speeds;
    bool runningAfter;
};

TEST(SpeedTrainerTest, EachPassPlaysAtTheNextSpeedUntilTheTarget) {
    const TrainerCase cases[] = {
        {"a step a pass", 60, 10, 90, {3, 4, 4, 5, 6}, {-1, 70, -1, 80, 90}, false},
        {"the last step stops at the target", 60, 15, 80, {4, 5, 6}, {75, 80, -1}, false},
        {"two passes between ticks are two steps", 50, 5, 100, {5}, {60}, true},
        {"a target below the start slows down", 100, 10, 80, {4, 5}, {90, 80}, false},
        {"a fresh count goes on from it", 60, 10, 90, {0, 1}, {-1, 70}, true},
    };
    for (const TrainerCase& c : cases) {
        SCOPED_TRACE(c.name);
        TSpeedTrainer trainer;
        EXPECT_EQ(trainer.Begin(c.start, c.step, c.target, 3), c.start);
        EXPECT_TRUE(trainer.Running());
        for (std::size_t i = 0; i < c.passes.size(); ++i) {
            const std::optional<int> speed = trainer.Follow(c.passes[i]);
            EXPECT_EQ(speed.value_or(-1), c.speeds[i]) << "tick " << i;
        }
        EXPECT_EQ(trainer.Running(), c.runningAfter);
    }
}

TEST(SpeedTrainerTest, AStartAtTheTargetOrAnEndedRunMovesNothing) {
    TSpeedTrainer trainer;
    EXPECT_EQ(trainer.Begin(100, 5, 100, 0), 100);
    EXPECT_FALSE(trainer.Running());
    EXPECT_EQ(trainer.Follow(1), std::nullopt);
    trainer.Begin(60, 5, 100, 0);
    trainer.End();
    EXPECT_EQ(trainer.Follow(1), std::nullopt);
}

} // namespace
