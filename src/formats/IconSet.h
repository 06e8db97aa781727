#pragma once

#include <set>
#include <string>
#include <vector>

#include "formats/IconComposite.h"
#include "imaging/TQvDIB.h"
#include "platform/Bytes.h"
#include "platform/Errors.h"

namespace vornik {

// An application's icons for every platform from one drawing.

enum class IconPlatform { Windows, Macos, Linux, Web, Ios, Android };

// "windows,macos,linux,web,ios,android" (any of them, any order) as a set;
// EVornikError naming an unknown word.
std::set<IconPlatform> ParseIconPlatforms(const std::string& list);
// "#RRGGBB", "RRGGBB", "#RGB", "white" or "black"; EVornikError otherwise.
Rgb ParseBackgroundColour(const std::string& text);

// Where the pictures come from: the drawing as a square of any side (32-bit,
// straight alpha, drawn afresh at that side where it can be), and the SVG
// text when the drawing is one.
class IconDrawing {
public:
    virtual ~IconDrawing() = default;
    // The sides about to be asked for, so they can be drawn in one go.
    virtual void Prepare(const std::vector<int>& sides) { (void)sides; }
    virtual TQvDIB Square(int side) = 0;
    // The SVG document (decompressed), or null for a raster drawing.
    virtual const Bytes* SvgText() const = 0;
};

struct IconSetOptions {
    std::string name = "app";  // hicolor's file names, the web manifest's name
    std::set<IconPlatform> platforms = {IconPlatform::Windows, IconPlatform::Macos, IconPlatform::Linux,
                                        IconPlatform::Web,     IconPlatform::Ios,   IconPlatform::Android};
    Rgb background = 0xFFFFFF;  // behind icons that must be opaque
};

// One file of the set: its path relative to the set's folder, and its bytes.
struct IconSetFile {
    std::string path;
    Bytes content;
};

// Every file of the set, platform by platform in the order of the enum.
std::vector<IconSetFile> BuildIconSet(IconDrawing& drawing, const IconSetOptions& options);

// The sides of the full-square pictures the platforms ask for (safe-zone
// icons are drawn at sides found from the drawing itself).
std::vector<int> IconSetSides(const std::set<IconPlatform>& platforms);

// A file of the set that already exists and is not to be replaced.
class EIconSetFileExists : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// Writes the files under dir, making folders as needed, and answers their
// paths. Without overwrite a file that exists stops it before anything is
// written (EIconSetFileExists naming it), so a set is never a mixture of two
// drawings. EInOutError when a folder cannot be made.
std::vector<std::string> WriteIconSet(const std::string& dir, const std::vector<IconSetFile>& files,
                                      bool overwrite);

}  // namespace vornik
