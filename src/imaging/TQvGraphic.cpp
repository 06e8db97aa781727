#include "imaging/TQvGraphic.h"

#include <string>

#include "platform/Errors.h"

namespace vornik {

void TQvGraphic::Assign(const TQvGraphic* source) {
    if (source == nullptr || source == this) {
        if (source == nullptr) throw EVornikError(std::string("Cannot assign a nil to a ") + ClassName());
        return;
    }
    source->AssignTo(this);
}

void TQvGraphic::AssignTo(TQvGraphic* target) const {
    throw EVornikError(std::string("Cannot assign a ") + ClassName() + " to a " +
                       (target ? target->ClassName() : "nil"));
}

void TQvGraphic::Assign(TQvClipboard& clipboard) {
    clipboard.Open();
    try {
        const std::uint32_t format = ClipboardFormat();
        LoadFromClipboardFormat(format, clipboard.GetData(format), clipboard.GetPalette());
    } catch (...) {
        clipboard.Close();
        throw;
    }
    clipboard.Close();
}

}  // namespace vornik
