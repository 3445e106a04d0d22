#include "virtual_code_hot_key.h"

#include "key_names.h"
#include "platform/key_state.h"
#include "platform/virtual_keys.h"

#include <QKeyEvent>

namespace {

// A modifier key (virtualKey) counts as held at its own press: X reports the modifiers as they
// were before the key went down.
TShiftState ShiftStateOf(const QKeyEvent& event, std::uint16_t virtualKey) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    TShiftState shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier) || virtualKey == VkShift) {
        shift |= ssShift;
    }
    if (modifiers.testFlag(Qt::AltModifier) || virtualKey == VkMenu) {
        shift |= ssAlt;
    }
    if (modifiers.testFlag(Qt::ControlModifier) || virtualKey == VkControl) {
        shift |= ssCtrl;
    }
    return shift;
}

} // namespace

TVirtualCodeHotKey::TVirtualCodeHotKey(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    resize(120, 20);
    RefreshText();
}

void TVirtualCodeHotKey::SetVirtualKey(std::uint16_t value) {
    virtualKey = value;
    RefreshText();
}

void TVirtualCodeHotKey::SetShiftState(TShiftState value) {
    shiftState = value;
    RefreshText();
}

bool TVirtualCodeHotKey::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A key that is some button's shortcut in the dialog is still captured here.
        event->accept();
        return true;
    case QEvent::KeyPress:
        // Straight to the capture: Tab and Backtab would otherwise move the focus.
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    default:
        return QLineEdit::event(event);
    }
}

void TVirtualCodeHotKey::keyPressEvent(QKeyEvent* event) {
    // The key as the polls will see it held, not the character the layout gives it.
    const std::uint16_t pressed = VirtualKeyOfKeyEvent(*event);
    const TShiftState shift = ShiftStateOf(*event, pressed);
    std::uint16_t key =
        pressed == VkShift || pressed == VkControl || pressed == VkMenu ? 0 : pressed;
    bool accept = true;
    if (OnChangeQuery) {
        OnChangeQuery(this, key, shift, accept);
    }
    if (accept) {
        virtualKey = key;
        shiftState = shift;
        RefreshText();
    }
    // Taken whole: neither the field's own editing keys nor the dialog's Enter and Escape see
    // it, and no character reaches the text.
    event->accept();
}

void TVirtualCodeHotKey::RefreshText() {
    setText(ShortcutText(virtualKey, shiftState));
    selectAll();
}
