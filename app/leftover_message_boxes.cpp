#include "app/leftover_message_boxes.h"

#include <QMessageBox>

namespace {

QString PlainLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

TLeftoverQuestions::TListAnswer TLeftoverMessageBoxes::AskReadList(const QString& caption,
                                                                   const QString& question) {
    switch (QMessageBox::question(nullptr, caption, PlainLines(question),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return TListAnswer::ShowList;
    case QMessageBox::No:
        return TListAnswer::SkipList;
    default:
        return TListAnswer::Stop;
    }
}

bool TLeftoverMessageBoxes::Confirm(const QString& caption, const QString& question) {
    return QMessageBox::question(nullptr, caption, PlainLines(question),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TLeftoverMessageBoxes::Inform(const QString& caption, const QString& text) {
    QMessageBox::information(nullptr, caption, PlainLines(text));
}
