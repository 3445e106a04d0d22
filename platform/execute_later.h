#pragma once

#include <cstdint>
#include <functional>

// A call made on the GUI thread after the event now being handled, such as raising an error
// that must not leave a device completion. The call owns itself: it is freed after it ran,
// whether or not it raised. An error it raises goes to the application error handler.
class TExecuteLater {
public:
    using TProcedure = void (*)(std::intptr_t userValue);
    using TMethod = std::function<void(std::intptr_t userValue)>;

    // The method runs first (if set), then the procedure (if set), each with userValue.
    static void Schedule(TMethod method, TProcedure procedure, std::intptr_t userValue);
    static void Schedule(TMethod method, std::intptr_t userValue) {
        Schedule(std::move(method), nullptr, userValue);
    }

private:
    TExecuteLater(TMethod method, TProcedure procedure, std::intptr_t userValue);
    void Execute() const;

    TMethod method;
    TProcedure procedure;
    std::intptr_t userValue;
};
