#include "virtual_keys.h"

#include <QtCore/qnamespace.h>
#include <X11/keysym.h>
#include <array>

namespace {

// Which keypad keys a row matches in Qt key events.
enum class Pad : std::uint8_t {
    Main, // the key outside the keypad (or the only one)
    Keypad,
    Either,
};

struct KeyRow {
    std::uint16_t virtualKey;
    unsigned long keysym; // 0: not found by keysym (a Qt-only spelling of the key)
    int qtKey;            // 0: no Qt key event names it
    Pad pad;
};

constexpr KeyRow Row(std::uint16_t virtualKey, unsigned long keysym, int qtKey,
                     Pad pad = Pad::Main) {
    return {virtualKey, keysym, qtKey, pad};
}

// Generated runs: digits, letters, keypad digits and function keys.
constexpr std::size_t RunRows = 10 + 26 + 10 + 24;

constexpr std::array<KeyRow, RunRows> RunTable() {
    std::array<KeyRow, RunRows> rows{};
    std::size_t at = 0;
    for (int i = 0; i < 10; ++i) {
        rows[at++] = Row(static_cast<std::uint16_t>('0' + i), XK_0 + i, Qt::Key_0 + i);
    }
    for (int i = 0; i < 26; ++i) {
        rows[at++] = Row(static_cast<std::uint16_t>('A' + i), XK_a + i, Qt::Key_A + i);
    }
    for (int i = 0; i < 10; ++i) {
        rows[at++] =
            Row(static_cast<std::uint16_t>(96 + i), XK_KP_0 + i, Qt::Key_0 + i, Pad::Keypad);
    }
    for (int i = 0; i < 24; ++i) {
        rows[at++] = Row(static_cast<std::uint16_t>(112 + i), XK_F1 + i, Qt::Key_F1 + i);
    }
    return rows;
}

constexpr std::array<KeyRow, RunRows> Runs = RunTable();

// Every other key, in virtual-key order. Navigation keys on the keypad (Num Lock off) come
// as their main keys, as under Windows; by keysym only the main keys count, so that keypad
// digits never also hold an arrow key.
constexpr KeyRow Singles[] = {
    Row(8, XK_BackSpace, Qt::Key_Backspace),
    Row(9, XK_Tab, Qt::Key_Tab),
    Row(9, XK_ISO_Left_Tab, Qt::Key_Backtab),
    Row(12, XK_Clear, Qt::Key_Clear, Pad::Either),
    Row(13, XK_Return, Qt::Key_Return),
    Row(13, XK_KP_Enter, Qt::Key_Enter, Pad::Either),
    Row(16, XK_Shift_L, Qt::Key_Shift),
    Row(16, XK_Shift_R, 0),
    Row(17, XK_Control_L, Qt::Key_Control),
    Row(17, XK_Control_R, 0),
    Row(18, XK_Alt_L, Qt::Key_Alt),
    Row(18, XK_Alt_R, 0),
    Row(19, XK_Pause, Qt::Key_Pause),
    Row(20, XK_Caps_Lock, Qt::Key_CapsLock),
    Row(21, XK_Hiragana_Katakana, Qt::Key_Hiragana_Katakana),
    Row(25, XK_Kanji, Qt::Key_Kanji),
    Row(27, XK_Escape, Qt::Key_Escape),
    Row(28, XK_Henkan, Qt::Key_Henkan),
    Row(29, XK_Muhenkan, Qt::Key_Muhenkan),
    Row(32, XK_space, Qt::Key_Space),
    Row(33, XK_Prior, Qt::Key_PageUp, Pad::Either),
    Row(34, XK_Next, Qt::Key_PageDown, Pad::Either),
    Row(35, XK_End, Qt::Key_End, Pad::Either),
    Row(36, XK_Home, Qt::Key_Home, Pad::Either),
    Row(37, XK_Left, Qt::Key_Left, Pad::Either),
    Row(38, XK_Up, Qt::Key_Up, Pad::Either),
    Row(39, XK_Right, Qt::Key_Right, Pad::Either),
    Row(40, XK_Down, Qt::Key_Down, Pad::Either),
    Row(41, XK_Select, Qt::Key_Select),
    Row(43, XK_Execute, Qt::Key_Execute),
    Row(44, XK_Print, Qt::Key_Print),
    Row(45, XK_Insert, Qt::Key_Insert, Pad::Either),
    Row(46, XK_Delete, Qt::Key_Delete, Pad::Either),
    Row(47, XK_Help, Qt::Key_Help),
    // Shifted digits on a US layout.
    Row(48, 0, Qt::Key_ParenRight),
    Row(49, 0, Qt::Key_Exclam),
    Row(50, 0, Qt::Key_At),
    Row(51, 0, Qt::Key_NumberSign),
    Row(52, 0, Qt::Key_Dollar),
    Row(53, 0, Qt::Key_Percent),
    Row(54, 0, Qt::Key_AsciiCircum),
    Row(55, 0, Qt::Key_Ampersand),
    Row(56, 0, Qt::Key_Asterisk),
    Row(57, 0, Qt::Key_ParenLeft),
    Row(91, XK_Super_L, Qt::Key_Super_L),
    Row(92, XK_Super_R, Qt::Key_Super_R),
    Row(93, XK_Menu, Qt::Key_Menu),
    Row(106, XK_KP_Multiply, Qt::Key_Asterisk, Pad::Keypad),
    Row(107, XK_KP_Add, Qt::Key_Plus, Pad::Keypad),
    Row(108, XK_KP_Separator, Qt::Key_Comma, Pad::Keypad),
    Row(109, XK_KP_Subtract, Qt::Key_Minus, Pad::Keypad),
    Row(110, XK_KP_Decimal, Qt::Key_Period, Pad::Keypad),
    Row(111, XK_KP_Divide, Qt::Key_Slash, Pad::Keypad),
    Row(144, XK_Num_Lock, Qt::Key_NumLock),
    Row(145, XK_Scroll_Lock, Qt::Key_ScrollLock),
    Row(160, XK_Shift_L, 0),
    Row(161, XK_Shift_R, 0),
    Row(162, XK_Control_L, 0),
    Row(163, XK_Control_R, 0),
    Row(164, XK_Alt_L, 0),
    Row(165, XK_Alt_R, 0),
    Row(165, XK_ISO_Level3_Shift, Qt::Key_AltGr),
    // Punctuation by the position of the key on a US layout, with its shifted spelling.
    Row(186, XK_semicolon, Qt::Key_Semicolon),
    Row(186, 0, Qt::Key_Colon),
    Row(187, XK_equal, Qt::Key_Equal),
    Row(187, 0, Qt::Key_Plus),
    Row(188, XK_comma, Qt::Key_Comma),
    Row(188, 0, Qt::Key_Less),
    Row(189, XK_minus, Qt::Key_Minus),
    Row(189, 0, Qt::Key_Underscore),
    Row(190, XK_period, Qt::Key_Period),
    Row(190, 0, Qt::Key_Greater),
    Row(191, XK_slash, Qt::Key_Slash),
    Row(191, 0, Qt::Key_Question),
    Row(192, XK_grave, Qt::Key_QuoteLeft),
    Row(192, 0, Qt::Key_AsciiTilde),
    Row(219, XK_bracketleft, Qt::Key_BracketLeft),
    Row(219, 0, Qt::Key_BraceLeft),
    Row(220, XK_backslash, Qt::Key_Backslash),
    Row(220, 0, Qt::Key_Bar),
    Row(221, XK_bracketright, Qt::Key_BracketRight),
    Row(221, 0, Qt::Key_BraceRight),
    Row(222, XK_apostrophe, Qt::Key_Apostrophe),
    Row(222, 0, Qt::Key_QuoteDbl),
};

template <typename Visit> void ForEachRow(Visit visit) {
    for (const KeyRow& row : Runs) {
        visit(row);
    }
    for (const KeyRow& row : Singles) {
        visit(row);
    }
}

bool PadMatches(Pad pad, bool keypad) {
    return pad == Pad::Either || (pad == Pad::Keypad) == keypad;
}

} // namespace

std::vector<unsigned long> KeysymsOfVirtualKey(std::uint16_t virtualKey) {
    std::vector<unsigned long> keysyms;
    ForEachRow([&](const KeyRow& row) {
        if (row.virtualKey == virtualKey && row.keysym != 0) {
            keysyms.push_back(row.keysym);
        }
    });
    return keysyms;
}

std::uint16_t VirtualKeyFromQtKey(int qtKey, bool keypad) {
    std::uint16_t found = 0;
    ForEachRow([&](const KeyRow& row) {
        if (found == 0 && row.qtKey == qtKey && PadMatches(row.pad, keypad)) {
            found = row.virtualKey;
        }
    });
    return found;
}
