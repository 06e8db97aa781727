#pragma once

#include <string>
#include <vector>

#include "platform/ReadIssue.h"

namespace vornik {

// The editor's words for a refused file and for what a read left out, made
// from the codes. The reader's own detail follows in brackets.
std::string RefusalMessage(const Refusal& refusal);
std::string LossMessage(const Loss& loss);
// "「name」は一部を読み込めませんでした。" and one line per loss.
std::string LossesMessage(const std::string& path, const std::vector<Loss>& losses);

}  // namespace vornik
