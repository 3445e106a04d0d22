#include "quavrel_dialog_form.h"

#include "platform/tool_window.h"

TQuavrelDialogForm::TQuavrelDialogForm() {
    // A normal window rather than a dialog: window managers leave dialogs out of the task bar,
    // and Qt makes a dialog without a parent transient for the whole program.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
}

void TQuavrelDialogForm::SetStayOnTop(bool value) {
    ::SetStayOnTop(this, value);
}

bool TQuavrelDialogForm::StayOnTop() const {
    return StaysOnTop(this);
}
