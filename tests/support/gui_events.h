#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QWidget>

// Delivers every call posted to the GUI thread so far, and those they post in turn.
inline void ProcessGuiEvents() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// A press, move or release of the left mouse button at `at` within widget, sent straight to it.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPointF at = {5, 5}) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}
