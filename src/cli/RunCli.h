#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vornik::cli {

// Runs one command line, the arguments after the program's name, with out
// and err standing for standard output and standard error. Returns the exit
// status: 0 success, 1 a file refused or read with losses, or an error,
// 2 a usage error. Standard input is the process's own.
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace vornik::cli
