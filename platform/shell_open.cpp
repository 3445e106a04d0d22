#include "shell_open.h"

#include "desktop_launcher.h"

#include <QUrl>

bool ShellOpen(const QString& target) {
    return CurrentLauncher().OpenUrl(QUrl::fromUserInput(target));
}
