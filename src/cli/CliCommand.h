#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornik::cli {

// A wrong command line: main prints the message and the usage, exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& m) : std::runtime_error(m) {}
};

// One subcommand. run gets the arguments after the command's name and returns
// the exit status (0 success, 1 refused file or error). It may throw
// UsageError (status 2) or any EVornikError (message printed, status 1).
struct CliCommand {
    std::string name;
    std::string usage;  // one or more lines shown by --help
    int (*run)(const std::vector<std::string>& args);
};

// Each command file registers itself with a static CommandRegistration
// (cli/ is an object library, so every command file is linked).
void RegisterCommand(CliCommand command);
const std::vector<CliCommand>& Commands();

struct CommandRegistration {
    explicit CommandRegistration(CliCommand command) { RegisterCommand(std::move(command)); }
};

// Small helpers for parsing: takes "--name VALUE" out of args (UsageError
// when the value is missing); returns whether a flag was present.
bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// Fails with UsageError on any remaining "--..." argument.
void RejectUnknownOptions(const std::vector<std::string>& args);

// Standard output and standard error of the running command: what RunCli
// was given (the process's own streams for the program).
std::FILE* CliOut();
std::FILE* CliErr();

}  // namespace vornik::cli
