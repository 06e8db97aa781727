#pragma once

#include <cstdint>
#include <functional>

#include "imaging/ByteReadStream.h"
#include "imaging/ByteWriteStream.h"
#include "imaging/TQvClipboard.h"
#include "imaging/TQvPalette.h"

namespace vornik {

// The graphic base every picture class of the imaging layer derives from: the
// framework graphic's operations plus the clipboard format of the class.
class TQvGraphic {
public:
    virtual ~TQvGraphic() = default;

    // The clipboard format this class reads and writes.
    virtual std::uint32_t ClipboardFormat() const = 0;

    // Takes the content of another graphic. The default asks the source to
    // assign itself to this one (AssignTo); a null source is refused by the
    // default (derived classes give it a meaning).
    virtual void Assign(const TQvGraphic* source);
    // Opens the clipboard, fetches the data of this class's format and the
    // CF_PALETTE data, loads them through LoadFromClipboardFormat and closes
    // the clipboard again, also on failure.
    virtual void Assign(TQvClipboard& clipboard);
    // Gives this graphic's content to target. The default refuses
    // ("Cannot assign a <class> to a <class>").
    virtual void AssignTo(TQvGraphic* target) const;

    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // The graphic's palette, owned by the graphic; null when it has none.
    virtual const TQvPalette* GetPalette() const = 0;
    virtual void SetPalette(const TQvPalette* palette) = 0;

    virtual void LoadFromStream(ByteReadStream& stream) = 0;
    virtual void SaveToStream(ByteWriteStream& stream) const = 0;
    // data null means "no data". The palette may be null.
    virtual void LoadFromClipboardFormat(std::uint32_t format, const Bytes* data, const TQvPalette* palette) = 0;
    virtual TQvClipboardData SaveToClipboardFormat() const = 0;

    // Class name for messages.
    virtual const char* ClassName() const { return "TQvGraphic"; }

    // Set after a change of the colours; the owner clears it when it has
    // realised the new palette.
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool value) { paletteModified_ = value; }

    // Change notification: called after every change of content.
    void SetOnChange(std::function<void(TQvGraphic&)> handler) { onChange_ = std::move(handler); }
    void Changed() {
        if (onChange_) onChange_(*this);
    }

protected:
    TQvGraphic() = default;
    TQvGraphic(const TQvGraphic&) {}
    TQvGraphic& operator=(const TQvGraphic&) { return *this; }

    bool paletteModified_ = false;

private:
    std::function<void(TQvGraphic&)> onChange_;
};

}  // namespace vornik
