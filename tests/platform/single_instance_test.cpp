#include "platform/single_instance.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
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
    QStringList toFirst;
    QStringList toOther;
    first.OnFilesReceived = [&](const QStringList& files) { toFirst << files; };
    other.OnFilesReceived = [&](const QStringList& files) { toOther << files; };
    InRuntimeFolder(mine, [&] { ASSERT_TRUE(first.Acquire()); });
    // A program with a runtime folder of its own runs apart from the first.
    InRuntimeFolder(another, [&] { ASSERT_TRUE(other.Acquire()); });
    InRuntimeFolder(mine, [&] {
        SingleInstance second(name);
        EXPECT_FALSE(second.Acquire());
        EXPECT_TRUE(second.SendFiles({QStringLiteral("/song.wav")}));
    });
    const QDeadlineTimer deadline(3000);
    while (toFirst.isEmpty() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(toFirst, QStringList{QStringLiteral("/song.wav")});
    EXPECT_TRUE(toOther.isEmpty());
}

} // namespace
