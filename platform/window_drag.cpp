#include "window_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget* window, Constrain constrain)
    : QObject(window), window(window), constrain(std::move(constrain)) {
    window->installEventFilter(this);
}

void WindowDrag::Start(QPoint globalPress) {
    if (!constrain && window->isWindow() && window->windowHandle() &&
        window->windowHandle()->startSystemMove()) {
        return;
    }
    active = true;
    pressGlobal = globalPress;
    startPosition = window->pos();
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (!active || watched != window) {
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint proposed = startPosition + (mouse->globalPosition().toPoint() - pressGlobal);
        window->move(constrain ? constrain(proposed) : proposed);
        if (OnMoved) {
            OnMoved();
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        active = false;
        if (OnFinished) {
            OnFinished();
        }
        return true;
    }
    return false;
}
