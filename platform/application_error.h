#pragma once

#include <exception>
#include <functional>

// Where errors end that nobody up the call chain can take any more (deferred calls, idle work):
// the program shows them to the user; tools print them.
using ApplicationErrorHandler = std::function<void(const std::exception& error)>;

// Returns the handler that was installed before.
ApplicationErrorHandler SetApplicationErrorHandler(ApplicationErrorHandler handler);
void HandleApplicationError(const std::exception& error);
