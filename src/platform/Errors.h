#pragma once

#include <stdexcept>
#include <string>

namespace vornik {

// Base of every exception the system raises with a message of its own.
// The application shows what() in a box and abandons the command.
class EVornikError : public std::runtime_error {
public:
    explicit EVornikError(const std::string& message) : std::runtime_error(message) {}
};

// Failures of the file layer (cannot open, read, create, write, rename).
// The message names the file.
class EInOutError : public EVornikError {
public:
    explicit EInOutError(const std::string& message) : EVornikError(message) {}
};

// A file that ends inside a structure it declares.
class EEndOfFile : public EInOutError {
public:
    explicit EEndOfFile(const std::string& message) : EInOutError(message) {}
};

}  // namespace vornik
