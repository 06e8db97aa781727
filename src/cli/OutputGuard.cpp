#include "cli/OutputGuard.h"

#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

void RefuseOutputOverInput(const std::string& input, const std::string& output) {
    if (SameFile(input, output))
        throw EInOutError("\"" + output + "\" is the input file \"" + input + "\"; write to another file");
}

}  // namespace vornik::cli
