#include "gui_thread.h"

#include <QMetaObject>
#include <QObject>

void PostToGuiThread(QObject* context, std::function<void()> call) {
    QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
}
