#include "actions/virtual_code_hot_key.h"
#include "platform/key_state.h"
#include "tests/support/gui_wait.h"
#include "tests/support/x11_test.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr int WaitMs = 5000;

// A shortcut editor in a window of its own, on a French keyboard: its digit row gives "&",
// "é", ... unshifted, the digits only with Shift.
class HotKeyOnX11Test : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        SetKeyStateSource(nullptr);
        SetKeyboardLayout("fr");
        editor.OnChangeQuery = [this](TVirtualCodeHotKey*, std::uint16_t&, TShiftState, bool&) {
            ++captures;
        };
        ShowAndWait(&window);
        window.activateWindow();
        ASSERT_TRUE(
            WaitOnGuiThread([this] { return QApplication::activeWindow() == &window; }, WaitMs));
        editor.setFocus();
    }

    // The key the editor captures when key (an xdotool key name) is typed in it.
    std::uint16_t Captured(const QString& key) {
        const int before = captures;
        RunX11Tool("xdotool", {"key", key});
        EXPECT_TRUE(WaitOnGuiThread([&] { return captures > before; }, WaitMs))
            << key.toStdString();
        return editor.VirtualKey();
    }

    QWidget window;
    TVirtualCodeHotKey editor{&window};
    int captures = 0;
};

TEST_F(HotKeyOnX11Test, TheEditorCapturesTheKeyThatPollsSeeHeld) {
    struct Case {
        const char* key;
        std::uint16_t virtualKey;
    };
    const Case cases[] = {
        {"ampersand", '1'}, // by position: the 1 key
        {"eacute", '2'},
        {"KP_Up", 104},   // keypad 8 with Num Lock off: NUMPAD8, not the arrow key
        {"KP_Begin", 101} // keypad 5: NUMPAD5
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Captured(c.key), c.virtualKey) << c.key;
        HeldKeys expected;
        expected.set(c.virtualKey);
        EXPECT_EQ(PollWhilePressed(c.key, expected), expected) << c.key;
    }
}

} // namespace
