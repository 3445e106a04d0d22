#include "comma_text.h"

namespace {

bool NeedsQuotes(const QString& item) {
    if (item.isEmpty()) {
        return true;
    }
    for (const QChar c : item) {
        if (c == u',' || c == u'"' || c.isSpace()) {
            return true;
        }
    }
    return false;
}

QString Quoted(const QString& item) {
    return QLatin1Char('"') + QString(item).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// The quoted item whose opening quote is at text[at]; at moves past its closing quote.
QString ReadQuoted(const QString& text, qsizetype& at) {
    QString item;
    ++at;
    while (at < text.size()) {
        if (text[at] == u'"') {
            if (at + 1 < text.size() && text[at + 1] == u'"') {
                item += u'"';
                at += 2;
                continue;
            }
            ++at;
            break;
        }
        item += text[at++];
    }
    return item;
}

} // namespace

QString ToCommaText(const QStringList& items) {
    QStringList parts;
    for (const QString& item : items) {
        parts.append(NeedsQuotes(item) ? Quoted(item) : item);
    }
    return parts.join(u',');
}

QStringList FromCommaText(const QString& text) {
    QStringList items;
    if (text.trimmed().isEmpty()) {
        return items;
    }
    qsizetype at = 0;
    while (true) {
        while (at < text.size() && text[at].isSpace()) {
            ++at;
        }
        QString item;
        if (at < text.size() && text[at] == u'"') {
            item = ReadQuoted(text, at);
        }
        const qsizetype comma = text.indexOf(u',', at);
        const qsizetype end = comma < 0 ? text.size() : comma;
        item += text.mid(at, end - at).trimmed();
        items.append(item);
        if (comma < 0) {
            return items;
        }
        at = comma + 1;
    }
}
