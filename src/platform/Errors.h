#pragma once

#include <stdexcept>
#include <string>

#include "platform/Message.h"

namespace vornik {

// Base of every exception the system raises with a message of its own.
// The application shows the message in a box and abandons the command; what()
// is its English, as the command line prints it.
class EVornikError : public std::runtime_error {
public:
    explicit EVornikError(const std::string& text)
        : std::runtime_error(text), message_(Message::Plain(text)) {}
    explicit EVornikError(Message message)
        : std::runtime_error(EnglishText(message)), message_(std::move(message)) {}
    // what() in the routine's words, the message in the user's.
    EVornikError(const std::string& text, Message message)
        : std::runtime_error(text), message_(std::move(message)) {}
    const Message& message() const { return message_; }

private:
    Message message_;
};

// Failures of the file layer (cannot open, read, create, write, rename).
// The message names the file.
class EInOutError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// A file that ends inside a structure it declares.
class EEndOfFile : public EInOutError {
public:
    using EInOutError::EInOutError;
};

// The message of any exception: its own for ours, else what() as it stands.
Message MessageOf(const std::exception& error);

}  // namespace vornik
