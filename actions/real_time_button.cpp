#include "real_time_button.h"

#include "real_time_action.h"
#include "registry.h"

#include <QMouseEvent>

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

// A press the button leaves to the window beneath (outside its shape) is no press of its
// action, nor is the release that ends it.
void TRealTimeButton::mousePressEvent(QMouseEvent* event) {
    TCustomBitmapButton::mousePressEvent(event);
    pressed = event->isAccepted();
    if (pressed && action != nullptr) {
        action->Press(this);
    }
}

void TRealTimeButton::mouseReleaseEvent(QMouseEvent* event) {
    TCustomBitmapButton::mouseReleaseEvent(event);
    if (pressed && action != nullptr) {
        action->Release(this);
    }
    pressed = false;
}
