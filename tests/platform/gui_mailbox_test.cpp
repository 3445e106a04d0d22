#include "platform/gui_mailbox.h"
#include "tests/support/gui_events.h"

#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

TEST(GuiMailboxTest, DeliversInOrderFromAnyThreadOnTheGuiThread) {
    GuiMailbox mailbox;
    std::vector<int> seen;
    std::vector<bool> onGuiThread;
    const auto guiThread = std::this_thread::get_id();
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            mailbox.Post([&, i] {
                seen.push_back(i);
                onGuiThread.push_back(std::this_thread::get_id() == guiThread);
            });
        }
    });
    worker.join();
    ProcessGuiEvents();
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(seen[i], i);
        EXPECT_TRUE(onGuiThread[i]);
    }
}

TEST(GuiMailboxTest, CallsPostedBeforeTheMailboxWentAwayAreDropped) {
    int delivered = 0;
    auto mailbox = std::make_unique<GuiMailbox>();
    mailbox->Post([&] { ++delivered; });
    mailbox->Post([&] { mailbox.reset(); });
    mailbox->Post([&] { ++delivered; });
    ProcessGuiEvents();
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(mailbox, nullptr);
}

} // namespace
