#pragma once

#include "platform/desktop_launcher.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Launches nothing: the program's launches come here while it lives. It records what was asked
// for and answers as a desktop with the programs of Installed would, and with a program to
// show pages when OpensPages is set.
class FakeLauncher : public DesktopLauncher {
public:
    FakeLauncher() { SetLauncher(this); }
    ~FakeLauncher() override { SetLauncher(nullptr); }
    FakeLauncher(const FakeLauncher&) = delete;
    FakeLauncher& operator=(const FakeLauncher&) = delete;

    bool StartProgram(const QString& name, const QStringList& arguments) override {
        Started << (QStringList{name} + arguments).join(u' ');
        return Installed.contains(name);
    }
    bool OpenUrl(const QUrl& url) override {
        Opened << url;
        return OpensPages;
    }

    QStringList Installed;
    bool OpensPages = false;
    // "program argument...", in the order asked.
    QStringList Started;
    QList<QUrl> Opened;
};
