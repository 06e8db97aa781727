#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "platform/Errors.h"

namespace vornik::cli {

namespace {
std::vector<CliCommand>& registry() {
    static std::vector<CliCommand> commands;
    return commands;
}
}  // namespace

void RegisterCommand(CliCommand command) { registry().push_back(std::move(command)); }
const std::vector<CliCommand>& Commands() { return registry(); }

bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + 1 >= args.size()) throw UsageError("option " + name + " needs a value");
        value = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return false;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

void RejectUnknownOptions(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a.size() > 1 && a[0] == '-' && a != "-") throw UsageError("unknown option " + a);
}

}  // namespace vornik::cli

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: vornik-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : vornik::cli::Commands()) std::fprintf(out, "%s\n", c.usage.c_str());
    std::fprintf(out,
                 "\nexit status: 0 success, 1 file refused or error (message on standard error), "
                 "2 usage error\n");
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vornik::cli;
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(stdout);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& c : Commands()) {
        if (c.name != name) continue;
        try {
            if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
                std::printf("%s\n", c.usage.c_str());
                return 0;
            }
            return c.run(args);
        } catch (const UsageError& e) {
            std::fprintf(stderr, "vornik-cli %s: %s\nusage:\n%s\n", name.c_str(), e.what(), c.usage.c_str());
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "vornik-cli %s: %s\n", name.c_str(), e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "vornik-cli: unknown command \"%s\"\n", name.c_str());
    printUsage(stderr);
    return 2;
}
