#pragma once

#include <string>
#include <vector>

#include "platform/Message.h"
#include "platform/ReadIssue.h"

namespace vornik {

// The editor's words for a refused file and for what a read left out, made
// from the codes. The reader's own detail is left to the command line.
Message RefusalMessage(const Refusal& refusal);
Message LossMessage(const Loss& loss);
// "\"name\" could not be read in full." and one line per loss.
Message LossesMessage(const std::string& path, const std::vector<Loss>& losses);
// A file that could not be opened: its name, the reason, its path.
Message OpenFailedMessage(const std::string& path, const Message& reason);

}  // namespace vornik
