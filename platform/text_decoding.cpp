#include "text_decoding.h"

#include <QStringConverter>
#include <QStringDecoder>

QString DecodeLanguageText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder shiftJis("Shift_JIS");
    if (!shiftJis.isValid()) {
        return text;
    }
    return shiftJis(bytes);
}
