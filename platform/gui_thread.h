#pragma once

#include <functional>

class QObject;

// Runs call on the GUI thread once the event loop gets to it, in posting order. The call is
// dropped if context is destroyed first. Safe to use from any thread.
void PostToGuiThread(QObject* context, std::function<void()> call);
