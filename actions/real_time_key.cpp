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

bool TRealTimeKey::CheckState(TShiftState shift, const HeldKeys& held) {
    // The handlers may destroy this key: nothing of it is touched after Press or Release.
    const bool down = IsPressed(shift, held);
    if (down == pressed) {
        return false;
    }
    pressed = down;
    if (action == nullptr) {
        return false;
    }
    if (down) {
        action->Press(this);
    } else {
        action->Release(this);
    }
    return true;
}

bool TRealTimeKey::IsPressed(TShiftState shift, const HeldKeys& held) const {
    return shift == shiftState && virtualKey != 0 && virtualKey < held.size() &&
           held.test(virtualKey);
}
