#pragma once

// Runs vornik-cli (or another program through the shell) as a process, for the command-line tests.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace vornik::test {

struct AniCliRun {
    int status = -1;
    std::string out, err;
};

inline std::string ShellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command line, its output and errors caught.
inline AniCliRun RunShell(const std::string& commandLine) {
    TempDir dir;
    const std::string command =
        commandLine + " >" + ShellQuoted(dir.file("out")) + " 2>" + ShellQuoted(dir.file("err"));
    const int raw = std::system(command.c_str());
    AniCliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes out = ReadAll(dir.path() / "out"), err = ReadAll(dir.path() / "err");
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

inline AniCliRun RunVornikCli(const std::vector<std::string>& args) {
    std::string command = ShellQuoted(VORNIK_CLI_PATH);
    for (const auto& a : args) command += " " + ShellQuoted(a);
    return RunShell(command);
}

}  // namespace vornik::test
