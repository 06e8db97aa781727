#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "anim/AniHeader.h"
#include "anim/AniStep.h"
#include "model/TIconEx.h"
#include "platform/Bytes.h"

namespace vornik {

// An animated cursor: the set's entries are its frames; the step list says
// which frame is shown in which order and for how long.
class TAniEX : public TIconEx {
public:
    static constexpr int kMaxSteps = 100;

    // defaultRate is the option "defrate"; 0 means 10.
    explicit TAniEX(std::uint32_t defaultRate = 10);

    std::string Title;          // "INAM", bytes as held (Shift-JIS)
    std::string Creator;        // "IART", bytes as held (Shift-JIS)
    bool HasRateChunk = false;  // read from a file that had "rate"
    bool HasSeqChunk = false;   // read from a file that had "seq "
    AniHeader AnimHeader;
    std::array<AniStep, kMaxSteps> Steps{};
    std::uint32_t DefaultRate = 10;

    // --- ANI files ---
    // Replaces the content by the file's. False when the path is empty or the
    // file missing (set unchanged, no message), when the file is not
    // "RIFF" ... "ACON" (with a message), or when a frame's first image is
    // PNG-compressed (with a message, set empty). True otherwise, also when
    // reading stopped at a damaged chunk ("ファイルが壊れています:" + tag, no
    // frames; LoadError() then says so). A file that ends inside a chunk
    // throws EInOutError naming the file and leaves the set empty.
    bool LoadFromFile(const std::string& path);
    // The same over bytes in memory; name is used in messages.
    bool LoadFromMemory(const std::uint8_t* data, std::size_t size, const std::string& name);

    // Writes the set as an ANI file (replacing the file only when all was
    // written). Throws EInOutError, or EVornikError for a frame without image.
    void SaveToFile(const std::string& path);
    // The bytes SaveToFile writes, with the same updates of the set.
    Bytes SaveToBytes();

    // --- frames and steps ---
    int AddFrame();                                     // new frame's number, or -1
    int DeleteFrame(int frame);                         // frame, or -1
    int InsertStep(int frame, int position, int rate);  // position -1 appends; 0 or -1
    int DeleteStep(int step);                           // 0 or -1

    // The steps in use (AnimHeader.StepCount, never above kMaxSteps).
    int StepCount() const;
};

}  // namespace vornik
