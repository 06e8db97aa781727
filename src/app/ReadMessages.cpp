#include "app/ReadMessages.h"

#include <filesystem>

namespace vornik {

namespace {

Message reason(RefusalCode code) {
    const char* text = VORNIK_TRANSLATE_NOOP("Read", "The file cannot be read.");
    switch (code) {
        case RefusalCode::FileMissing:
            text = VORNIK_TRANSLATE_NOOP("Read", "The file does not exist.");
            break;
        case RefusalCode::CannotRead:
            text = VORNIK_TRANSLATE_NOOP("Read", "The file cannot be opened or read.");
            break;
        case RefusalCode::TooLarge:
            text = VORNIK_TRANSLATE_NOOP("Read", "The file is too large to read.");
            break;
        case RefusalCode::EndsEarly:
            text = VORNIK_TRANSLATE_NOOP("Read", "The file is cut short.");
            break;
        case RefusalCode::Damaged:
            text = VORNIK_TRANSLATE_NOOP("Read", "The file is damaged and cannot be read.");
            break;
        case RefusalCode::NotThisFormat:
            text = VORNIK_TRANSLATE_NOOP("Read", "The contents are not in a format this program reads.");
            break;
        case RefusalCode::NoImages:
            text = VORNIK_TRANSLATE_NOOP("Read", "No icon or cursor images were found.");
            break;
        case RefusalCode::Unsupported:
            text = VORNIK_TRANSLATE_NOOP("Read", "This kind of file is not supported.");
            break;
        case RefusalCode::NotForCommand:
            text = VORNIK_TRANSLATE_NOOP("Read", "This is a picture file, not an icon or cursor file.");
            break;
    }
    return Message("Read", text);
}

std::string fileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

Message RefusalMessage(const Refusal& refusal) {
    if (refusal.where.empty()) return reason(refusal.code);
    return Message("", "%1(%2)", {reason(refusal.code), refusal.where});
}

Message LossMessage(const Loss& loss) {
    const auto n = loss.count;
    switch (loss.code) {
        case LossCode::EntriesLeftOut:
            return Message("Read",
                           VORNIK_TRANSLATE_NOOP("Read", "%1 images were over the limit and were not read."),
                           {n});
        case LossCode::FrameDropped:
            return Message("Read", VORNIK_TRANSLATE_NOOP("Read", "Frame %1 is damaged and was not read."),
                           {n});
        case LossCode::StepsDropped:
            return Message("Read", VORNIK_TRANSLATE_NOOP("Read", "%1 steps were not read."), {n});
        case LossCode::RowsMissing:
            return Message("Read",
                           VORNIK_TRANSLATE_NOOP("Read", "The picture data ends early; %1 rows are missing."),
                           {n});
        case LossCode::ResourcesSkipped:
            if (loss.detail.empty())
                return Message(
                    "Read", VORNIK_TRANSLATE_NOOP("Read", "%1 resources could not be read and were skipped."),
                    {n});
            return Message(
                "Read", VORNIK_TRANSLATE_NOOP("Read", "%1 resources could not be read and were skipped.(%2)"),
                {n, loss.detail});
        case LossCode::ImageCut:
            return Message("Read",
                           VORNIK_TRANSLATE_NOOP(
                               "Read", "The last image is cut off by the end of the file and was not read."));
    }
    return Message::Plain({});
}

Message LossesMessage(const std::string& path, const std::vector<Loss>& losses) {
    Message text("Read", VORNIK_TRANSLATE_NOOP("Read", "\"%1\" could not be read in full."),
                 {fileName(path)});
    for (const auto& loss : losses) text = Message("", "%1\n%2", {text, LossMessage(loss)});
    return Message("", "%1\n(%2)", {text, path});
}

Message OpenFailedMessage(const std::string& path, const Message& reason) {
    return Message("Read", VORNIK_TRANSLATE_NOOP("Read", "The file \"%1\" could not be opened.\n%2\n(%3)"),
                   {fileName(path), reason, path});
}

}  // namespace vornik
