#include "tool_window.h"

#include "x11_window_state.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

// The window manager drops a window's state when it is hidden, so the state is given again
// each time the window is about to be mapped.
class SkipTaskbarOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->windowHandle()) {
                AddSkipTaskbarState(widget->windowHandle());
            }
        }
        return false;
    }
};

} // namespace

void MakeOwnedToolWindow(QWidget* window, QWidget* owner, Qt::WindowFlags flags) {
    const bool visible = window->isVisible();
    window->setParent(owner, Qt::Tool | flags);
    window->installEventFilter(new SkipTaskbarOnShow(window));
    if (visible) {
        window->show();
    }
}
