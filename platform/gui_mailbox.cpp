#include "gui_mailbox.h"

#include "gui_thread.h"

#include <QObject>

GuiMailbox::GuiMailbox() : context(new QObject), open(std::make_shared<std::atomic<bool>>(true)) {}

GuiMailbox::~GuiMailbox() {
    open->store(false);
    // The owner may be going away inside one of this mailbox's own calls, so the context
    // object is released once that call has returned.
    context->deleteLater();
}

void GuiMailbox::Post(std::function<void()> call) const {
    PostToGuiThread(context, [open = open, call = std::move(call)] {
        if (open->load()) {
            call();
        }
    });
}
