#include "actions/key_polling.h"
#include "actions/real_time_action.h"
#include "actions/real_time_button.h"
#include "actions/real_time_key.h"
#include "fake_input.h"
#include "platform/virtual_keys.h"
#include "tests/support/mouse_events.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// Writes down every event of an action, with the times it was given.
Events& Record(TRealTimeAction& action, Events& events) {
    action.OnDown = [&](QObject*) { events.push_back("down"); };
    action.OnHolding = [&](QObject*, std::int32_t ms) {
        events.push_back("holding " + std::to_string(ms));
    };
    action.OnReleased = [&](QObject*, std::int32_t ms) {
        events.push_back("released " + std::to_string(ms));
    };
    action.OnUp = [&](QObject*) { events.push_back("up"); };
    action.OnClick = [&](QObject*) { events.push_back("click"); };
    return events;
}

struct Poll {
    std::vector<std::uint16_t> held;
    std::uint32_t tick;
    Events events;
};

struct PollCase {
    const char* name;
    std::vector<TShortcut> bindings; // every one a key of the same action
    std::vector<Poll> polls;
};

void PrintTo(const PollCase& test, std::ostream* out) {
    *out << test.name;
}

class KeyPollTest : public testing::TestWithParam<PollCase> {};

TEST_P(KeyPollTest, FiresTheActionsEventsInOrder) {
    const PollCase& test = GetParam();
    FakeInput input;
    TRealTimeAction action;
    Events events;
    Record(action, events);
    std::vector<std::unique_ptr<TRealTimeKey>> keys;
    for (const TShortcut& binding : test.bindings) {
        auto& key = keys.emplace_back(std::make_unique<TRealTimeKey>());
        key->SetVirtualKey(binding.VirtualKey);
        key->SetShiftState(binding.ShiftState);
        key->SetRealTimeAction(&action);
    }
    for (std::size_t i = 0; i < test.polls.size(); ++i) {
        const Poll& poll = test.polls[i];
        input.Hold(poll.held);
        input.tick = poll.tick;
        events.clear();
        PollRealTimeKeys();
        EXPECT_EQ(events, poll.events) << "poll " << i;
    }
}

constexpr std::uint16_t P = 'P';
constexpr std::uint16_t Q = 'Q';

INSTANTIATE_TEST_SUITE_P(
    Actions, KeyPollTest,
    testing::Values(PollCase{"HeldKey",
                             {{P, 0}},
                             {{{}, 50, {}},
                              {{P}, 100, {"down", "holding 0"}},
                              {{P}, 150, {"holding 50"}},
                              {{P}, 230, {"holding 130"}},
                              {{}, 300, {"released 200", "up", "click"}},
                              {{}, 350, {}}}},
                    // Modifiers must match exactly: Shift+P is not P, and pressing Shift lets P go.
                    PollCase{"ShiftedKeyIsAnotherShortcut",
                             {{P, 0}},
                             {{{VkShift, P}, 100, {}},
                              {{P}, 200, {"down", "holding 0"}},
                              {{VkShift, P}, 260, {"released 60", "up", "click"}},
                              {{}, 300, {}}}},
                    PollCase{"AllModifiersOfTheBinding",
                             {{P, ssCtrl | ssAlt}},
                             {{{VkControl, P}, 100, {}},
                              {{VkControl, VkMenu, P}, 200, {"down", "holding 0"}},
                              {{}, 210, {"released 10", "up", "click"}}}},
                    PollCase{"UnboundKeyNeverFires",
                             {{0, 0}},
                             {{{P, Q, VkReturn, VkLButton}, 100, {}}, {{}, 200, {}}}},
                    // The second press starts the time again; the first release ends the press.
                    PollCase{"TwoKeysOfOneAction",
                             {{P, 0}, {Q, 0}},
                             {{{P}, 100, {"down", "holding 0"}},
                              {{P, Q}, 150, {"down", "holding 0"}},
                              {{Q}, 200, {"released 50", "up", "click"}},
                              {{}, 260, {"released 110", "up"}}}},
                    PollCase{"HeldAcrossTheTickCountWrap",
                             {{P, 0}},
                             {{{P}, 0xFFFFFFF0u, {"down", "holding 0"}},
                              {{P}, 0x10u, {"holding 32"}},
                              {{}, 0x20u, {"released 48", "up", "click"}}}}),
    [](const auto& info) { return info.param.name; });

TEST(RealTimeActionTest, ASwitchFlipsAfterEachClickWhateverPressedIt) {
    FakeInput input;
    TRealTimeAction action;
    action.SetToggleType(true);
    TRealTimeKey first;
    first.SetVirtualKey(P);
    first.SetRealTimeAction(&action);
    TRealTimeKey second;
    second.SetVirtualKey(Q);
    second.SetRealTimeAction(&action);
    TRealTimeButton button;
    button.SetRealTimeAction(&action);
    ASSERT_TRUE(button.ToggleType());
    std::vector<bool> seenByClick;
    action.OnClick = [&](QObject*) { seenByClick.push_back(action.Toggled()); };

    const std::vector<std::vector<std::uint16_t>> polls = {{P}, {}, {P}, {P, Q}, {Q}, {}};
    for (const auto& held : polls) {
        input.Hold(held);
        PollRealTimeKeys();
    }
    // Two clicks; the second key's late release is no click and no flip.
    EXPECT_EQ(seenByClick, (std::vector<bool>{false, true}));
    EXPECT_FALSE(action.Toggled());
    EXPECT_FALSE(button.Toggled());

    input.Hold({P});
    PollRealTimeKeys();
    input.Hold({});
    PollRealTimeKeys();
    EXPECT_TRUE(action.Toggled());
    EXPECT_TRUE(button.Toggled());
}

TEST(RealTimeActionTest, AButtonPressesItsActionAndIsTheSource) {
    FakeInput input;
    TRealTimeAction action;
    Events events;
    Record(action, events);
    TRealTimeButton button;
    button.SetRealTimeAction(&action);
    TRealTimeKey key;
    key.SetVirtualKey(P);
    key.SetRealTimeAction(&action);

    input.Hold({P});
    PollRealTimeKeys();
    EXPECT_EQ(action.SourceKey(), &key);
    input.tick = 40;
    SendMouse(button, QEvent::MouseButtonPress);
    EXPECT_EQ(action.SourceButton(), &button);
    EXPECT_EQ(action.SourceKey(), nullptr);
    EXPECT_TRUE(button.IsDowned());
    input.tick = 70;
    SendMouse(button, QEvent::MouseButtonRelease);
    EXPECT_FALSE(button.IsDowned());
    EXPECT_EQ(events, (Events{"down", "holding 0", "down", "released 30", "up", "click"}));
    action.Press(nullptr);
    EXPECT_EQ(action.SourceButton(), nullptr);
    EXPECT_EQ(action.SourceKey(), nullptr);
}

// A press on a round button's see-through corner belongs to the window beneath: the action
// neither goes down nor clicks when the mouse goes up again.
TEST(RealTimeActionTest, AButtonLeavesItsActionAlonePressedOutsideItsShape) {
    FakeInput input;
    TRealTimeAction action;
    Events events;
    Record(action, events);
    QWidget window;
    auto* button = new TRealTimeButton(&window);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    // The bottom-left pixel's colour is the see-through one.
    picture.setPixel(0, 9, qRgb(0, 0, 0));
    button->SetGlyph(picture);
    button->SetRealTimeAction(&action);
    button->grab();

    SendMouse(*button, QEvent::MouseButtonPress, {0, 9});
    SendMouse(*button, QEvent::MouseButtonRelease, {0, 9});
    EXPECT_EQ(events, Events{});
    EXPECT_FALSE(action.Downed());
}

TEST(RealTimeActionTest, LinksFollowTheKeysAndButtonsAndDieWithThem) {
    auto first = std::make_unique<TRealTimeAction>();
    TRealTimeAction second;
    TRealTimeKey key;
    auto button = std::make_unique<TRealTimeButton>();
    key.SetRealTimeAction(first.get());
    key.SetRealTimeAction(first.get());
    button->SetRealTimeAction(first.get());
    EXPECT_EQ(first->LinkedKeyCount(), 1);
    EXPECT_EQ(first->LinkedButton(0), button.get());
    EXPECT_EQ(first->LinkedButton(1), nullptr);
    EXPECT_EQ(first->LinkedButton(-1), nullptr);

    // Moving to another action leaves nothing behind in the first.
    key.SetRealTimeAction(&second);
    EXPECT_EQ(first->LinkedKeyCount(), 0);
    EXPECT_EQ(second.LinkedKey(0), &key);

    button->SetRealTimeAction(&second);
    button->SetRealTimeAction(first.get());
    first->Press(button.get());
    button.reset();
    EXPECT_EQ(first->LinkedButtonCount(), 0);
    EXPECT_EQ(first->SourceButton(), nullptr);
    EXPECT_EQ(second.LinkedButtonCount(), 0);

    key.SetRealTimeAction(first.get());
    first.reset();
    EXPECT_EQ(key.RealTimeAction(), nullptr);
    EXPECT_EQ(
        std::count(TRealTimeAction::Registry().begin(), TRealTimeAction::Registry().end(), &second),
        1);
    EXPECT_EQ(TRealTimeAction::Registry().size(), 1u);
}

TEST(KeyPollingTest, KeysAfterAHandlerAreJudgedOnANewReading) {
    class CountedInput : public FakeInput {
    public:
        HeldKeys AllDown() override {
            ++readings;
            return FakeInput::AllDown();
        }
        int readings = 0;
    } input;
    TRealTimeAction first;
    TRealTimeAction second;
    Events secondEvents;
    Record(second, secondEvents);
    TRealTimeKey firstKey;
    firstKey.SetVirtualKey(P);
    firstKey.SetRealTimeAction(&first);
    TRealTimeKey secondKey;
    secondKey.SetVirtualKey(Q);
    secondKey.SetRealTimeAction(&second);
    // Q is let go while P's command runs an event loop of its own (a menu).
    first.OnDown = [&](QObject*) { input.Hold({P}); };

    input.Hold({P, Q});
    PollRealTimeKeys();
    EXPECT_EQ(secondEvents, Events{});
    // When no handler runs, one reading serves every key.
    input.readings = 0;
    PollRealTimeKeys();
    EXPECT_EQ(input.readings, 1);
}

// A handler may destroy its own action and key (Exit, a window closing with its commands); the
// poll goes on with the keys and actions still alive, none left out.
TEST(KeyPollingTest, AHandlerMayDestroyItsActionAndKeyDuringThePoll) {
    for (const char* during : {"down", "holding", "released", "up", "click"}) {
        FakeInput input;
        auto doomed = std::make_unique<TRealTimeAction>();
        auto doomedKey = std::make_unique<TRealTimeKey>();
        doomedKey->SetVirtualKey(P);
        doomedKey->SetRealTimeAction(doomed.get());
        TRealTimeAction other;
        Events events;
        Record(other, events);
        TRealTimeKey otherKey;
        otherKey.SetVirtualKey(Q);
        otherKey.SetRealTimeAction(&other);

        const auto destroy = [&] {
            doomedKey.reset();
            doomed.reset();
        };
        const auto destroyOnTime = [destroy](QObject*, std::int32_t) { destroy(); };
        const auto destroyOnNotify = [destroy](QObject*) { destroy(); };
        const std::string event = during;
        if (event == "down") {
            doomed->OnDown = destroyOnNotify;
        } else if (event == "holding") {
            doomed->OnHolding = destroyOnTime;
        } else if (event == "released") {
            doomed->OnReleased = destroyOnTime;
        } else if (event == "up") {
            doomed->OnUp = destroyOnNotify;
        } else {
            doomed->OnClick = destroyOnNotify;
        }

        input.Hold({P, Q});
        PollRealTimeKeys();
        input.Hold({});
        PollRealTimeKeys();
        EXPECT_EQ(doomed, nullptr) << during;
        EXPECT_EQ(events, (Events{"down", "holding 0", "released 0", "up", "click"})) << during;
    }
}

} // namespace
