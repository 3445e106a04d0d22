#include "real_time_key.h"

#include "real_time_action.h"
#include "registry.h"

TRealTimeKey::TRealTimeKey(QObject* owner) : QObject(owner) {
    Register(this);
}

TRealTimeKey::~TRealTimeKey() {
    SetRealTimeAction(nullptr);
    Unregister(this);
}

const std::vector<TRealTimeKey*>& TRealTimeKey::Registry() {
    return RegistryOf<TRealTimeKey>();
}

TRealTimeAction* TRealTimeKey::RealTimeAction() const {
    return action;
}

void TRealTimeKey::SetRealTimeAction(TRealTimeAction* value) {
    if (action != nullptr && action != value) {
        action->Unlink(this);
    }
    action = value;
    if (value != nullptr) {
        value->Link(this);
    }
}

void TRealTimeKey::CheckState(TShiftState shift, const HeldKeys& held) {
    if (IsPressed(shift, held)) {
        if (!pressed) {
            pressed = true;
            if (action != nullptr) {
                action->Press(this);
            }
        }
    } else if (pressed) {
        pressed = false;
        if (action != nullptr) {
            action->Release(this);
        }
    }
}

void TRealTimeKey::CheckState(TShiftState shift) {
    CheckState(shift, CurrentKeyState().AllDown());
}

bool TRealTimeKey::IsPressed(TShiftState shift, const HeldKeys& held) const {
    return shift == shiftState && virtualKey != 0 && virtualKey < held.size() &&
           held.test(virtualKey);
}

bool TRealTimeKey::IsPressed(TShiftState shift) const {
    return IsPressed(shift, CurrentKeyState().AllDown());
}
