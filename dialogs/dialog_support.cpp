#include "dialog_support.h"

#include "actions/dialog_state.h"
#include "actions/line_break_tags.h"
#include "actions/program_caption.h"
#include "platform/font_aliases.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QWidget>

QFont MessageFont(const QString& languageCode) {
    RegisterFontAliases();
    const bool japanese = languageCode == QStringLiteral("jap");
    return QFont(japanese ? QStringLiteral("ＭＳ Ｐゴシック") : QStringLiteral("Times New Roman"),
                 11);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen =
        window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void AskOkCancel(QWidget* parent, const QString& text, std::function<void(bool ok)> answered) {
    auto* box = new QMessageBox(QMessageBox::Question, QString::fromUtf8(ProgramCaption),
                                WithLineFeeds(text), QMessageBox::Ok | QMessageBox::Cancel, parent);
    OpenDialogOfOurs(
        box, [answered = std::move(answered)](int result) { answered(result == QMessageBox::Ok); });
}

namespace {

QMessageBox* OpenErrorBox(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Critical, QString::fromUtf8(ProgramCaption),
                                WithLineFeeds(text), QMessageBox::Ok);
    OpenDialogOfOurs(box);
    return box;
}

} // namespace

void ShowErrorBox(const QString& text) {
    OpenErrorBox(text);
}

void ShowErrorBoxOutsideTheLoop(const QString& text) {
    QMessageBox* box = OpenErrorBox(text);
    if (QThread::currentThread()->loopLevel() > 0) {
        return;
    }
    QObject::connect(box, &QDialog::finished, qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();
}
