#include "actions/event_module.h"
#include "actions/messages.h"
#include "actions/real_time_action.h"
#include "actions/real_time_key.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(EventModuleTest, HoldsEveryCommandWithItsCodeAndKeyInOrder) {
    struct Row {
        const char* functionName;
        int tag;
        bool keyed;
    };
    const Row rows[] = {
        {"PrevTrack", 1, true},
        {"Back", 2, true},
        {"Stop", 3, true},
        {"Pause", 4, true},
        {"Play", 5, true},
        {"Step", 6, true},
        {"NextTrack", 7, true},
        {"Eject", 8, true},
        {"RepStartBack", 11, true},
        {"RepStartSet", 12, true},
        {"RepStartStep", 13, true},
        {"RepEndBack", 21, true},
        {"RepEndSet", 22, true},
        {"RepEndStep", 23, true},
        {"RepeatPlaySwitch", 31, true},
        {"AutoRec", 32, true},
        {"Rec", 33, true},
        {"JumpToStartTime", 34, true},
        {"HistoryBack", 35, true},
        {"WaveSlow", 41, true},
        {"WaveFast", 42, true},
        {"ExecSpeedChange", 43, true},
        {"RestoreSpeedChange", 44, true},
        {"Trash", 51, true},
        {"Select", 52, true},
        {"EjectCassette", 53, true},
        {"Minimize", 61, true},
        {"Exit", 62, true},
        {"Config", 63, true},
        {"ShowHomepage", 70, false},
        {"ShowVornic", 71, false},
        {"SpeedReset", 81, true},
        {"TransposeUp", 82, true},
        {"TransposeDown", 83, true},
        {"CentsUp", 84, true},
        {"CentsDown", 85, true},
        {"SpeedTrainer", 86, true},
    };
    TEventModule module;
    EXPECT_EQ(module.objectName(), "EventModule");
    ASSERT_EQ(module.Commands().size(), std::size(rows));
    ASSERT_EQ(TRealTimeAction::Registry().size(), std::size(rows));
    std::size_t keyIndex = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const TEventCommand& command = module.Commands()[i];
        SCOPED_TRACE(row.functionName);
        EXPECT_EQ(command.FunctionName, row.functionName);
        EXPECT_EQ(command.Action, TRealTimeAction::Registry()[i]);
        EXPECT_EQ(command.Action->objectName(), QString("re") + row.functionName);
        EXPECT_EQ(command.Action->Tag(), row.tag);
        EXPECT_EQ(command.Action->ToggleType(), row.tag == 31);
        EXPECT_EQ(command.Action->LinkedKeyCount(), row.keyed ? 1 : 0);
        // Every command but the two that open web pages explains itself.
        EXPECT_EQ(command.Hint != nullptr, row.tag != 70 && row.tag != 71);
        if (row.keyed) {
            ASSERT_NE(command.Key, nullptr);
            EXPECT_EQ(command.Key, TRealTimeKey::Registry()[keyIndex++]);
            EXPECT_EQ(command.Key->objectName(), QString("rk") + row.functionName);
            EXPECT_EQ(command.Key->RealTimeAction(), command.Action);
            EXPECT_EQ(command.Key->VirtualKey(), 0);
        }
    }
    EXPECT_EQ(keyIndex, 35u);
    EXPECT_EQ(module.Commands()[4].Hint, &RHINT_PLAY);
    EXPECT_EQ(module.rkMinimize->RealTimeAction(), module.reMinimize);
    EXPECT_EQ(module.Timer1->interval(), 64);
    EXPECT_FALSE(module.Timer1->isActive());
}

} // namespace
