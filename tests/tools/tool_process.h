#pragma once

#include <QProcess>
#include <QStringList>
#include <string>

// A command-line tool run as a process of its own on SDL's disk audio driver, so that no sound
// server is needed: what it plays goes to the file `sink`, paced in real time unless
// `periodDelayMs` says how long each period of 1024 frames takes.
class ToolProcess {
public:
    ToolProcess(const char* program, const QStringList& arguments, const std::string& sink,
                int periodDelayMs = 0);
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Waits (with a generous deadline) for the tool to end; false if it did not. Its exit and
    // what it wrote to stderr (without the notices of SDL's disk driver) are then known.
    bool Finish();
    bool Crashed() const { return process.exitStatus() == QProcess::CrashExit; }
    int ExitCode() const { return process.exitCode(); }
    const std::string& Errors() const { return errors; }

private:
    QProcess process;
    std::string errors;
};

// The tools' own command-line forms of a path.
QString Arg(const std::string& path);
