#pragma once

#include <atomic>
#include <functional>
#include <memory>

class QObject;

// Calls posted here run on the GUI thread, in posting order, unless the mailbox has been
// destroyed by then. Posting is safe from any thread; the mailbox is created and destroyed on
// the GUI thread.
class GuiMailbox {
public:
    GuiMailbox();
    ~GuiMailbox();
    GuiMailbox(const GuiMailbox&) = delete;
    GuiMailbox& operator=(const GuiMailbox&) = delete;

    void Post(std::function<void()> call) const;

private:
    QObject* context;
    std::shared_ptr<std::atomic<bool>> open;
};
