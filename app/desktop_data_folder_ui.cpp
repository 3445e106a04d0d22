#include "app/desktop_data_folder_ui.h"

#include "actions/line_break_tags.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "actions/program_caption.h"
#include "app/show_page.h"
#include "dialogs/data_folder_picker.h"
#include "dialogs/image_message.h"
#include "platform/desktop_mixer.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

TDesktopDataFolderUi::~TDesktopDataFolderUi() {
    Withdraw();
}

void TDesktopDataFolderUi::Withdraw() {
    if (current) {
        QObject::disconnect(current, nullptr, nullptr, nullptr);
        delete current;
    }
}

void TDesktopDataFolderUi::Open(std::unique_ptr<QDialog> window,
                                std::function<void(QDialog&, int)> finished) {
    QDialog* dialog = window.release();
    current = dialog;
    QObject::connect(
        dialog, &QDialog::finished, dialog,
        [this, dialog, finished = std::move(finished)](int result) {
            if (current == dialog) {
                current = nullptr;
            }
            dialog->deleteLater();
            finished(*dialog, result);
        },
        Qt::SingleShotConnection);
    dialog->open();
}

void TDesktopDataFolderUi::ShowImageMessage(const QString& caption, const QString& text,
                                            const QString& pictureFile,
                                            std::function<void()> closed) {
    auto message = std::make_unique<TImageMessage>();
    message->Fill(caption, text, QString(), QString(), pictureFile);
    Open(std::move(message), [closed = std::move(closed)](QDialog&, int) { closed(); });
}

void TDesktopDataFolderUi::ChooseFolder(const QString& proposed,
                                        std::function<void(const QString& folder)> chosen) {
    Open(std::make_unique<TDataFolderPicker>(proposed),
         [chosen = std::move(chosen)](QDialog& picker, int result) {
             chosen(result == QDialog::Accepted ? static_cast<TDataFolderPicker&>(picker).Folder()
                                                : QString());
         });
}

void TDesktopDataFolderUi::AskWithoutFolder(const QString& proposed, const QString& problem,
                                            std::function<void(TNoFolderAnswer answer)> answered) {
    const QString needed = FormatMessage(SNoDataFolder, {QDir::toNativeSeparators(proposed)});
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Warning, QString::fromUtf8(ProgramCaption),
        WithLineFeeds(problem.isEmpty() ? needed : problem + QStringLiteral("\r\r") + needed));
    box->setObjectName(QStringLiteral("NoDataFolderBox"));
    QPushButton* again = box->addButton(SNoDataFolderChoose, QMessageBox::AcceptRole);
    QPushButton* use = box->addButton(SNoDataFolderUseProposed, QMessageBox::AcceptRole);
    QPushButton* quit = box->addButton(SNoDataFolderQuit, QMessageBox::RejectRole);
    box->setDefaultButton(again);
    box->setEscapeButton(quit);
    Open(std::move(box), [again, use, answered = std::move(answered)](QDialog& box, int) {
        // Closed otherwise (the program asked to end, say), the box quits.
        const QAbstractButton* clicked = static_cast<QMessageBox&>(box).clickedButton();
        answered(clicked == again ? TNoFolderAnswer::ChooseAgain
                 : clicked == use ? TNoFolderAnswer::UseProposed
                                  : TNoFolderAnswer::Quit);
    });
}

void TDesktopDataFolderUi::StartRecordingMixer() {
    StartDesktopMixer(true);
}

void TDesktopDataFolderUi::OpenDocument(const QString& path) {
    ShowPage(QUrl::fromLocalFile(path), guide, nullptr);
}
