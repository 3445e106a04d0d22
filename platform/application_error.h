#pragma once

#include <exception>
#include <functional>

// Where errors end that nobody up the call chain can take any more (deferred calls, idle work):
// the program shows them to the user; tools print them.
using ApplicationErrorHandler = std::function<void(const std::exception& error)>;

// Returns the handler that was installed before.
ApplicationErrorHandler SetApplicationErrorHandler(ApplicationErrorHandler handler);
void HandleApplicationError(const std::exception& error);

// Installs a handler for as long as it lives and then puts the one before it back, so that a
// handler never outlives what it refers to. Scopes nest: each ends before the one made before it.
class ScopedApplicationErrorHandler {
public:
    explicit ScopedApplicationErrorHandler(ApplicationErrorHandler handler);
    ~ScopedApplicationErrorHandler();
    ScopedApplicationErrorHandler(const ScopedApplicationErrorHandler&) = delete;
    ScopedApplicationErrorHandler& operator=(const ScopedApplicationErrorHandler&) = delete;

private:
    ApplicationErrorHandler previous;
};
