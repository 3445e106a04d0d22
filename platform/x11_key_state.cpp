// The only file that includes Xlib: its macros (KeyPress, Bool, None, ...) clash with Qt names.
#include "x11_key_state.h"

#include "virtual_keys.h"

#include <QGuiApplication>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <array>

namespace {

// For every X key code, the virtual keys it holds down. Looked up once: finding a keysym's key
// searches the whole keyboard mapping, too slow to do for every key at every poll. One table
// for the process, so that the shortcut editor names a key as the polls see it.
constexpr std::size_t KeycodeCount = 256;
using KeycodeTable = std::array<HeldKeys, KeycodeCount>;

KeycodeTable BuildKeycodeTable(Display* display) {
    KeycodeTable keysOfKeycode{};
    for (std::uint16_t virtualKey = 1; virtualKey < HeldKeys().size(); ++virtualKey) {
        for (const unsigned long keysym : KeysymsOfVirtualKey(virtualKey)) {
            if (const KeyCode code = XKeysymToKeycode(display, keysym); code != 0) {
                keysOfKeycode[code].set(virtualKey);
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

const KeycodeTable& SharedKeycodeTable(Display* display) {
    static const KeycodeTable table = BuildKeycodeTable(display);
    return table;
}

class X11KeyState final : public KeyStateSource {
public:
    explicit X11KeyState(Display* display)
        : display(display), keysOfKeycode(SharedKeycodeTable(display)) {
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
    const KeycodeTable& keysOfKeycode;
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
