#include "messages.h"

#include <algorithm>

#define QUAVREL_MESSAGE(name, key, text) QString name = QString::fromUtf8(text);
#define QUAVREL_MESSAGE_AGAIN(name, key)
#include "message_list.h"
#undef QUAVREL_MESSAGE
#undef QUAVREL_MESSAGE_AGAIN

namespace {

QString DefaultOf(const std::vector<MessageEntry>& entries, const QString* message) {
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const MessageEntry& e) { return e.Text == message; });
    return entry != entries.end() ? entry->Default : *message;
}

// Built on first use rather than by static initialisation, so that it never depends on the
// order in which the program's files are initialised; defaults come from the list itself.
std::vector<MessageEntry>& Registry() {
    static std::vector<MessageEntry> registry = [] {
        std::vector<MessageEntry> entries;
#define QUAVREL_MESSAGE(name, key, text)                                                           \
    entries.push_back({QStringLiteral(key), &name, QString::fromUtf8(text)});
#define QUAVREL_MESSAGE_AGAIN(name, key)                                                           \
    entries.push_back({QStringLiteral(key), &name, DefaultOf(entries, &name)});
#include "message_list.h"
#undef QUAVREL_MESSAGE
#undef QUAVREL_MESSAGE_AGAIN
        return entries;
    }();
    return registry;
}

} // namespace

void RegisterMessage(QString& message, const QString& key) {
    Registry().push_back({key, &message, message});
}

const std::vector<MessageEntry>& RegisteredMessages() {
    return Registry();
}

const QString SSkinErrorAtLine = QString::fromUtf8("%d行目でエラー発生しました。 %s%s");
const QString SSkinSyntaxError = QStringLiteral("Syntax Error : ");
const QString SSkinUnknownTag = QStringLiteral("Unknown Tag Error : ");
const QString SSkinIllegalTag = QStringLiteral("Illegal Tag : ");
const QString SSkinBadFunctionName = QStringLiteral("Bad Function Name : ");
const QString SSkinBadFunctionType = QStringLiteral("Bad Function Type : ");
const QString SSkinBadPropertyName = QStringLiteral("Bad Property Name : ");
const QString SSkinBadScrollType = QStringLiteral("Bad ScrollType Value : ");
const QString SSkinNoOpenControl = QStringLiteral("No control is open for the property : ");
const QString SSkinFileNotFound = QStringLiteral("Could not find the file : ");
const QString SSkinMalformedInteger = QStringLiteral("Malformed integer : ");
const QString SSkinMalformedColor = QStringLiteral("malformed color : ");
const QString SSkinValueOutOfRange = QStringLiteral("Value out of range (%d to %d) : %s");
const QString SSkinTooManyControls = QStringLiteral("Too many controls (at most %d)");
const QString SSkinTooManyPixelsInAll = QStringLiteral("Too many pixels in all (at most %d)");
const QString SSkinDefaultTitle = QStringLiteral("Skin%d");
const QString SInvalidBitmap = QStringLiteral("Bitmap image is not valid");
const QString SInvalidIcon = QStringLiteral("Icon image is not valid");
const QString SInvalidJpeg = QStringLiteral("JPEG image is not valid (%s)");
const QString SUnknownPictureExtension = QStringLiteral("Unknown picture file extension (.%s)");
const QString STooManyPixels =
    QStringLiteral("Too large : %d x %d (at most %d pixels, %d on a side)");
