#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "anim/AniHeader.h"
#include "anim/AniStep.h"
#include "anim/FrameImages.h"
#include "model/TIconEx.h"
#include "platform/Bytes.h"
#include "platform/ReadIssue.h"

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
    // Every image of each frame, by frame number (FrameImages.h). AddFrame
    // and DeleteFrame keep it in step with the entries; a frame past its end
    // or without images is its entry alone.
    std::vector<FrameImageList> FrameImages;
    // What the last LoadFromFile or LoadFromMemory left out of the file.
    std::vector<Loss> LoadLosses;
    // Title and creator may be saved as UTF-8 as they are held: read so, or
    // chosen by the user; no question before saving then.
    bool KeepInfoUtf8 = false;

    // --- ANI files ---
    // Replaces the content by the file's. False when the path is empty or the
    // file missing (set unchanged, no message), when the file is not
    // "RIFF" ... "ACON" (with a message), or when a frame's first image is
    // PNG-compressed (with a message, set empty). True otherwise, also when
    // reading stopped at a damaged chunk (the damaged-chunk notice naming the tag, no
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

    // --- frames of several images ---
    // Number of images of a frame (1 when it is its entry alone).
    int FrameImageCount(int frame) const;
    // The image list of a frame, or nullptr when it is its entry alone.
    const FrameImageList* ImagesOfFrame(int frame) const;
    // Image k of a frame, decoded into out (directory fields and blocks); the
    // shown image is the frame's entry as it is now. The problem, or "".
    std::string DecodeFrameImage(int frame, int k, IconEntry& out) const;
    // Makes the given images, in their order, the images of an existing frame;
    // the one nearest 32 pixels becomes the frame's entry. For readers of
    // formats that hold several sizes of one frame. The problem, or "" (the
    // frame is then unchanged).
    std::string SetFrameImages(int frame, const std::vector<IconEntry>& images);

    // The steps in use (AnimHeader.StepCount, never above kMaxSteps).
    int StepCount() const;
};

}  // namespace vornik
