#include "desktop_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

namespace {

class SystemLauncher : public DesktopLauncher {
public:
    bool StartProgram(const QString& name, const QStringList& arguments) override {
        const QString program = QStandardPaths::findExecutable(name);
        return !program.isEmpty() && QProcess::startDetached(program, arguments);
    }
    bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

DesktopLauncher* installedLauncher = nullptr;

} // namespace

DesktopLauncher& CurrentLauncher() {
    static SystemLauncher system;
    return installedLauncher != nullptr ? *installedLauncher : system;
}

void SetLauncher(DesktopLauncher* launcher) {
    installedLauncher = launcher;
}
