#include "real_time_button.h"

#include "real_time_action.h"
#include "registry.h"

TRealTimeButton::TRealTimeButton(QWidget* parent) : TCustomBitmapButton(parent) {
    Register(this);
}

TRealTimeButton::~TRealTimeButton() {
    SetRealTimeAction(nullptr);
    Unregister(this);
}

const std::vector<TRealTimeButton*>& TRealTimeButton::Registry() {
    return RegistryOf<TRealTimeButton>();
}

TRealTimeAction* TRealTimeButton::RealTimeAction() const {
    return action;
}

void TRealTimeButton::SetRealTimeAction(TRealTimeAction* value) {
    if (action != nullptr && action != value) {
        action->Unlink(this);
    }
    action = value;
    if (value != nullptr) {
        value->Link(this);
        SetToggleType(value->ToggleType());
    }
}

void TRealTimeButton::mousePressEvent(QMouseEvent* event) {
    TCustomBitmapButton::mousePressEvent(event);
    if (action != nullptr) {
        action->Press(this);
    }
}

void TRealTimeButton::mouseReleaseEvent(QMouseEvent* event) {
    TCustomBitmapButton::mouseReleaseEvent(event);
    if (action != nullptr) {
        action->Release(this);
    }
}
