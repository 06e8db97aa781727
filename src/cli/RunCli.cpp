#include "cli/RunCli.h"

#include <algorithm>
#include <exception>

#include "VornikVersion.h"
#include "cli/CliCommand.h"
#include "cli/CliNotices.h"
#include "cli/ReadNotes.h"
#include "cli/StdStreams.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace vornik::cli {

namespace {

std::vector<CliCommand>& registry() {
    static std::vector<CliCommand> commands;
    return commands;
}

// Where the running command writes; the process's streams until RunCli sets others.
std::FILE* g_out = nullptr;
std::FILE* g_err = nullptr;

// Arguments after "--" are operands, never options. They stay at the end of a
// command's list (options are only ever taken out before them), so counting
// them is enough to keep the helpers off them.
std::size_t g_operandTail = 0;

std::size_t optionEnd(const std::vector<std::string>& args) {
    return args.size() - std::min(g_operandTail, args.size());
}

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: vornik-cli COMMAND [ARGS]\n       vornik-cli --help | --version\n\ncommands:\n");
    for (const auto& c : Commands()) std::fprintf(out, "%s\n", c.usage.c_str());
    std::fprintf(out,
                 "\nexit status: 0 success, 1 file refused or error (message on standard error), "
                 "2 usage error\n"
                 "options: --name=VALUE is --name VALUE; arguments after -- are never options;\n"
                 "--force: files written may replace write-protected ones;\n"
                 "a file named - is standard input, or standard output where a file is written\n");
}

// Sets the command's streams for one run and puts the previous ones back.
struct StreamScope {
    StreamScope(std::FILE* out, std::FILE* err) : out_(g_out), err_(g_err), tail_(g_operandTail) {
        g_out = out;
        g_err = err;
        g_operandTail = 0;
    }
    ~StreamScope() {
        g_out = out_;
        g_err = err_;
        g_operandTail = tail_;
    }
    std::FILE* out_;
    std::FILE* err_;
    std::size_t tail_;
};

int runCommand(const CliCommand& c, std::vector<std::string> args) {
    const std::string& name = c.name;
    std::FILE* out = CliOut();
    std::FILE* err = CliErr();
    StdStreams streams;
    CliNoticeHandler notices;
    int rc = 0;
    try {
        if (args.size() == 1 && g_operandTail == 0 && (args[0] == "--help" || args[0] == "-h")) {
            std::fprintf(out, "%s\n", c.usage.c_str());
            return 0;
        }
        vornik::ReplaceWriteProtected(TakeFlag(args, "--force"));
        streams.Prepare(name, args, g_operandTail, name == "resave");
        vornik::ScopedNoticeHandler scope(&notices);
        BeginLossRecord(name);
        rc = c.run(args);
    } catch (const UsageError& e) {
        std::fprintf(err, "vornik-cli %s: %s\nusage:\n%s\n", name.c_str(), e.what(), c.usage.c_str());
        return 2;
    } catch (const std::exception& e) {
        notices.Print(err, name, [&](const std::string& t) { return streams.Describe(t); });
        const bool protectedFile = dynamic_cast<const vornik::EWriteProtected*>(&e) != nullptr;
        std::fprintf(err, "vornik-cli %s: %s%s\n", name.c_str(),
                     streams.Describe(EnglishText(MessageOf(e))).c_str(),
                     protectedFile ? "; --force replaces it" : "");
        return 1;
    }
    notices.Print(err, name, [&](const std::string& t) { return streams.Describe(t); });
    if (!streams.Finish(name)) rc = 1;
    // Data was left out: the result is not the whole input.
    if (rc == 0 && (notices.DroppedData() || LossesReported())) rc = 1;
    return rc;
}

}  // namespace

void RegisterCommand(CliCommand command) { registry().push_back(std::move(command)); }
const std::vector<CliCommand>& Commands() { return registry(); }

std::FILE* CliOut() { return g_out ? g_out : stdout; }
std::FILE* CliErr() { return g_err ? g_err : stderr; }

// "--name VALUE" and "--name=VALUE".
bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value) {
    const std::size_t end = optionEnd(args);
    for (std::size_t i = 0; i < end; ++i) {
        const auto at = args.begin() + static_cast<long>(i);
        if (args[i].size() > name.size() && args[i].compare(0, name.size() + 1, name + "=") == 0) {
            value = args[i].substr(name.size() + 1);
            args.erase(at);
            return true;
        }
        if (args[i] != name) continue;
        if (i + 1 >= end) throw UsageError("option " + name + " needs a value");
        value = args[i + 1];
        args.erase(at, at + 2);
        return true;
    }
    return false;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
    const std::size_t end = optionEnd(args);
    for (std::size_t i = 0; i < end; ++i) {
        if (args[i].rfind(name + "=", 0) == 0) throw UsageError("option " + name + " takes no value");
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

void RejectUnknownOptions(const std::vector<std::string>& args) {
    const std::size_t end = optionEnd(args);
    for (std::size_t i = 0; i < end; ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') throw UsageError("unknown option " + a.substr(0, a.find('=')));
    }
}

int RunCli(const std::vector<std::string>& argv, std::FILE* out, std::FILE* err) {
    StreamScope scope(out, err);
    if (argv.empty()) {
        printUsage(err);
        return 2;
    }
    const std::string& name = argv[0];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(out);
        return 0;
    }
    if (name == "--version") {
        std::fprintf(out, "vornik-cli %s\n", VORNIK_VERSION);
        return 0;
    }
    std::vector<std::string> args(argv.begin() + 1, argv.end());
    const auto dashes = std::find(args.begin(), args.end(), "--");
    if (dashes != args.end()) {
        g_operandTail = static_cast<std::size_t>(args.end() - dashes) - 1;
        args.erase(dashes);
    }
    for (const auto& c : Commands()) {
        if (c.name != name) continue;
        const int rc = runCommand(c, std::move(args));
        std::fflush(out);
        std::fflush(err);
        return rc;
    }
    std::fprintf(err, "vornik-cli: unknown command \"%s\"\n", name.c_str());
    printUsage(err);
    return 2;
}

}  // namespace vornik::cli
