#include "execute_later.h"

#include "application_error.h"
#include "gui_thread.h"

#include <QCoreApplication>
#include <memory>

TExecuteLater::TExecuteLater(TMethod method, TProcedure procedure, std::intptr_t userValue)
    : method(std::move(method)), procedure(procedure), userValue(userValue) {}

void TExecuteLater::Schedule(TMethod method, TProcedure procedure, std::intptr_t userValue) {
    auto call =
        std::shared_ptr<TExecuteLater>(new TExecuteLater(std::move(method), procedure, userValue));
    PostToGuiThread(QCoreApplication::instance(), [call] { call->Execute(); });
}

void TExecuteLater::Execute() const {
    try {
        if (method) {
            method(userValue);
        }
        if (procedure) {
            procedure(userValue);
        }
    } catch (const std::exception& error) {
        HandleApplicationError(error);
    }
}
