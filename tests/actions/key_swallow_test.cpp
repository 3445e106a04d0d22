#include "actions/key_polling.h"
#include "bound_key.h"
#include "fake_input.h"
#include "platform/virtual_keys.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t P = 'P';

struct SwallowPoll {
    std::vector<std::uint16_t> held;
    std::uint32_t tick;
    std::vector<std::string> pressed;
};

struct SwallowCase {
    const char* name;
    std::vector<std::uint16_t> heldAsItCloses; // a menu or dialog of ours, at tick 1000
    std::vector<SwallowPoll> polls;
};

void PrintTo(const SwallowCase& test, std::ostream* out) {
    *out << test.name;
}

// Three bindings: Return, P and Ctrl+P; a menu or dialog closes, then the keys are polled.
class KeySwallowTest : public testing::TestWithParam<SwallowCase> {
protected:
    KeySwallowTest() {
        returnKey.OnPress = [this] { pressed.emplace_back("Return"); };
        pKey.OnPress = [this] { pressed.emplace_back("P"); };
        ctrlPKey.OnPress = [this] { pressed.emplace_back("Ctrl+P"); };
    }
    // The next test starts with nothing swallowed.
    ~KeySwallowTest() override {
        input.Hold({});
        PollRealTimeKeys();
    }

    FakeInput input;
    BoundKey returnKey{VkReturn};
    BoundKey pKey{P};
    BoundKey ctrlPKey{P, ssCtrl};
    std::vector<std::string> pressed;
};

TEST_P(KeySwallowTest, AKeyHeldAsAMenuOrDialogClosesFiresNothingUntilLetGo) {
    const SwallowCase& test = GetParam();
    input.Hold(test.heldAsItCloses);
    input.tick = 1000;
    SwallowHeldKeys();
    for (std::size_t i = 0; i < test.polls.size(); ++i) {
        const SwallowPoll& poll = test.polls[i];
        input.Hold(poll.held);
        input.tick = poll.tick;
        pressed.clear();
        PollRealTimeKeys();
        EXPECT_EQ(pressed, poll.pressed) << "poll " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, KeySwallowTest,
    testing::Values(
        SwallowCase{"HeldUntilLetGoThenPressedAgain",
                    {VkReturn},
                    {{{VkReturn}, 1010, {}},
                     {{VkReturn}, 6000, {}},
                     {{}, 6010, {}},
                     {{VkReturn}, 6020, {"Return"}}}},
        SwallowCase{"PressedAfterItClosed", {}, {{{VkReturn}, 1010, {"Return"}}}},
        // Another key pressed while the swallowed one is still held fires.
        SwallowCase{"AnotherKeyWhileTheSwallowedOneIsHeld",
                    {VkReturn},
                    {{{VkReturn}, 1010, {}}, {{VkReturn, P}, 1020, {"P"}}}},
        // A key held for ever, or never reported released, counts again after the deadline.
        SwallowCase{"NeverLetGo",
                    {VkReturn},
                    {{{VkReturn}, 1000 + SwallowDeadlineMs - 1, {}},
                     {{VkReturn}, 1000 + SwallowDeadlineMs, {"Return"}}}},
        // A modifier held on is still a modifier for the keys pressed after.
        SwallowCase{"ModifierHeldOn",
                    {VkControl},
                    {{{VkControl}, 1010, {}}, {{VkControl, P}, 1020, {"Ctrl+P"}}}},
        SwallowCase{"HeldWithAModifier",
                    {VkControl, P},
                    {{{VkControl, P}, 1010, {}},
                     {{VkControl}, 1020, {}},
                     {{VkControl, P}, 1030, {"Ctrl+P"}}}}),
    [](const auto& info) { return info.param.name; });

TEST(KeySwallowingTest, AMenuThatAKeyOpenedSwallowsTheKeyThatClosedItForTheKeysPolledAfter) {
    FakeInput input;
    BoundKey config{'C'};
    BoundKey returnKey{VkReturn};
    // Its menu closes with Return, held while the poll goes on to the Return binding.
    config.OnPress = [&] {
        input.Hold({'C', VkReturn});
        SwallowHeldKeys();
    };
    input.Hold({'C'});
    PollRealTimeKeys();
    EXPECT_EQ(config.presses, 1);
    ExpectSwallowedUntilPressedAgain(input, returnKey);
}

} // namespace
