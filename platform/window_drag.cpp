#include "window_drag.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget* window, Constrain constrain)
    : QObject(window), window(window), constrain(std::move(constrain)) {}

void WindowDrag::Start(QPoint globalPress) {
    if (!constrain && window->isWindow() && window->windowHandle() &&
        window->windowHandle()->startSystemMove()) {
        return;
    }
    active = true;
    pressGlobal = globalPress;
    startPosition = window->pos();
    // The whole application is watched while the move lasts: the events that end it may go to
    // any window.
    QCoreApplication::instance()->installEventFilter(this);
}

void WindowDrag::Finish() {
    active = false;
    QCoreApplication::instance()->removeEventFilter(this);
    if (OnFinished) {
        OnFinished();
    }
}

bool WindowDrag::EndsTheMove(QObject* watched, QEvent* event) const {
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // Seen by the window itself, or by a widget the release went to instead; the native
        // window's copy comes first and is left alone, as it ends the toolkit's own grab.
        return watched->isWidgetType();
    case QEvent::MouseMove:
        return static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
    case QEvent::Hide:
        return watched == window;
    case QEvent::WindowBlocked: {
        // A modal window takes the mouse over, and the release with it.
        QWidget* topLevel = window->window();
        return watched == topLevel || watched == topLevel->windowHandle();
    }
    default:
        return false;
    }
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (!active) {
        return false;
    }
    if (EndsTheMove(watched, event)) {
        Finish();
        return watched == window && event->type() == QEvent::MouseButtonRelease;
    }
    if (watched != window || event->type() != QEvent::MouseMove) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint proposed = startPosition + (mouse->globalPosition().toPoint() - pressGlobal);
    window->move(constrain ? constrain(proposed) : proposed);
    if (OnMoved) {
        OnMoved();
    }
    return true;
}
