#include "cli/ReadNotes.h"

#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/StdStreams.h"

namespace vornik::cli {

namespace {

std::string reason(RefusalCode code) {
    switch (code) {
        case RefusalCode::FileMissing: return "no such file";
        case RefusalCode::CannotRead: return "the file cannot be opened or read";
        case RefusalCode::TooLarge: return "the file is too large to read";
        case RefusalCode::EndsEarly: return "the file ends early";
        case RefusalCode::Damaged: return "the file is damaged";
        case RefusalCode::NotThisFormat: return "the content is not in a format that can be read";
        case RefusalCode::NoImages: return "no icon images found";
        case RefusalCode::Unsupported: return "this kind of file is not supported";
        case RefusalCode::NotForCommand: return "a picture, not a set of icon entries";
    }
    return "cannot be read";
}

std::string plural(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string EnglishRefusal(const Refusal& refusal) {
    std::string inBrackets = refusal.where;
    if (!refusal.detail.empty()) inBrackets += (inBrackets.empty() ? "" : ": ") + refusal.detail;
    return reason(refusal.code) + (inBrackets.empty() ? "" : " (" + inBrackets + ")");
}

std::string EnglishLoss(const Loss& loss) {
    switch (loss.code) {
        case LossCode::EntriesLeftOut:
            return plural(loss.count, "image", "images") + " beyond the limit not read";
        case LossCode::FrameDropped:
            return "frame " + std::to_string(loss.count) + " is damaged and was left out" +
                   (loss.where.empty() ? "" : " (" + loss.where + ")");
        case LossCode::StepsDropped:
            return plural(loss.count, "step", "steps") + " left out";
        case LossCode::RowsMissing:
            return "the pixel data ends early: " + plural(loss.count, "row is", "rows are") + " missing" +
                   (loss.where.empty() ? "" : " (" + loss.where + ")");
        case LossCode::ResourcesSkipped:
            // The detail is our own description of each skipped resource.
            return plural(loss.count, "resource", "resources") + " could not be read and were skipped" +
                   (loss.detail.empty() ? "" : " (" + loss.detail + ")");
        case LossCode::ImageCut:
            return "the last image runs past the end of the file and was left out" +
                   (loss.where.empty() ? std::string() : " (" + loss.where + ")");
    }
    return "part of the file was not read";
}

void PrintRefusal(const std::string& command, const std::string& path, const Refusal& refusal) {
    std::fprintf(CliErr(), "vornik-cli %s: \"%s\": %s\n", command.c_str(), ShownFileName(path).c_str(), EnglishRefusal(refusal).c_str());
}

void PrintLosses(const std::string& command, const std::string& path, const std::vector<Loss>& losses) {
    for (const Loss& loss : losses)
        std::fprintf(CliErr(), "vornik-cli %s: \"%s\": read with losses: %s\n", command.c_str(),
                     ShownFileName(path).c_str(), EnglishLoss(loss).c_str());
}

namespace {
std::string g_command;
bool g_lossesReported = false;
}  // namespace

void BeginLossRecord(const std::string& command) {
    g_command = command;
    g_lossesReported = false;
}

bool LossesReported() { return g_lossesReported; }

void ReportLosses(const std::string& path, const std::vector<Loss>& losses) {
    if (losses.empty()) return;
    PrintLosses(g_command, path, losses);
    g_lossesReported = true;
}

}  // namespace vornik::cli
