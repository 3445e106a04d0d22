#include "shell_open.h"

#include <QDesktopServices>
#include <QUrl>

void ShellOpen(const QString& target) {
    QDesktopServices::openUrl(QUrl::fromUserInput(target));
}
