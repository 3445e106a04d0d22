#pragma once

#include "platform/exception.h"
#include "skin_line.h"

#include <QString>

// A skin description the loader cannot follow; the message names what it found.
class ESkinError : public Exception {
public:
    using Exception::Exception;
    // The reason followed by the text it quotes from the description, cut to
    // MaxSkinValueLength characters as values are, so that no line makes a message of its size.
    ESkinError(const QString& reason, const QString& quoted)
        : Exception((reason + quoted.left(MaxSkinValueLength)).toStdString()) {}
};
