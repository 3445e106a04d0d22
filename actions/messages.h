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
