#pragma once

#include "platform/key_state.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <set>

class QWidget;

// Base of tests that need a real X display with a window manager; scripts/test.sh runs them
// on its private Xvfb. Anywhere else they skip.
class X11Test : public testing::Test {
protected:
    void SetUp() override;
    // A button or key pressed through these is released at the end of the test whatever
    // happens, so a failing test leaves nothing held for the next one on the same display.
    void PressMouseButton(int button);
    void ReleaseMouseButton(int button);
    // key: an xdotool key name ("p", "shift", "Return").
    void PressKey(const QString& key);
    void ReleaseKey(const QString& key);
    // Switches the keyboard layout ("fr", "us"); the one in force before the test comes back at
    // its end.
    void SetKeyboardLayout(const QString& layout);
    // Holds key down until a poll of the key state sees `expected` held (or a deadline passes),
    // then lets it go and waits until nothing is held; returns what the last poll saw.
    HeldKeys PollWhilePressed(const QString& key, const HeldKeys& expected);
    void TearDown() override;

private:
    std::set<int> heldButtons;
    std::set<QString> heldKeys;
    QString layoutBefore;
};

// Runs an X tool (xdotool, xprop, ...) to its end while the GUI goes on handling events, and
// returns what it printed. A tool that fails or hangs fails the test.
QString RunX11Tool(const QString& program, const QStringList& arguments);
enum class WindowSearch {
    // The windows that match now, perhaps none.
    Now,
    // Waits until at least one window matches.
    UntilFound,
};
// The ids of the windows that match xdotool search criteria ("--onlyvisible", "--name", "^Q"),
// in the order xdotool lists them.
QStringList SearchWindows(const QStringList& criteria, WindowSearch search);
// Shows the window and waits until the window manager has mapped it.
void ShowAndWait(QWidget* window);
// The whole screen as the display shows it now.
QImage GrabScreen();
