#pragma once

#include <functional>

// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C in a terminal) run handler on the GUI
// thread instead of ending the process, so that the program ends as the user's Exit would and
// loses nothing. Install once, after the application object exists. When owner is destroyed, the
// signals end the process again, as nothing is left to run the handler.
class QObject;
void HandleTerminationSignals(QObject* owner, std::function<void()> handler);
