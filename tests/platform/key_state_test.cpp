#include "platform/event_key_state.h"
#include "platform/key_state.h"
#include "platform/virtual_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

TEST(VirtualKeysTest, QtKeysMapToTheKeyThatCarriesThem) {
    struct Case {
        int qtKey;
        bool keypad;
        std::uint16_t virtualKey;
    };
    const Case cases[] = {
        {Qt::Key_A, false, 'A'},
        {Qt::Key_7, false, '7'},
        {Qt::Key_Exclam, false, '1'},
        {Qt::Key_ParenRight, false, '0'},
        {Qt::Key_Asterisk, false, '8'},
        {Qt::Key_Asterisk, true, 106},
        {Qt::Key_0, true, 96},
        {Qt::Key_Plus, false, 187},
        {Qt::Key_Plus, true, 107},
        {Qt::Key_Return, false, VkReturn},
        {Qt::Key_Enter, true, VkReturn},
        {Qt::Key_Left, true, 37},
        {Qt::Key_Colon, false, 186},
        {Qt::Key_BraceRight, false, 221},
        {Qt::Key_Escape, false, VkEscape},
        {Qt::Key_Shift, false, VkShift},
        {Qt::Key_F24, false, 135},
        {Qt::Key_VolumeUp, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromQtKey(c.qtKey, c.keypad), c.virtualKey) << std::hex << c.qtKey;
    }
}

TEST(VirtualKeysTest, VirtualKeysAreFoundByTheKeysymsOfTheirKeys) {
    using Keysyms = std::vector<unsigned long>;
    EXPECT_EQ(KeysymsOfVirtualKey(VkShift), (Keysyms{XK_Shift_L, XK_Shift_R}));
    EXPECT_EQ(KeysymsOfVirtualKey(VkReturn), (Keysyms{XK_Return, XK_KP_Enter}));
    EXPECT_EQ(KeysymsOfVirtualKey('1'), Keysyms{XK_1});
    EXPECT_EQ(KeysymsOfVirtualKey('Q'), Keysyms{XK_q});
    EXPECT_EQ(KeysymsOfVirtualKey(37), Keysyms{XK_Left});
    EXPECT_EQ(KeysymsOfVirtualKey(100), Keysyms{XK_KP_4});
    EXPECT_EQ(KeysymsOfVirtualKey(186), Keysyms{XK_semicolon});
    EXPECT_TRUE(KeysymsOfVirtualKey(VkLButton).empty());
    EXPECT_TRUE(KeysymsOfVirtualKey(0).empty());
}

void SendKey(QObject* target, QEvent::Type type, int qtKey, bool autoRepeat = false) {
    QKeyEvent event(type, qtKey, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(target, &event);
}

TEST(EventKeyStateTest, KeepsWhatThisProgramsKeyEventsSaid) {
    EventKeyState keys;
    QWidget window;
    SendKey(&window, QEvent::KeyPress, Qt::Key_Exclam);
    SendKey(&window, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_TRUE(keys.IsDown('1'));
    EXPECT_TRUE(keys.IsDown(VkReturn));
    EXPECT_FALSE(keys.IsDown(VkEscape));
    SendKey(&window, QEvent::KeyRelease, Qt::Key_1);
    EXPECT_FALSE(keys.IsDown('1'));
    EXPECT_TRUE(keys.IsDown(VkReturn));
    EXPECT_FALSE(keys.IsDown(VkLButton));
}

TEST(EventKeyStateTest, ForgetsHeldKeysWhenTheProgramLosesTheFocus) {
    EventKeyState keys;
    QWidget window;
    SendKey(&window, QEvent::KeyPress, Qt::Key_Space);
    ASSERT_TRUE(keys.IsDown(32));
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &inactive);
    EXPECT_FALSE(keys.IsDown(32));
}

class FixedKeys : public KeyStateSource {
public:
    bool IsDown(std::uint16_t virtualKey) override { return virtualKey == 'Z'; }
};

TEST(KeyStateTest, AnInstalledSourceAnswersInsteadOfTheSystem) {
    FixedKeys fixed;
    SetKeyStateSource(&fixed);
    EXPECT_TRUE(CurrentKeyState().IsDown('Z'));
    SetKeyStateSource(nullptr);
    EXPECT_NE(&CurrentKeyState(), &fixed);
    EXPECT_FALSE(CurrentKeyState().IsDown('Z'));
}

} // namespace
