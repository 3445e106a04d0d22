#pragma once

#include "platform/exception.h"

// An error of the playlist's own work (a folder nested too deep to scan); the text is the
// user's message.
class EPlaylistError : public Exception {
public:
    using Exception::Exception;
};
