#pragma once

#include <QStringList>

class QString;
class QUrl;

// How the program starts the desktop's own programs: the volume control, and whatever shows
// documents and web pages. Neither waits for the program started.
class DesktopLauncher {
public:
    virtual ~DesktopLauncher() = default;
    // Starts the program of that name, found on the search path, with arguments. False when it
    // is not installed or does not start.
    virtual bool StartProgram(const QString& name, const QStringList& arguments) = 0;
    // Hands a document or a web address to the desktop's program for it. False when the
    // desktop has none (no xdg-open and no other launcher it knows).
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// What the program launches with: the desktop's launcher, unless a test installed its own.
DesktopLauncher& CurrentLauncher();
// Launches go to launcher (not owned) from now on; nullptr goes back to the desktop's.
void SetLauncher(DesktopLauncher* launcher);
