#pragma once

#include <string>
#include <vector>

#include "platform/ReadIssue.h"

namespace vornik::cli {

// The command line's English for why a file was refused and for what a read
// left out, made from their codes; the reader's own detail follows in
// brackets (readers leave out wording that is not ours, such as the bitmap
// codec's).
std::string EnglishRefusal(const Refusal& refusal);
std::string EnglishLoss(const Loss& loss);

// "vornik-cli COMMAND: "PATH": TEXT" on standard error, one line each.
void PrintRefusal(const std::string& command, const std::string& path, const Refusal& refusal);
void PrintLosses(const std::string& command, const std::string& path, const std::vector<Loss>& losses);

// For readers deep in a command: says what an input's read left out, under
// the running command's name, and marks the run so that the command exits 1
// even when it wrote its results. RunCli begins each command's record.
void ReportLosses(const std::string& path, const std::vector<Loss>& losses);
void BeginLossRecord(const std::string& command);
bool LossesReported();

}  // namespace vornik::cli
