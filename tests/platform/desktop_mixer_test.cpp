#include "platform/desktop_mixer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// PATH holds only the given folder while it lives.
class OnlyPath {
public:
    explicit OnlyPath(const std::string& folder) : saved(qgetenv("PATH")) {
        qputenv("PATH", QByteArray::fromStdString(folder));
    }
    ~OnlyPath() { qputenv("PATH", saved); }
    OnlyPath(const OnlyPath&) = delete;
    OnlyPath& operator=(const OnlyPath&) = delete;

private:
    QByteArray saved;
};

QByteArray WaitForFile(const std::string& path) {
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        QFile file(QString::fromStdString(path));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            if (text.endsWith('\n')) {
                return text;
            }
        }
        QThread::msleep(20);
    }
    return {};
}

TEST(DesktopMixer, OpensTheTabOfTheDevicesAndIsQuietWithoutTheProgram) {
    TempDir bin;
    {
        const OnlyPath path(bin.Path());
        EXPECT_FALSE(StartDesktopMixer(true));
    }
    const std::string script = bin.File("pavucontrol");
    const std::string log = bin.File("arguments");
    const std::string text = "#!/bin/sh\necho \"$@\" >> '" + log + "'\n";
    WriteFile(script, Bytes(text.begin(), text.end()));
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    const OnlyPath path(bin.Path());
    ASSERT_TRUE(StartDesktopMixer(true));
    EXPECT_EQ(WaitForFile(log), "--tab=4\n");
    std::remove(log.c_str());
    ASSERT_TRUE(StartDesktopMixer(false));
    EXPECT_EQ(WaitForFile(log), "--tab=3\n");
}

} // namespace
