#include "cli/StdStreams.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cli/CliCommand.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/TempFolder.h"
#include "formats/FormatRegistry.h"

namespace vornik::cli {

namespace {

// The copy of standard input of the running command, for ShownFileName.
std::string g_stdinCopy;

// Standard input is held in full; no picture or icon file comes near this.
constexpr std::size_t kMaxStdinBytes = 256u << 20;

bool hasOption(const std::vector<std::string>& args, std::size_t end, const std::string& name) {
    for (std::size_t i = 0; i < end; ++i)
        if (args[i] == name || args[i].rfind(name + "=", 0) == 0) return true;
    return false;
}

// The format a command writes to "-o -": what it writes when OUT has this extension.
std::string outputExtension(const std::string& command, const std::vector<std::string>& args, std::size_t end,
                            const std::string& input) {
    if (command == "convert") return hasOption(args, end, "--hotspot") ? ".cur" : ".ico";
    if (command == "export") return ".ico";
    if (command == "picture") return ".bmp";
    if (command == "animate") return ".ani";
    if (command == "resave") return std::filesystem::path(input).extension().string();
    return "";
}

Bytes readStdin() {
    Bytes data;
    unsigned char chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, stdin);
        if (n > 0) {
            if (data.size() + n > kMaxStdinBytes)
                throw EVornikError("standard input is larger than " + std::to_string(kMaxStdinBytes >> 20) +
                                   " MiB");
            data.insert(data.end(), chunk, chunk + n);
        }
        if (n < sizeof chunk) break;
    }
    if (std::ferror(stdin)) throw EVornikError("cannot read standard input");
    return data;
}

}  // namespace

std::string ShownFileName(const std::string& path) { return path == g_stdinCopy && !path.empty() ? "-" : path; }

std::string ExtensionForContent(const unsigned char* data, std::size_t size) {
    // Named for the format the registry finds, so the commands that still
    // go by a name read it as they would read the same file on disk.
    const FileFormat& f = DetectFormat({data, size, size}, "");
    if (f.name == "Xcursor") return "";
    return f.extensions.empty() ? ".bin" : f.extensions.front();
}

StdStreams::~StdStreams() {
    if (g_stdinCopy == input_) g_stdinCopy.clear();
    if (folder_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::string StdStreams::folder() {
    if (folder_.empty()) {
        std::string pattern = (std::filesystem::path(TempFolder()) / "vornik-cli-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw EVornikError("cannot make a temporary folder in " + TempFolder());
        folder_ = pattern;
    }
    return folder_;
}

void StdStreams::Prepare(const std::string& command, std::vector<std::string>& args, std::size_t operandTail,
                         bool lastOperandIsOutput) {
    const std::size_t optionEnd = args.size() - std::min(operandTail, args.size());
    std::vector<std::size_t> outputs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool inOptions = i < optionEnd;
        if (inOptions && (a == "-o=-" || a == "--output=-")) {
            outputs.push_back(i);
        } else if (a == "-") {
            const bool afterOutputOption = i > 0 && i - 1 < optionEnd && (args[i - 1] == "-o" || args[i - 1] == "--output");
            if (afterOutputOption || (lastOperandIsOutput && i + 1 == args.size() && i > 0)) {
                outputs.push_back(i);
            } else {
                if (!input_.empty()) throw UsageError("standard input (-) can be read only once");
                const Bytes data = readStdin();
                input_ = (std::filesystem::path(folder()) / ("stdin" + ExtensionForContent(data.data(), data.size())))
                             .string();
                WriteFileReplacing(input_, data);
                g_stdinCopy = input_;
                args[i] = input_;
            }
        }
    }
    if (outputs.size() > 1) throw UsageError("standard output (-) can be written only once");
    if (outputs.empty()) return;
    const std::string ext = outputExtension(command, args, optionEnd, input_.empty() && !args.empty() ? args[0] : input_);
    output_ = (std::filesystem::path(folder()) / ("CliOut()" + ext)).string();
    std::string& a = args[outputs[0]];
    a = a == "-" ? output_ : a.substr(0, a.find('=') + 1) + output_;
}

bool StdStreams::Finish(const std::string& command) {
    std::error_code ec;
    if (output_.empty() || !std::filesystem::exists(output_, ec)) return true;
    if (!std::filesystem::is_regular_file(output_, ec)) {
        std::fprintf(CliErr(), "vornik-cli %s: standard output takes one file, not a folder\n", command.c_str());
        return false;
    }
    try {
        const Bytes data = ReadFileBytes(output_);
        if (std::fwrite(data.data(), 1, data.size(), CliOut()) != data.size() || std::fflush(CliOut()) != 0) {
            std::fprintf(CliErr(), "vornik-cli %s: cannot write standard output\n", command.c_str());
            return false;
        }
    } catch (const std::exception& e) {
        std::fprintf(CliErr(), "vornik-cli %s: %s\n", command.c_str(), Describe(e.what()).c_str());
        return false;
    }
    return true;
}

std::string StdStreams::Describe(const std::string& text) const {
    std::string out = text;
    for (const std::string* name : {&input_, &output_}) {
        if (name->empty()) continue;
        for (std::size_t at = out.find(*name); at != std::string::npos; at = out.find(*name, at + 1))
            out.replace(at, name->size(), "-");
    }
    return out;
}

}  // namespace vornik::cli
