// The only file that includes Xlib: its macros (KeyPress, Bool, None, ...) clash with Qt names.
#include "x11_key_state.h"

#include "virtual_keys.h"

#include <QGuiApplication>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

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
        char keymap[32] = {};
        XQueryKeymap(display, keymap);
        for (const unsigned long keysym : KeysymsOfVirtualKey(virtualKey)) {
            const KeyCode code = XKeysymToKeycode(display, keysym);
            if (code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0) {
                return true;
            }
        }
        return false;
    }

private:
    Display* display;
};

} // namespace

std::unique_ptr<KeyStateSource> CreateX11KeyState() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        return nullptr;
    }
    return std::make_unique<X11KeyState>(x11->display());
}
