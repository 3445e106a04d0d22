#include "quavrel_dialog_form.h"

TQuavrelDialogForm::TQuavrelDialogForm() {
    // A normal window rather than a dialog: window managers leave dialogs out of the task bar,
    // and Qt makes a dialog without a parent transient for the whole program.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
}

void TQuavrelDialogForm::SetStayOnTop(bool value) {
    if (StayOnTop() == value) {
        return;
    }
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, value);
    if (shown) {
        show();
    }
}

bool TQuavrelDialogForm::StayOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
