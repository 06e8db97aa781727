#include "platform/Errors.h"

namespace vornik {

Message MessageOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const EVornikError*>(&error)) return own->message();
    return Message::Plain(error.what());
}

}  // namespace vornik
