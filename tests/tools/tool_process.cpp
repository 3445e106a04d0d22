#include "tool_process.h"

#include "tests/support/disc_image.h"
#include "tests/support/gui_wait.h"
#include "tests/support/wave_fixture.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Far beyond what any tool run here needs, on a loaded machine too.
constexpr int FinishTimeoutMs = 60000;

} // namespace

ToolProcess::ToolProcess(const char* program, const QStringList& arguments,
                         const ToolConditions& conditions) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SDL_AUDIODRIVER", "disk");
    environment.insert("SDL_DISKAUDIOFILE", Arg(conditions.sink));
    if (conditions.periodDelayMs > 0) {
        environment.insert("SDL_DISKAUDIODELAY", QString::number(conditions.periodDelayMs));
    }
    process.setProcessEnvironment(environment);
    if (conditions.fileSizeLimit > 0) {
        const auto limit = static_cast<rlim_t>(conditions.fileSizeLimit);
        // In the child before it starts the tool: writing past the limit then fails with EFBIG
        // instead of ending the process with SIGXFSZ.
        process.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &size);
        });
    }
    // Positions shown as they change are of no interest here, and must not fill a pipe.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
}

ToolProcess::~ToolProcess() {
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
}

bool ToolProcess::Finish() {
    const bool finished = WaitOnGuiThread(
        [this] { return process.state() == QProcess::NotRunning; }, FinishTimeoutMs);
    for (const QByteArray& line : process.readAllStandardError().split('\n')) {
        if (!line.isEmpty() && !line.startsWith("CRITICAL: ")) {
            errors += line.toStdString() + '\n';
        }
    }
    return finished;
}

QString Arg(const std::string& path) {
    return QString::fromStdString(path);
}

void ExpectEveryFailedSongLeavesNoOutput(
    const std::string& folder, const std::string& goodSong, const std::string& output,
    const std::function<std::unique_ptr<ToolProcess>(const std::string& song,
                                                     const ToolConditions&)>& run) {
    const struct {
        const char* name;
        std::string song;
        ToolConditions conditions;
    } cases[] = {
        {"a missing song", folder + "/missing.wav", {}},
        {"a disc whose contents cannot be read", WriteUnreadableDiscImage(folder), {}},
        {"an output that cannot grow", goodSong, {.fileSizeLimit = 100000}},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<ToolProcess> tool = run(c.song, c.conditions);
        ASSERT_TRUE(tool->Finish()) << c.name;
        EXPECT_EQ(tool->ExitCode(), 1) << c.name;
        EXPECT_FALSE(tool->Errors().empty()) << c.name;
        EXPECT_FALSE(std::filesystem::exists(output)) << c.name;
    }
}
