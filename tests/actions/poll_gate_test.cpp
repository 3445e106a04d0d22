#include "actions/key_polling.h"
#include "actions/messages.h"
#include "actions/poll_gate.h"
#include "actions/real_time_action.h"
#include "actions/real_time_key.h"
#include "fake_input.h"
#include "tests/dialogs/modal.h"
#include "tests/support/gui_wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

constexpr std::uint16_t PlayKey = 'P';
constexpr std::uint16_t MinimizeKey = 'M';

// Two commands, Play and Minimize, each with its key, behind a gate.
class PollGateTest : public testing::Test {
protected:
    PollGateTest() {
        playKey.SetVirtualKey(PlayKey);
        playKey.SetRealTimeAction(&play);
        minimizeKey.SetVirtualKey(MinimizeKey);
        minimizeKey.SetRealTimeAction(&minimize);
        play.OnDown = [this](QObject*) { ++playPresses; };
        minimize.OnDown = [this](QObject*) { ++minimizePresses; };
    }

    FakeInput input;
    TRealTimeAction play;
    TRealTimeAction minimize;
    TRealTimeKey playKey;
    TRealTimeKey minimizeKey;
    bool inFront = true;
    TPollGate gate{[this] { return inFront; }, &minimizeKey};
    int playPresses = 0;
    int minimizePresses = 0;
};

TEST_F(PollGateTest, PollsEveryKeyInFrontAndOnlyMinimizeBehindWhenAllowed) {
    struct Case {
        bool inFront;
        bool minimizeWhileInactive;
        int playPresses;
        int minimizePresses;
    };
    const Case cases[] = {
        {true, false, 1, 1},
        {true, true, 1, 1},
        {false, false, 0, 0},
        {false, true, 0, 1},
    };
    for (const Case& c : cases) {
        inFront = c.inFront;
        gate.SetMinimizeWhileInactive(c.minimizeWhileInactive);
        playPresses = minimizePresses = 0;
        input.Hold({PlayKey, MinimizeKey});
        gate.PollGate();
        input.Hold({});
        inFront = true;
        gate.PollGate();
        EXPECT_EQ(playPresses, c.playPresses) << c.inFront << c.minimizeWhileInactive;
        EXPECT_EQ(minimizePresses, c.minimizePresses) << c.inFront << c.minimizeWhileInactive;
    }
}

TEST_F(PollGateTest, BehindTheMinimizeKeyHeldAsAMenuClosedWaitsForItsRelease) {
    inFront = false;
    gate.SetMinimizeWhileInactive(true);
    input.Hold({MinimizeKey});
    SwallowHeldKeys();
    gate.PollGate();
    EXPECT_EQ(minimizePresses, 0);
    input.Hold({});
    gate.PollGate();
    input.Hold({MinimizeKey});
    gate.PollGate();
    EXPECT_EQ(minimizePresses, 1);
}

TEST_F(PollGateTest, InstalledItPollsWheneverTheEventLoopWaits) {
    gate.Install();
    input.Hold({PlayKey});
    EXPECT_TRUE(WaitOnGuiThread([this] { return playPresses == 1; }, 5000));
    gate.Remove();
    input.Hold({});
    WaitOnGuiThread([] { return false; }, 50);
    EXPECT_TRUE(play.Downed());
}

TEST_F(PollGateTest, ACommandThatWakesTheLoopAtEveryPollCannotMakeItPollMoreOften) {
    // Like a repaint of the held command's display: an event posted at every poll.
    QObject repainted;
    int polls = 0;
    play.OnHolding = [&](QObject*, std::int32_t) {
        ++polls;
        QCoreApplication::postEvent(&repainted, new QEvent(QEvent::User));
    };
    // Each round handles what woke the loop and lets it come to rest again.
    const auto runLoop = [] {
        int rounds = 0;
        WaitOnGuiThread([&] { return ++rounds > 20; }, 5000);
    };
    input.tick = 1000;
    input.Hold({PlayKey});
    gate.Install();
    runLoop();
    EXPECT_EQ(polls, 1);
    input.tick += TPollGate::PollIntervalMs - 1;
    runLoop();
    EXPECT_EQ(polls, 1);
    // Once the interval is over it polls again, without anything else waking the loop.
    input.tick += 1;
    EXPECT_TRUE(WaitOnGuiThread([&] { return polls == 2; }, 5000));
    runLoop();
    EXPECT_EQ(polls, 2);
}

TEST_F(PollGateTest, ACommandsOwnEventLoopIsNotPolledFromInside) {
    int minimizePressesInside = -1;
    play.OnDown = [&](QObject*) {
        ++playPresses;
        input.Hold({PlayKey, MinimizeKey});
        gate.PollGate();
        minimizePressesInside = minimizePresses;
    };
    input.Hold({PlayKey});
    gate.PollGate();
    EXPECT_EQ(playPresses, 1);
    EXPECT_EQ(minimizePressesInside, 0);
    // The poll that ran the command goes on with what is held after it.
    EXPECT_EQ(minimizePresses, 1);
}

TEST_F(PollGateTest, AnErrorStopsPollingUntilTheUserGoesOn) {
    play.OnDown = [](QObject*) { throw std::runtime_error("disc gone"); };
    int exits = 0;
    gate.OnFatalExit = [&] { ++exits; };
    for (const auto button : {QMessageBox::Cancel, QMessageBox::Ok}) {
        QString shown;
        WhenModalShown([&](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            ASSERT_NE(box, nullptr);
            shown = box->windowTitle() + "|" + box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            // No polling while the box is open.
            input.Hold({MinimizeKey});
            gate.PollGate();
            box->button(button)->click();
        });
        input.Hold({PlayKey});
        gate.PollGate();
        EXPECT_EQ(shown, "Quavrel 4.00|" +
                             QString(SFatalError).replace("%s", "disc gone").replace('\r', '\n'));
        EXPECT_EQ(minimizePresses, 0);
        input.Hold({});
        gate.PollGate();
    }
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(gate.FatalDialogOpen());
    input.Hold({MinimizeKey});
    gate.PollGate();
    EXPECT_EQ(minimizePresses, 0);
}

TEST_F(PollGateTest, OkWithoutAnExitHandlerEndsTheProgramWithAFailure) {
    play.OnDown = [](QObject*) { throw std::runtime_error("disc gone"); };
    input.Hold({PlayKey});
    // Only the answer ends the event loop here, not the box closing as the last window.
    const bool quitOnLastWindowClosed = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, &gate, [this] {
        WhenModalShown([](QWidget* window) {
            qobject_cast<QMessageBox*>(window)->button(QMessageBox::Ok)->click();
        });
        gate.PollGate();
    });
    // Should the program go on, the test ends the loop with success.
    QTimer giveUp;
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    giveUp.start(5000);
    EXPECT_NE(QCoreApplication::exec(), 0);
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed);
}

TEST(PollGateLifetimeTest, ACommandMayDestroyTheGateAndTheMinimizeKeyMayGoFirst) {
    FakeInput input;
    TRealTimeAction play;
    TRealTimeKey playKey;
    playKey.SetVirtualKey(PlayKey);
    playKey.SetRealTimeAction(&play);
    auto minimizeKey = std::make_unique<TRealTimeKey>();
    minimizeKey->SetVirtualKey(MinimizeKey);
    bool inFront = false;
    auto gate = std::make_unique<TPollGate>([&] { return inFront; }, minimizeKey.get());
    gate->SetMinimizeWhileInactive(true);

    minimizeKey.reset();
    input.Hold({MinimizeKey});
    gate->PollGate();

    // Exit ends the program, the gate with it, in the middle of the poll.
    play.OnDown = [&](QObject*) { gate.reset(); };
    inFront = true;
    input.Hold({PlayKey});
    gate->PollGate();
    EXPECT_EQ(gate, nullptr);
    EXPECT_TRUE(play.Downed());
}

} // namespace

namespace {

// A bound key typed into a file name, a box or a menu belongs to it, not to the program.
TEST_F(PollGateTest, NoKeyFiresWhileADialogBoxOrMenuOfOursIsOpen) {
    QWidget main;
    struct Case {
        const char* name;
        std::function<QWidget*()> open;
    };
    const Case cases[] = {
        {"a dialog opened without waiting",
         [&]() -> QWidget* {
             auto* dialog = new QDialog(&main);
             dialog->open();
             return dialog;
         }},
        {"a message box",
         [&]() -> QWidget* {
             auto* box = new QMessageBox(QMessageBox::Warning, "t", "x", QMessageBox::Ok, &main);
             box->open();
             return box;
         }},
        {"a popup menu",
         [&]() -> QWidget* {
             auto* menu = new QMenu(&main);
             menu->addAction("item");
             menu->popup(QPoint(10, 10));
             return menu;
         }},
    };
    for (const Case& c : cases) {
        playPresses = 0;
        QWidget* window = c.open();
        input.Hold({PlayKey});
        gate.PollGate();
        EXPECT_EQ(playPresses, 0) << c.name;
        input.Hold({});
        window->close();
        delete window;
        input.Hold({PlayKey});
        gate.PollGate();
        EXPECT_EQ(playPresses, 1) << c.name;
        input.Hold({});
        gate.PollGate();
    }
}

TEST(ProgramInFrontTest, ADialogOrAWindowTheMainWindowOwnsKeepsTheKeysToItself) {
    QWidget main;
    main.show();
    QWidget tool(&main, Qt::Tool);
    tool.show();
    QDialog dialog(&main);
    dialog.show();
    // A window of its own, as the playlist: what is typed there is no command.
    QWidget window(&main, Qt::Window);
    window.show();
    const struct {
        QWidget* active;
        bool inFront;
    } cases[] = {{&main, true}, {&tool, true}, {&dialog, false}, {&window, false}};
    for (const auto& c : cases) {
        QApplication::setActiveWindow(c.active);
        EXPECT_EQ(IsProgramInFront(&main), c.inFront) << c.active->metaObject()->className();
    }
    // Disabled, the main window is busy with long work.
    main.setEnabled(false);
    QApplication::setActiveWindow(&main);
    EXPECT_FALSE(IsProgramInFront(&main));
}

} // namespace
