#include "key_names.h"

#include <QStringList>
#include <array>
#include <initializer_list>

namespace {

const QString None = QStringLiteral("NONE");

struct KeyName {
    QString Storage; // empty: a code without a name
    QString Display;
};

using NameTable = std::array<KeyName, 256>;

// Names of consecutive codes from first on; each displays as its storage name without "VK_".
void NameRun(NameTable& table, int first, std::initializer_list<const char*> storageNames) {
    for (const char* storage : storageNames) {
        const QString name = QString::fromLatin1(storage);
        table[first++] = {name, name.mid(3)};
    }
}

NameTable BuildNames() {
    NameTable table;
    NameRun(table, 1, {"VK_LBUTTON", "VK_RBUTTON", "VK_CANCEL", "VK_MBUTTON"});
    NameRun(table, 8, {"VK_BACK", "VK_TAB"});
    NameRun(table, 12, {"VK_CLEAR", "VK_RETURN"});
    NameRun(table, 16, {"VK_SHIFT", "VK_CONTROL", "VK_MENU", "VK_PAUSE", "VK_CAPITAL", "VK_KANA"});
    NameRun(table, 23, {"VK_JUNJA", "VK_FINAL", "VK_KANJI"});
    NameRun(table, 27, {"VK_ESCAPE", "VK_CONVERT", "VK_NONCONVERT", "VK_ACCEPT", "VK_MODECHANGE",
                        "VK_SPACE",  "VK_PRIOR",   "VK_NEXT",       "VK_END",    "VK_HOME",
                        "VK_LEFT",   "VK_UP",      "VK_RIGHT",      "VK_DOWN",   "VK_SELECT",
                        "VK_PRINT",  "VK_EXECUTE", "VK_SNAPSHOT",   "VK_INSERT", "VK_DELETE",
                        "VK_HELP"});
    NameRun(table, 91, {"VK_LWIN", "VK_RWIN", "VK_APPS"});
    NameRun(table, 106,
            {"VK_MULTIPLY", "VK_ADD", "VK_SEPARATOR", "VK_SUBTRACT", "VK_DECIMAL", "VK_DIVIDE"});
    NameRun(table, 144, {"VK_NUMLOCK", "VK_SCROLL"});
    NameRun(table, 160,
            {"VK_LSHIFT", "VK_RSHIFT", "VK_LCONTROL", "VK_RCONTROL", "VK_LMENU", "VK_RMENU"});
    NameRun(table, 229, {"VK_PROCESSKEY"});
    NameRun(table, 246,
            {"VK_ATTN", "VK_CRSEL", "VK_EXSEL", "VK_EREOF", "VK_PLAY", "VK_ZOOM", "VK_NONAME",
             "VK_PA1", "VK_OEM_CLEAR"});
    for (int i = 0; i < 10; ++i) {
        table[96 + i] = {QStringLiteral("VK_NUMPAD%1").arg(i), QStringLiteral("NUMPAD%1").arg(i)};
    }
    for (int i = 1; i <= 24; ++i) {
        table[111 + i] = {QStringLiteral("VK_F%1").arg(i), QStringLiteral("F%1").arg(i)};
    }
    for (const QChar c : QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
        table[c.unicode()] = {QStringLiteral("VK_") + c, c + QStringLiteral("-KEY")};
    }
    table[1].Display = QStringLiteral("MOUSE L BUTTON");
    table[2].Display = QStringLiteral("MOUSE R BUTTON");
    table[4].Display = QStringLiteral("MOUSE M BUTTON");
    // The punctuation keys by their place on the keyboard; the blanks are part of the names.
    table[186] = {QStringLiteral("VK_SEMIC"), QStringLiteral(" ;-KEY")};
    table[187] = {QStringLiteral("VK_PLUS"), QStringLiteral(" + KEY")};
    table[188] = {QStringLiteral("VK_COMMA"), QStringLiteral(" , KEY")};
    table[190] = {QStringLiteral("VK_PERIOD"), QStringLiteral(" . KEY")};
    table[191] = {QStringLiteral("VK_SLASH"), QStringLiteral(" / KEY")};
    table[192] = {QStringLiteral("VK_BACKQUOTE"), QStringLiteral(" ` KEY")};
    table[219] = {QStringLiteral("VK_LPARENTHESIS"), QStringLiteral(" [ KEY")};
    table[220] = {QStringLiteral("VK_BACKSLASH"), QStringLiteral("\\ KEY")};
    table[221] = {QStringLiteral("VK_RPARENTHESIS"), QStringLiteral("] KEY")};
    table[222] = {QStringLiteral("VK_SQUOTE"), QStringLiteral("' KEY")};
    return table;
}

const NameTable& Names() {
    static const NameTable table = BuildNames();
    return table;
}

// Only a to z: the names are ASCII, and full Unicode upper-casing would let other letters stand
// for them (the long s for S, the dotless i for I).
QString AsciiUpper(QString text) {
    for (QChar& c : text) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - u'a' + u'A');
        }
    }
    return text;
}

const KeyName* Named(std::uint16_t virtualKey) {
    if (virtualKey >= Names().size() || Names()[virtualKey].Storage.isEmpty()) {
        return nullptr;
    }
    return &Names()[virtualKey];
}

} // namespace

QString KeyStorageName(std::uint16_t virtualKey) {
    const KeyName* name = Named(virtualKey);
    return name != nullptr ? name->Storage : None;
}

std::uint16_t KeyFromStorageName(const QString& text) {
    const QString wanted = AsciiUpper(text);
    for (std::size_t code = 0; code < Names().size(); ++code) {
        if (!Names()[code].Storage.isEmpty() && Names()[code].Storage == wanted) {
            return static_cast<std::uint16_t>(code);
        }
    }
    return 0;
}

QString KeyDisplayName(std::uint16_t virtualKey) {
    const KeyName* name = Named(virtualKey);
    return name != nullptr ? name->Display : None;
}

QString ShiftText(TShiftState shift) {
    QStringList words;
    if ((shift & ssShift) != 0) {
        words << QStringLiteral("Shift");
    }
    if ((shift & ssCtrl) != 0) {
        words << QStringLiteral("Ctrl");
    }
    if ((shift & ssAlt) != 0) {
        words << QStringLiteral("Alt");
    }
    return words.join('+');
}

TShiftState ShiftFromText(const QString& text) {
    const QString upper = AsciiUpper(text);
    TShiftState shift = 0;
    if (upper.contains(QStringLiteral("SHIFT"))) {
        shift |= ssShift;
    }
    if (upper.contains(QStringLiteral("CTRL"))) {
        shift |= ssCtrl;
    }
    if (upper.contains(QStringLiteral("ALT"))) {
        shift |= ssAlt;
    }
    return shift;
}

QString ShortcutText(std::uint16_t virtualKey, TShiftState shift) {
    const QString shiftText = ShiftText(shift);
    const QString keyName = KeyDisplayName(virtualKey);
    return shiftText.isEmpty() ? keyName : shiftText + '+' + keyName;
}
