#include "dialog_support.h"

#include "actions/line_break_tags.h"
#include "actions/program_caption.h"
#include "platform/font_aliases.h"

#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
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

bool AskOkCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(ProgramCaption), WithLineFeeds(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

void ShowErrorBox(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ProgramCaption), WithLineFeeds(text),
                    QMessageBox::Ok);
    box.exec();
}
