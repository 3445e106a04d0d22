#include "line_break_tags.h"

#include <QRegularExpression>

QString LineBreaksToTags(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return QString(text).replace(lineBreak, QStringLiteral("<br>"));
}

QString TagsToLineBreaks(const QString& text) {
    return QString(text).replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
}

QString WithLineFeeds(const QString& text) {
    return QString(text)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\r', u'\n');
}
