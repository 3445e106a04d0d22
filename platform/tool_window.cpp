#include "tool_window.h"

#include "x11_window_state.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

constexpr auto FilterName = "skipTaskbarOnShow";

// The window manager drops a window's state when it is hidden, so the state is given again
// each time the window is shown.
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
    // Only the window's type changes; its hints (frameless, on top, ...) stay.
    window->setParent(owner, (window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool | flags);
    if (!window->findChild<QObject*>(FilterName, Qt::FindDirectChildrenOnly)) {
        auto* filter = new SkipTaskbarOnShow(window);
        filter->setObjectName(FilterName);
        window->installEventFilter(filter);
    }
    if (visible) {
        window->show();
    }
}

void SetStayOnTop(QWidget* window, bool value) {
    if (StaysOnTop(window) == value) {
        return;
    }
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, value);
    if (shown) {
        window->show();
    }
}

bool StaysOnTop(const QWidget* window) {
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
