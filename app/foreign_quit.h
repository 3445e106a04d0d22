#pragma once

#include <functional>

// A quit of the application that the program did not ask for (the session manager's "die" at
// the end of a logout, which would only close the windows) runs end instead, which ends the
// program its own way, everything saved. own tells whether a quit is the program's own. Holds
// while owner lives.
class QObject;
void RedirectForeignQuits(QObject* owner, std::function<bool()> own, std::function<void()> end);
