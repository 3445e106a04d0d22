#include "fatal_error.h"

#include "line_break_tags.h"
#include "message_format.h"
#include "messages.h"
#include "program_caption.h"

#include <QMessageBox>

namespace {

bool boxOpen = false;

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
