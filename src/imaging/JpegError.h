#pragma once

#include <string>

#include "platform/Errors.h"

namespace vornik {

// A JPEG that libjpeg refused (corrupt, truncated, unsupported) or that is too
// large to decode; the message is libjpeg's own text or names the limit.
class EJpegError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

}  // namespace vornik
