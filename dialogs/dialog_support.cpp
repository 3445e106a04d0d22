#include "dialog_support.h"

#include "platform/font_aliases.h"

#include <QFont>
#include <QGuiApplication>
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
