#include "app/modal_boxes.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace {

bool IsModalDialog(const QObject* object) {
    const auto* dialog = qobject_cast<const QDialog*>(object);
    return dialog != nullptr && dialog->isWindow() && dialog->windowModality() != Qt::NonModal;
}

// Rejects each modal dialog as it shows, once its own event loop runs.
class DialogRejecter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && IsModalDialog(watched)) {
            QMetaObject::invokeMethod(static_cast<QDialog*>(watched), &QDialog::reject,
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void EndModalBoxesFromNowOn() {
    static bool rejecting = false;
    if (!rejecting) {
        qApp->installEventFilter(new DialogRejecter(qApp));
        rejecting = true;
    }
    // Menus close from the one opened last; each close ends its own event loop.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close()) {
            break;
        }
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && IsModalDialog(window)) {
            static_cast<QDialog*>(window)->reject();
        }
    }
}
