#include "comma_text.h"

namespace {

bool NeedsQuotes(const QString& item) {
    if (item.isEmpty()) {
        return true;
    }
    for (const QChar c : item) {
        if (c == u',' || c == u'"' || c <= u' ') {
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

QString ToQuotedCommaText(const QStringList& items) {
    QStringList parts;
    for (const QString& item : items) {
        parts.append(Quoted(item));
    }
    return parts.join(u',');
}

QStringList FromCommaText(const QString& text) {
    QStringList items;
    const auto blank = [&](qsizetype at) { return at < text.size() && text[at] <= u' '; };
    qsizetype at = 0;
    while (blank(at)) {
        ++at;
    }
    while (at < text.size()) {
        if (text[at] == u'"') {
            items.append(ReadQuoted(text, at));
        } else {
            const qsizetype start = at;
            while (at < text.size() && text[at] > u' ' && text[at] != u',') {
                ++at;
            }
            items.append(text.mid(start, at - start));
        }
        while (blank(at)) {
            ++at;
        }
        if (at < text.size() && text[at] == u',') {
            ++at;
            if (at == text.size()) {
                items.append(QString());
            }
            while (blank(at)) {
                ++at;
            }
        }
    }
    return items;
}
