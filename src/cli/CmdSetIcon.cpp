// vornik-cli set-icon PROGRAM ICON -o OUT
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/OutputGuard.h"
#include "formats/ProgramIcon.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

std::uint16_t languageOption(const std::string& text) {
    std::size_t used = 0;
    unsigned long v = 0;
    try {
        v = std::stoul(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || v > 0xFFFF || text[0] == '-' || text[0] == '+')
        throw UsageError("--lang takes a language id from 0 to 65535 (1033 or 0x409)");
    return static_cast<std::uint16_t>(v);
}

int runSetIcon(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, language;
    ProgramIconOptions options;
    if (!TakeOption(args, "-o", out) && !TakeOption(args, "--output", out)) throw UsageError("-o OUT is required");
    TakeOption(args, "--group", options.group);
    if (TakeOption(args, "--lang", language)) {
        options.hasLanguage = true;
        options.language = languageOption(language);
    }
    options.add = TakeFlag(args, "--add");
    options.stripSignature = TakeFlag(args, "--strip-signature");
    RejectUnknownOptions(args);
    if (args.size() != 2) throw UsageError("expected PROGRAM and ICON");
    const std::string& program = args[0];
    RefuseOutputOverInput(program, out);
    const Bytes exe = ReadFileBytes(program);
    const Bytes icon = ReadFileBytes(args[1]);
    const ProgramIconResult r = SetProgramIcon(exe.data(), exe.size(), icon.data(), icon.size(), options);
    if (r.refusal != ProgramIconRefusal::None) {
        const std::string& named = r.refusal == ProgramIconRefusal::BadIconFile ? args[1] : program;
        std::fprintf(CliErr(), "vornik-cli set-icon: \"%s\": %s; nothing written\n", named.c_str(), r.reason.c_str());
        return 1;
    }
    WriteFileReplacing(out, r.output);
    for (const std::string& note : r.notes) std::fprintf(CliErr(), "vornik-cli set-icon: %s\n", note.c_str());
    return 0;
}

const CommandRegistration registration(
    {"set-icon",
     "  set-icon PROGRAM ICON.ico|CURSOR.cur -o OUT [--group NAME|ID] [--lang ID] [--add] [--strip-signature]\n"
     "                       write the images of the icon (or cursor) into a copy of the program (EXE, DLL)\n"
     "                       as its first icon (cursor) group, or the group named; --add adds a new group;\n"
     "                       a signed program is refused unless --strip-signature removes its certificate",
     runSetIcon});

}  // namespace

}  // namespace vornik::cli
