#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/RunCli.h"

namespace vornik::test {

// What one in-process run of the command line said and returned.
struct CliCapture {
    int status = -1;
    std::string out, err;
};

inline std::string DrainTempFile(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    return text;
}

// Runs the command line as a library, its two streams caught in files.
inline CliCapture RunCliCaptured(const std::vector<std::string>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    CliCapture r;
    r.status = cli::RunCli(args, out, err);
    r.out = DrainTempFile(out);
    r.err = DrainTempFile(err);
    return r;
}

}  // namespace vornik::test
