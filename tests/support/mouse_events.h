#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

// A press, move or release of the left mouse button at `at` within widget, sent straight to it.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPointF at = {5, 5}) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}
