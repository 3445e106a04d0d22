#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Runs act on the modal window that the code under test is about to show, once its own
// event loop runs.
inline void WhenModalShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, qApp, [act = std::move(act)] { act(QApplication::activeModalWidget()); });
}
