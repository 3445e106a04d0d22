#include "application_error.h"

#include <iostream>
#include <utility>

namespace {

ApplicationErrorHandler& CurrentHandler() {
    static ApplicationErrorHandler handler;
    return handler;
}

} // namespace

ApplicationErrorHandler SetApplicationErrorHandler(ApplicationErrorHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

void HandleApplicationError(const std::exception& error) {
    if (CurrentHandler()) {
        CurrentHandler()(error);
    } else {
        std::cerr << error.what() << '\n';
    }
}

ScopedApplicationErrorHandler::ScopedApplicationErrorHandler(ApplicationErrorHandler handler)
    : previous(SetApplicationErrorHandler(std::move(handler))) {}

ScopedApplicationErrorHandler::~ScopedApplicationErrorHandler() {
    SetApplicationErrorHandler(std::move(previous));
}
