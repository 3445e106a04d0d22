#pragma once

#include <QProcess>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

// What a tool run by a test works with. Its sound goes through SDL's disk audio driver, so
// that no sound server is needed.
struct ToolConditions {
    // The file the disk driver writes what the tool plays to.
    std::string sink = "/dev/null";
    // How long the driver takes for each period of 1024 frames; 0: real time.
    int periodDelayMs = 0;
    // The largest file the tool may write, in bytes (writing further fails); 0: no limit.
    long fileSizeLimit = 0;
};

// A command-line tool run as a process of its own.
class ToolProcess {
public:
    ToolProcess(const char* program, const QStringList& arguments,
                const ToolConditions& conditions = {});
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Waits (with a generous deadline) for the tool to end; false if it did not. Its exit and
    // what it wrote to stderr (without the notices of SDL's disk driver) are then known.
    bool Finish();
    // Sends the tool SIGTERM, as a logout or `kill` does.
    void Terminate() { process.terminate(); }
    bool Crashed() const { return process.exitStatus() == QProcess::CrashExit; }
    int ExitCode() const { return process.exitCode(); }
    const std::string& Errors() const { return errors; }

private:
    QProcess process;
    std::string errors;
};

// The tools' own command-line forms of a path.
QString Arg(const std::string& path);

// Runs a tool once for each way its song can fail (missing, a disc whose contents cannot be
// read, an output that cannot grow past 100000 bytes) and checks that it fails, says why and
// leaves no output. goodSong: a playable song of a few seconds in folder.
void ExpectEveryFailedSongLeavesNoOutput(const std::string& folder, const std::string& goodSong,
                                         const std::string& output,
                                         const std::function<std::unique_ptr<ToolProcess>(
                                             const std::string& song, const ToolConditions&)>& run);
