#include "model/ExeImageWalk.h"

#include "model/ExeFileView.h"
#include "model/ExeResourceSet.h"
#include "model/ExeResources.h"
#include "model/ExeScanner.h"

namespace vornik {

namespace {

ExeWalkResult walk(const std::uint8_t* data, std::size_t size, const ExeFileView* view,
                   const std::function<bool(ExeImage&)>& take) {
    ExeWalkResult result;
    std::size_t handed = 0;
    const auto counting = [&](ExeImage& image) {
        ++handed;
        return take(image);
    };
    const ExeResources res = ReadExeResources(data, size);
    if (res.present) {
        result.fromResources = true;
        result.notes = res.problems;
        std::function<void(std::size_t, std::size_t)> done;
        if (view) done = [view](std::size_t offset, std::size_t length) { view->Release(offset, length); };
        WalkResourceImages(data, size, res, result.notes, counting, done);
    } else {
        if (!res.damage.empty())
            result.notes.push_back("the resource directory is damaged (" + res.damage +
                                   "); the file was searched for icon images instead");
        std::function<void(std::size_t)> passed;
        std::size_t released = 0;
        if (view) {
            view->ExpectSequentialReads();
            passed = [view, &released](std::size_t offset) {
                view->Release(released, offset - released);
                released = offset;
            };
        }
        const ExeScanResult scan = ScanExeImagesEach(data, size, counting, passed);
        result.truncated = scan.truncated;
        result.truncatedAt = scan.truncatedAt;
    }
    result.images = handed;
    return result;
}

}  // namespace

ExeWalkResult WalkExeImages(const std::string& path, const std::function<bool(ExeImage&)>& take) {
    const ExeFileView file(path);
    // The headers, the directory and the images it names are read where they lie.
    file.ExpectRandomReads();
    return walk(file.data(), file.size(), &file, take);
}

ExeWalkResult WalkExeImages(const std::uint8_t* data, std::size_t size, const std::function<bool(ExeImage&)>& take) {
    return walk(data, size, nullptr, take);
}

}  // namespace vornik
