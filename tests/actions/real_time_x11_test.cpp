#include "actions/event_module.h"
#include "actions/poll_gate.h"
#include "actions/real_time_action.h"
#include "actions/real_time_key.h"
#include "platform/key_state.h"
#include "tests/support/gui_wait.h"
#include "tests/support/x11_test.h"

#include <QApplication>
#include <QProcess>
#include <QWidget>
#include <string>
#include <vector>

namespace {

constexpr int WaitMs = 5000;
constexpr int HoldMs = 200;

// The event module's Play on P and Minimize on M, polled by the idle gate of a main window,
// through the X server's own key state.
class RealTimeKeysOnX11Test : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        SetKeyStateSource(nullptr);
        module.rkPlay->SetVirtualKey('P');
        module.rkMinimize->SetVirtualKey('M');
        Record(module.rePlay, play);
        Record(module.reMinimize, minimize);
        mainWindow.resize(200, 100);
        ShowAndWait(&mainWindow);
        mainWindow.activateWindow();
        ASSERT_TRUE(WaitOnGuiThread([this] { return QApplication::activeWindow() == &mainWindow; },
                                    WaitMs));
        gate.Install();
    }

    static void Record(TRealTimeAction* action, std::vector<std::string>& events) {
        action->OnDown = [&events](QObject*) { events.push_back("down"); };
        action->OnHolding = [&events](QObject*, std::int32_t ms) {
            events.push_back("holding " + std::to_string(ms));
        };
        action->OnReleased = [&events](QObject*, std::int32_t) { events.push_back("released"); };
        action->OnUp = [&events](QObject*) { events.push_back("up"); };
        action->OnClick = [&events](QObject*) { events.push_back("click"); };
    }

    // Holds key for a while (once its action is down, when it should get down), then lets it
    // go.
    void HoldAWhile(const QString& key, const TRealTimeAction* action, bool reaches) {
        PressKey(key);
        if (reaches) {
            ASSERT_TRUE(WaitOnGuiThread([&] { return action->Downed(); }, WaitMs));
        }
        WaitOnGuiThread([] { return false; }, HoldMs);
        ReleaseKey(key);
        EXPECT_TRUE(WaitOnGuiThread([&] { return !action->Downed(); }, WaitMs));
    }

    TEventModule module;
    QWidget mainWindow;
    TPollGate gate{[this] { return IsProgramInFront(&mainWindow); }, module.rkMinimize};
    std::vector<std::string> play;
    std::vector<std::string> minimize;
};

TEST_F(RealTimeKeysOnX11Test, AKeyHeldInFrontPressesHoldsAndClicksItsAction) {
    HoldAWhile("p", module.rePlay, true);
    ASSERT_GE(play.size(), 5u);
    EXPECT_EQ(play.front(), "down");
    EXPECT_EQ(std::vector<std::string>(play.end() - 3, play.end()),
              (std::vector<std::string>{"released", "up", "click"}));
    int last = -1;
    for (auto event = play.begin() + 1; event != play.end() - 3; ++event) {
        ASSERT_EQ(event->rfind("holding ", 0), 0u) << *event;
        const int ms = std::stoi(event->substr(8));
        EXPECT_GE(ms, last);
        last = ms;
    }
    EXPECT_GE(last, HoldMs);
    EXPECT_TRUE(minimize.empty());
}

TEST_F(RealTimeKeysOnX11Test, BehindAnotherProgramOnlyTheMinimizeKeyWorksAndOnlyWhenAllowed) {
    QProcess other;
    other.start("xmessage", {"-center", "another program"});
    const QStringList ids =
        SearchWindows({"--onlyvisible", "--class", "Xmessage"}, WindowSearch::UntilFound);
    ASSERT_FALSE(ids.isEmpty());
    RunX11Tool("xdotool", {"windowactivate", "--sync", ids.first()});
    ASSERT_TRUE(WaitOnGuiThread([] { return QApplication::activeWindow() == nullptr; }, WaitMs));

    for (const bool allowed : {false, true}) {
        gate.SetMinimizeWhileInactive(allowed);
        minimize.clear();
        HoldAWhile("m", module.reMinimize, allowed);
        HoldAWhile("p", module.rePlay, false);
        EXPECT_EQ(!minimize.empty() && minimize.back() == "click", allowed) << allowed;
        EXPECT_TRUE(play.empty());
    }
    other.kill();
    other.waitForFinished();
}

} // namespace
