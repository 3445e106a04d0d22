#pragma once

#include "actions/key_polling.h"
#include "actions/real_time_action.h"
#include "actions/real_time_key.h"
#include "fake_input.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>

// An action with one key bound to it, counting how often the key polling pressed it.
class BoundKey {
public:
    explicit BoundKey(std::uint16_t virtualKey, TShiftState shift = 0) {
        key.SetVirtualKey(virtualKey);
        key.SetShiftState(shift);
        key.SetRealTimeAction(&action);
        action.OnDown = [this](QObject*) {
            ++presses;
            if (OnPress) {
                OnPress();
            }
        };
    }

    // The action goes last: the key leaves it on its way out.
    TRealTimeAction action;
    TRealTimeKey key;
    int presses = 0;
    std::function<void()> OnPress;
};

// What the key polling does after a menu or dialog closed while input holds bound's key: the
// binding fires nothing while the key stays held, and fires once it was let go and pressed
// again.
inline void ExpectSwallowedUntilPressedAgain(FakeInput& input, BoundKey& bound) {
    const std::uint16_t virtualKey = bound.key.VirtualKey();
    ASSERT_TRUE(input.IsDown(virtualKey));
    PollRealTimeKeys();
    EXPECT_EQ(bound.presses, 0);
    input.Hold({});
    PollRealTimeKeys();
    input.Hold({virtualKey});
    PollRealTimeKeys();
    EXPECT_EQ(bound.presses, 1);
}
