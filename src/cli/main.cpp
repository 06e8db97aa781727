#include <cstdio>
#include <string>
#include <vector>

#include "cli/RunCli.h"

int main(int argc, char** argv) {
    return vornik::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}
