#pragma once

#include <functional>

// Handles GUI-thread events until done() holds or timeoutMs passed; false on time-out.
bool WaitOnGuiThread(const std::function<bool()>& done, int timeoutMs);
