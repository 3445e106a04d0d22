#pragma once

#include "platform/exception.h"

class ERiffStreamError : public Exception {
public:
    using Exception::Exception;
};
