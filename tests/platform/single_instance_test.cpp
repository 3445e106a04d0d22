#include "platform/single_instance.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs body with XDG_RUNTIME_DIR set to folder, as a program of another session would see it.
template <typename Body> void InRuntimeFolder(const TempDir& folder, Body body) {
    const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    ::chmod(folder.Path().c_str(), 0700);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.Path()));
    body();
    if (wasSet) {
        qputenv("XDG_RUNTIME_DIR", saved);
    } else {
        qunsetenv("XDG_RUNTIME_DIR");
    }
}

TEST(SingleInstance, ASecondStartHandsItsFilesToTheProgramHoldingItsLock) {
    TempDir mine;
    TempDir another;
    const QString name = QStringLiteral("QUAVREL_TEST_%1").arg(::getpid());
    SingleInstance first(name);
    SingleInstance other(name);
    using Files = std::vector<std::string>;
    Files toFirst;
    Files toOther;
    first.OnFilesReceived = [&](const Files& files) { toFirst = files; };
    other.OnFilesReceived = [&](const Files& files) { toOther = files; };
    InRuntimeFolder(mine, [&] { ASSERT_TRUE(first.Acquire()); });
    // A program with a runtime folder of its own runs apart from the first.
    InRuntimeFolder(another, [&] { ASSERT_TRUE(other.Acquire()); });
    InRuntimeFolder(mine, [&] {
        SingleInstance second(name);
        EXPECT_FALSE(second.Acquire());
        // The sender waits for the answer of the first, which runs on this thread.
        std::atomic<bool> sent = false;
        std::atomic<bool> done = false;
        std::thread sender([&] {
            // A name that is no valid UTF-8 arrives as the bytes it is.
            sent = second.SendFiles({"/song.wav", "/\xff.wav"});
            done = true;
        });
        const QDeadlineTimer deadline(10000);
        while (!done && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        sender.join();
        EXPECT_TRUE(sent);
    });
    EXPECT_EQ(toFirst, (Files{"/song.wav", "/\xff.wav"}));
    EXPECT_TRUE(toOther.empty());
}

} // namespace
