#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <functional>

// The modal window of type T open now, such as a dialog of ours opened without waiting; nullptr
// when none is.
template <typename T> T* OpenModal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

// Deletes the dialogs closed meanwhile (a dialog of ours is deleted once closed, by the event
// loop that no test runs).
inline void DeleteClosedDialogs() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs act on the modal window that the code under test is about to show, once its own
// event loop runs.
inline void WhenModalShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, qApp, [act = std::move(act)] { act(QApplication::activeModalWidget()); });
}

// Runs act on the first modal window of type T from now on (a message box that a dialog shows
// after another one closed, say), looking every few milliseconds while event loops run. The
// watch ends when it acted or when the returned watch is deleted, so that a window that never
// came is not waited for by the next test.
template <typename T> QPointer<QTimer> WhenModalOfTypeShown(std::function<void(T*)> act) {
    auto* watch = new QTimer(qApp);
    watch->setInterval(5);
    QObject::connect(watch, &QTimer::timeout, qApp, [watch, act = std::move(act)] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            watch->stop();
            watch->deleteLater();
            act(window);
        }
    });
    watch->start();
    return watch;
}
