#pragma once

#include <functional>

// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C in a terminal) run handler on the GUI
// thread instead of ending the process, so that the program ends as the user's Exit would and
// loses nothing. Install once, after the application object exists.
void HandleTerminationSignals(std::function<void()> handler);
