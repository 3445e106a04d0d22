#pragma once

#include <QString>
#include <vector>

// Every text the program composes for the user lives in one of these variables. Code reads
// them directly; a language file may replace them by key at start-up.
#define QUAVREL_MESSAGE(name, key, text) extern QString name;
#define QUAVREL_MESSAGE_AGAIN(name, key)
#include "message_list.h"
#undef QUAVREL_MESSAGE
#undef QUAVREL_MESSAGE_AGAIN

struct MessageEntry {
    QString Key;
    QString* Text;
    // The text at registration, against which a translation's placeholders are checked.
    QString Default;
};

// Appends a message to the registry; the message's text now is its default.
void RegisterMessage(QString& message, const QString& key);
// All registered messages in registration order, starting with every message of the list.
const std::vector<MessageEntry>& RegisteredMessages();

// Texts that no language file replaces. A skin author reads the loader's messages against the
// skin.xml they point into, so they read the same in every language; the picture messages
// are the picture loader's own.
extern const QString SSkinErrorAtLine;
extern const QString SSkinSyntaxError;
extern const QString SSkinUnknownTag;
extern const QString SSkinIllegalTag;
extern const QString SSkinBadFunctionName;
extern const QString SSkinBadFunctionType;
extern const QString SSkinBadPropertyName;
extern const QString SSkinBadScrollType;
extern const QString SSkinNoOpenControl;
extern const QString SSkinFileNotFound;
extern const QString SSkinMalformedInteger;
extern const QString SSkinMalformedColor;
extern const QString SSkinValueOutOfRange;
extern const QString SSkinTooManyControls;
extern const QString SSkinTooManyPixelsInAll;
extern const QString SSkinDefaultTitle;
extern const QString SInvalidBitmap;
extern const QString SInvalidIcon;
extern const QString SInvalidJpeg;
extern const QString SUnknownPictureExtension;
extern const QString STooManyPixels;
