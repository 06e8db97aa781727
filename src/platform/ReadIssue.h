#pragma once

#include <cstdint>
#include <string>

namespace vornik {

// Why a reader refused a file. Callers decide by the code; the words a person
// reads are made from it where the message is shown.
enum class RefusalCode {
    FileMissing,    // no such file
    CannotRead,     // the file could not be opened or read
    TooLarge,       // the file, or what its images decode to, is above a limit
    EndsEarly,      // the file ends inside a structure it declares
    Damaged,        // a structural field is wrong
    NotThisFormat,  // the bytes are not of the format the reader was asked for
    NoImages,       // the file was read but holds no image
    Unsupported,    // a variant of the format that is not read
    NotForCommand,  // read, but the command takes another kind of document
};

// What a reader left out of a file it otherwise read.
enum class LossCode {
    EntriesLeftOut,    // images beyond the table's limit (count)
    FrameDropped,      // a damaged frame chunk was passed over (where: "frame 3")
    StepsDropped,      // steps beyond the limit or naming a missing frame (count)
    RowsMissing,       // compressed pixel data ends early (count rows, where: the picture)
    ResourcesSkipped,  // resources of a program that could not be read (count)
    ImageCut,          // the last image ends with the file and was left out (where: its offset)
};

// where names the part of the file (a chunk, a frame, an entry) when there is
// one; detail is the reader's own wording, shown only after the message made
// from the code.
struct Refusal {
    RefusalCode code = RefusalCode::Damaged;
    std::string where;
    std::string detail;
    bool operator==(const Refusal&) const = default;
};

struct Loss {
    LossCode code = LossCode::FrameDropped;
    std::string where;
    std::uint64_t count = 0;
    std::string detail;
    bool operator==(const Loss&) const = default;
};

}  // namespace vornik
