#pragma once

#include <QCoreApplication>
#include <QEventLoop>

// Delivers every call posted to the GUI thread so far, and those they post in turn.
inline void ProcessGuiEvents() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}
