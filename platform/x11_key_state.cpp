// The only file that includes Xlib: its macros (KeyPress, Bool, None, ...) clash with Qt names.
#include "x11_key_state.h"

#include "virtual_keys.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <array>
#include <unordered_map>

namespace {

// For every X key code, the virtual keys it holds down.
constexpr std::size_t KeycodeCount = 256;
using KeycodeTable = std::array<HeldKeys, KeycodeCount>;

// Asks the server for its keyboard mapping as it is now: Xlib's own copy, behind
// XKeysymToKeycode, is never brought up to date because Qt reads the connection's events.
KeycodeTable BuildKeycodeTable(Display* display) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKeycode = 0;
    KeySym* mapping =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    KeycodeTable keysOfKeycode{};
    if (mapping == nullptr) {
        return keysOfKeycode;
    }
    // A keysym counts on the key where XKeysymToKeycode finds it: the first column that has it,
    // and there the lowest key code.
    std::unordered_map<KeySym, KeyCode> keycodeOfKeysym;
    for (int column = 0; column < perKeycode; ++column) {
        for (int code = first; code <= last; ++code) {
            const KeySym keysym = mapping[(code - first) * perKeycode + column];
            if (keysym != NoSymbol) {
                keycodeOfKeysym.try_emplace(keysym, static_cast<KeyCode>(code));
            }
        }
    }
    XFree(mapping);
    for (std::uint16_t virtualKey = 1; virtualKey < HeldKeys().size(); ++virtualKey) {
        for (const unsigned long keysym : KeysymsOfVirtualKey(virtualKey)) {
            if (const auto found = keycodeOfKeysym.find(keysym); found != keycodeOfKeysym.end()) {
                keysOfKeycode[found->second].set(virtualKey);
            }
        }
    }
    return keysOfKeycode;
}

// Qt's own X connection; nullptr when Qt does not run on X11.
Display* QtDisplay() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

// The key-code table of the application's display, one for the process so that the shortcut
// editor names a key as the polls see it. Building it searches the whole keyboard mapping, too
// slow for every poll, so it is kept until the server announces a new mapping (another layout,
// xmodmap): then bound keys must follow the keys that now carry them. Lives as long as the
// application, whose event dispatcher hands it the connection's events.
class KeycodeTableCache final : public QObject, public QAbstractNativeEventFilter {
public:
    explicit KeycodeTableCache(Display* display) : QObject(qGuiApp), display(display) {
        int opcode = 0;
        int firstError = 0;
        if (XQueryExtension(display, "XKEYBOARD", &opcode, &xkbFirstEvent, &firstError) == False) {
            xkbFirstEvent = -1;
        } else {
            // Qt selects these for itself; selected here too, so the table does not rely on it.
            XkbSelectEventDetails(display, XkbUseCoreKbd, XkbMapNotify, XkbKeySymsMask,
                                  XkbKeySymsMask);
            XkbSelectEventDetails(display, XkbUseCoreKbd, XkbNewKeyboardNotify, XkbNKN_KeycodesMask,
                                  XkbNKN_KeycodesMask);
        }
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    const KeycodeTable& Table() {
        if (stale) {
            table = BuildKeycodeTable(display);
            stale = false;
        }
        return table;
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const std::uint8_t*>(message);
        const int type = event[0] & 0x7F;
        // Core mapping events carry the request in their fifth byte, XKB events their kind in
        // the second.
        if ((type == MappingNotify && event[4] == MappingKeyboard) ||
            (type == xkbFirstEvent &&
             (event[1] == XkbMapNotify || event[1] == XkbNewKeyboardNotify))) {
            stale = true;
        }
        return false;
    }

private:
    Display* display;
    int xkbFirstEvent = -1;
    bool stale = true;
    KeycodeTable table{};
};

const KeycodeTable& SharedKeycodeTable(Display* display) {
    static QPointer<KeycodeTableCache> cache;
    if (cache == nullptr) {
        cache = new KeycodeTableCache(display);
    }
    return cache->Table();
}

class X11KeyState final : public KeyStateSource {
public:
    explicit X11KeyState(Display* display) : display(display) {
        // Without it a held key reports a release and a press at every auto-repeat.
        XkbSetDetectableAutoRepeat(display, True, nullptr);
    }

    bool IsDown(std::uint16_t virtualKey) override {
        if (IsMouseButton(virtualKey)) {
            return IsMouseButtonDown(virtualKey);
        }
        return virtualKey < HeldKeys().size() && KeysDown().test(virtualKey);
    }

    HeldKeys AllDown() override { return KeysDown() | MouseButtonsDown(); }

private:
    // One request to the server: the bit of every key code held.
    HeldKeys KeysDown() {
        char keymap[32] = {};
        XQueryKeymap(display, keymap);
        const KeycodeTable& keysOfKeycode = SharedKeycodeTable(display);
        HeldKeys held;
        for (std::size_t byte = 0; byte < sizeof keymap; ++byte) {
            const auto bits = static_cast<unsigned char>(keymap[byte]);
            for (std::size_t bit = 0; bits != 0 && bit < 8; ++bit) {
                if ((bits & (1u << bit)) != 0) {
                    held |= keysOfKeycode[byte * 8 + bit];
                }
            }
        }
        return held;
    }

    Display* display;
};

} // namespace

std::unique_ptr<KeyStateSource> CreateX11KeyState() {
    Display* display = QtDisplay();
    if (display == nullptr) {
        return nullptr;
    }
    return std::make_unique<X11KeyState>(display);
}

std::optional<std::uint16_t> X11VirtualKeyOfKeycode(std::uint32_t keycode) {
    Display* display = QtDisplay();
    if (display == nullptr || keycode == 0) {
        return std::nullopt;
    }
    if (keycode >= KeycodeCount) {
        return 0;
    }
    // A key that holds several virtual keys (Shift and the left Shift) is named by the lowest:
    // the general one.
    const HeldKeys& keys = SharedKeycodeTable(display)[keycode];
    for (std::uint16_t virtualKey = 1; virtualKey < keys.size(); ++virtualKey) {
        if (keys.test(virtualKey)) {
            return virtualKey;
        }
    }
    return 0;
}
