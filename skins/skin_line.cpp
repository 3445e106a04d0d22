#include "skin_line.h"

QString TrimSkinText(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= u' ') {
        ++first;
    }
    while (last > first && text[last - 1].unicode() <= u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

TSkinLineKind ClassifySkinLine(const QString& line, QString& name, QString& value) {
    const QString text = TrimSkinText(line);
    if (text.isEmpty()) {
        return TSkinLineKind::Ignored;
    }
    if (text == u"<!--") {
        return TSkinLineKind::CommentStart;
    }
    if (text == u"-->" || text == u"--!>") {
        return TSkinLineKind::CommentEnd;
    }
    if (text.size() <= 2) {
        return TSkinLineKind::SyntaxError;
    }
    // Whatever the first and last characters are, they stand where the angle brackets do.
    QString inner = text.mid(1, text.size() - 2);
    if (inner.startsWith(u'?')) {
        return TSkinLineKind::Ignored;
    }
    const bool closing = inner.startsWith(u'/');
    if (closing) {
        inner.remove(0, 1);
    }
    qsizetype nameEnd = inner.indexOf(u' ');
    if (nameEnd < 0) {
        nameEnd = inner.indexOf(u'/');
    }
    name = nameEnd < 0 ? inner : inner.left(nameEnd);
    if (name.isEmpty()) {
        return TSkinLineKind::SyntaxError;
    }
    static const QString ValueKey = QStringLiteral("Value=");
    if (const qsizetype at = inner.indexOf(ValueKey); at >= 0) {
        value = inner.mid(at + ValueKey.size(), MaxSkinValueLength);
        if (const qsizetype quote = value.indexOf(u'"'); quote >= 0) {
            const qsizetype closingQuote = value.indexOf(u'"', quote + 1);
            value = closingQuote < 0 ? value.mid(quote + 1)
                                     : value.mid(quote + 1, closingQuote - quote - 1);
        }
    }
    if (inner.endsWith(u'/')) {
        return TSkinLineKind::Property;
    }
    return closing ? TSkinLineKind::Close : TSkinLineKind::Open;
}
