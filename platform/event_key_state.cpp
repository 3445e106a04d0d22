#include "event_key_state.h"

#include <QGuiApplication>
#include <QKeyEvent>

EventKeyState::EventKeyState() {
    QGuiApplication::instance()->installEventFilter(this);
}

bool EventKeyState::IsDown(std::uint16_t virtualKey) {
    if (IsMouseButton(virtualKey)) {
        return IsMouseButtonDown(virtualKey);
    }
    return virtualKey < held.size() && held.test(virtualKey);
}

bool EventKeyState::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (const std::uint16_t virtualKey =
                VirtualKeyOfKeyEvent(*static_cast<QKeyEvent*>(event))) {
            held.set(virtualKey, event->type() == QEvent::KeyPress);
        }
        break;
    }
    case QEvent::ApplicationStateChange:
        if (static_cast<QApplicationStateChangeEvent*>(event)->applicationState() !=
            Qt::ApplicationActive) {
            held.reset();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
