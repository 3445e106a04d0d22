#include "dialog_state.h"

#include "fatal_error.h"
#include "key_polling.h"

#include <QApplication>
#include <QDialog>

bool DialogOfOursOpen() {
    return FatalErrorBoxOpen() || QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void OpenDialogOfOurs(QDialog* dialog, std::function<void(int result)> closed) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Not open(): that makes a dialog modal to its parent only, and one without a parent to
    // nothing at all.
    dialog->setWindowModality(Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::finished, dialog, [closed = std::move(closed)](int result) {
        SwallowHeldKeys();
        if (closed) {
            closed(result);
        }
    });
    dialog->show();
}
