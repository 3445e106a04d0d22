#pragma once

#include "platform/exception.h"

// A skin description the loader cannot follow; the message names what it found.
class ESkinError : public Exception {
public:
    using Exception::Exception;
};
