#include "app/show_page.h"

#include "actions/line_break_tags.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "actions/program_caption.h"
#include "dialogs/guide_frm.h"
#include "platform/desktop_launcher.h"

#include <QMessageBox>
#include <algorithm>

QUrl UserGuidePage(const QString& programFolder, const QString& languageCode) {
    const auto& messages = RegisteredMessages();
    const auto entry = std::find_if(messages.begin(), messages.end(),
                                    [](const MessageEntry& m) { return m.Text == &SQuavrelUrl; });
    QUrl page(SQuavrelUrl);
    if ((entry != messages.end() && SQuavrelUrl == entry->Default) || !page.isValid() ||
        page.scheme().isEmpty()) {
        page = QUrl::fromLocalFile(programFolder + QStringLiteral("/readme.html"));
    }
    page.setQuery(languageCode == QStringLiteral("jap") ? QStringLiteral("Japanese")
                                                        : QStringLiteral("English"));
    return page;
}

void ShowPage(const QUrl& page, TGuideFrm& guide, QWidget* owner) {
    if (CurrentLauncher().OpenUrl(page)) {
        return;
    }
    if (page.isLocalFile()) {
        guide.ShowPage(page);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(ProgramCaption),
                                WithLineFeeds(FormatMessage(SNoPageLauncher, {page.toString()})),
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
