#include "actions/key_names.h"
#include "actions/real_time_hot_key.h"
#include "actions/real_time_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(KeyNamesTest, NamesOfCodes) {
    struct Case {
        std::uint16_t code;
        const char* storage;
        const char* display;
    };
    const Case cases[] = {
        {0, "NONE", "NONE"},
        {1, "VK_LBUTTON", "MOUSE L BUTTON"},
        {2, "VK_RBUTTON", "MOUSE R BUTTON"},
        {3, "VK_CANCEL", "CANCEL"},
        {4, "VK_MBUTTON", "MOUSE M BUTTON"},
        {13, "VK_RETURN", "RETURN"},
        {21, "VK_KANA", "KANA"},
        {22, "NONE", "NONE"},
        {32, "VK_SPACE", "SPACE"},
        {47, "VK_HELP", "HELP"},
        {'5', "VK_5", "5-KEY"},
        {'A', "VK_A", "A-KEY"},
        {'Z', "VK_Z", "Z-KEY"},
        {91, "VK_LWIN", "LWIN"},
        {96, "VK_NUMPAD0", "NUMPAD0"},
        {111, "VK_DIVIDE", "DIVIDE"},
        {116, "VK_F5", "F5"},
        {135, "VK_F24", "F24"},
        {165, "VK_RMENU", "RMENU"},
        {186, "VK_SEMIC", " ;-KEY"},
        {187, "VK_PLUS", " + KEY"},
        {189, "NONE", "NONE"},
        {192, "VK_BACKQUOTE", " ` KEY"},
        {219, "VK_LPARENTHESIS", " [ KEY"},
        {220, "VK_BACKSLASH", "\\ KEY"},
        {221, "VK_RPARENTHESIS", "] KEY"},
        {222, "VK_SQUOTE", "' KEY"},
        {226, "NONE", "NONE"},
        {229, "VK_PROCESSKEY", "PROCESSKEY"},
        {254, "VK_OEM_CLEAR", "OEM_CLEAR"},
        {255, "NONE", "NONE"},
        {1000, "NONE", "NONE"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyStorageName(c.code), c.storage) << c.code;
        EXPECT_EQ(KeyDisplayName(c.code), c.display) << c.code;
    }
}

TEST(KeyNamesTest, EveryNamedCodeReadsBackFromItsStorageName) {
    int named = 0;
    for (std::uint16_t code = 0; code < 256; ++code) {
        const QString name = KeyStorageName(code);
        if (name != "NONE") {
            ++named;
            EXPECT_EQ(KeyFromStorageName(name), code) << name.toStdString();
        }
    }
    EXPECT_EQ(named, 145);
}

TEST(KeyNamesTest, StorageNamesReadBackWhateverTheirCase) {
    EXPECT_EQ(KeyFromStorageName("VK_LWIN"), 91);
    EXPECT_EQ(KeyFromStorageName("VK_Q"), 81);
    EXPECT_EQ(KeyFromStorageName("vk_space"), 32);
    // Only ASCII letters change case: the long s is no S.
    EXPECT_EQ(KeyFromStorageName("vk_ſpace"), 0);
    EXPECT_EQ(KeyFromStorageName("NONE"), 0);
    EXPECT_EQ(KeyFromStorageName(""), 0);
    EXPECT_EQ(KeyFromStorageName("VK_MINUS"), 0);
    // A key without a name is stored as NONE, so its binding comes back unbound.
    EXPECT_EQ(KeyFromStorageName(KeyStorageName(189)), 0);
}

TEST(KeyNamesTest, ShiftTextsBothWays) {
    EXPECT_EQ(ShiftText(0), "");
    EXPECT_EQ(ShiftText(ssShift | ssCtrl), "Shift+Ctrl");
    EXPECT_EQ(ShiftText(ssCtrl | ssAlt), "Ctrl+Alt");
    EXPECT_EQ(ShiftText(ssShift | ssAlt | ssCtrl), "Shift+Ctrl+Alt");
    EXPECT_EQ(ShiftFromText("ctrl+shift"), ssShift | ssCtrl);
    EXPECT_EQ(ShiftFromText("ALT shift"), ssShift | ssAlt);
    EXPECT_EQ(ShiftFromText(""), 0);
    EXPECT_EQ(ShiftFromText("ſhift+ctrl+alt"), ssCtrl | ssAlt);
    EXPECT_EQ(ShortcutText(32, ssShift), "Shift+SPACE");
    EXPECT_EQ(ShortcutText(116, 0), "F5");
    EXPECT_EQ(ShortcutText(0, 0), "NONE");
    EXPECT_EQ(ShortcutText(0, ssShift), "Shift+NONE");
}

void PressKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(&widget, &press);
}

TEST(HotKeyEditorTest, CapturesAnyKeyWithItsModifiers) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
    };
    const Case cases[] = {
        // As X reports it: the modifiers before the key went down.
        {Qt::Key_Shift, Qt::NoModifier, "Shift+NONE"},
        {Qt::Key_Control, Qt::ShiftModifier, "Shift+Ctrl+NONE"},
        {Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, "Shift+Ctrl+A-KEY"},
        {Qt::Key_Exclam, Qt::ShiftModifier, "Shift+1-KEY"},
        {Qt::Key_Tab, Qt::NoModifier, "TAB"},
        {Qt::Key_Return, Qt::NoModifier, "RETURN"},
        {Qt::Key_Escape, Qt::NoModifier, "ESCAPE"},
        {Qt::Key_Space, Qt::AltModifier, "Alt+SPACE"},
    };
    QWidget dialog;
    TVirtualCodeHotKey editor(&dialog);
    QLineEdit next(&dialog);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    editor.setFocus();
    ASSERT_TRUE(editor.hasFocus());
    EXPECT_EQ(editor.size(), QSize(120, 20));
    EXPECT_EQ(editor.text(), "NONE");
    for (const Case& c : cases) {
        PressKey(editor, c.key, c.modifiers);
        EXPECT_EQ(editor.text(), c.text);
        EXPECT_EQ(editor.selectedText(), c.text);
        EXPECT_TRUE(editor.hasFocus()) << c.text;
    }
    // Typed characters are never inserted: each key is a new shortcut.
    QTest::keyClicks(&editor, "xyz");
    EXPECT_EQ(editor.text(), "Z-KEY");
    EXPECT_EQ(editor.VirtualKey(), 'Z');
}

TEST(HotKeyEditorTest, TheQueryMayChangeOrRefuseTheKey) {
    TVirtualCodeHotKey editor;
    editor.SetVirtualKey(116);
    bool accept = false;
    editor.OnChangeQuery = [&](TVirtualCodeHotKey*, std::uint16_t& key, TShiftState, bool& ok) {
        key = key == 'B' ? 'C' : key;
        ok = accept;
    };
    PressKey(editor, Qt::Key_A);
    EXPECT_EQ(editor.text(), "F5");
    accept = true;
    PressKey(editor, Qt::Key_B, Qt::ShiftModifier);
    EXPECT_EQ(editor.text(), "Shift+C-KEY");
}

TEST(HotKeyEditorTest, LoadsFromAndStoresToItsKey) {
    TRealTimeVirtualCodeHotKey editor;
    EXPECT_THROW(editor.LoadFromKey(), EHotKeyNotLinked);
    EXPECT_THROW(editor.StoreToKey(), EHotKeyNotLinked);
    TRealTimeKey key;
    key.SetVirtualKey(32);
    key.SetShiftState(ssCtrl);
    editor.SetRealTimeKey(&key);
    editor.LoadFromKey();
    EXPECT_EQ(editor.text(), "Ctrl+SPACE");
    PressKey(editor, Qt::Key_F5);
    EXPECT_EQ(key.VirtualKey(), 32);
    editor.StoreToKey();
    EXPECT_EQ(key.VirtualKey(), 116);
    EXPECT_EQ(key.ShiftState(), 0);
}

} // namespace
