#pragma once

#include <QString>

#include "platform/Message.h"

namespace vornik {

// A core message in the interface's language: each template through the
// installed translators, filled with its values.
QString MessageText(const Message& message);

}  // namespace vornik
