#include "fatal_error.h"

#include "message_format.h"
#include "messages.h"
#include "program_caption.h"

#include <QMessageBox>

namespace {

bool boxOpen = false;

// Message texts break lines with carriage returns.
QString WithLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
}

} // namespace

std::optional<bool> AskToGoOnAfterError(const std::exception& error) {
    if (boxOpen) {
        return std::nullopt;
    }
    boxOpen = true;
    const QString text =
        WithLineFeeds(FormatMessage(SFatalError, {QString::fromUtf8(error.what())}));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ProgramCaption), text,
                    QMessageBox::Ok | QMessageBox::Cancel);
    const int answer = box.exec();
    boxOpen = false;
    return answer != QMessageBox::Ok;
}

bool FatalErrorBoxOpen() {
    return boxOpen;
}
