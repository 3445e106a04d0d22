#include "key_state.h"

#include "event_key_state.h"
#include "virtual_keys.h"
#include "x11_key_state.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

KeyStateSource* installedSource = nullptr;

KeyStateSource& SystemKeyState() {
    static const std::unique_ptr<KeyStateSource> system = CreateSystemKeyState();
    return *system;
}

} // namespace

HeldKeys KeyStateSource::AllDown() {
    HeldKeys held;
    for (std::uint16_t key = 1; key < held.size(); ++key) {
        held.set(key, IsDown(key));
    }
    return held;
}

KeyStateSource& CurrentKeyState() {
    return installedSource != nullptr ? *installedSource : SystemKeyState();
}

void SetKeyStateSource(KeyStateSource* source) {
    installedSource = source;
}

std::unique_ptr<KeyStateSource> CreateSystemKeyState() {
    if (std::unique_ptr<KeyStateSource> x11 = CreateX11KeyState()) {
        return x11;
    }
    return std::make_unique<EventKeyState>();
}

std::uint16_t VirtualKeyOfKeyEvent(const QKeyEvent& event) {
    if (const std::optional<std::uint16_t> x11 = X11VirtualKeyOfKeycode(event.nativeScanCode())) {
        return *x11;
    }
    return VirtualKeyFromQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

bool IsMouseButton(std::uint16_t virtualKey) {
    return virtualKey == VkLButton || virtualKey == VkRButton || virtualKey == VkMButton;
}

bool IsMouseButtonDown(std::uint16_t virtualKey) {
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    switch (virtualKey) {
    case VkLButton:
        return buttons.testFlag(Qt::LeftButton);
    case VkRButton:
        return buttons.testFlag(Qt::RightButton);
    case VkMButton:
        return buttons.testFlag(Qt::MiddleButton);
    default:
        return false;
    }
}

HeldKeys MouseButtonsDown() {
    HeldKeys held;
    for (const std::uint16_t button : {VkLButton, VkRButton, VkMButton}) {
        held.set(button, IsMouseButtonDown(button));
    }
    return held;
}
