#include "imaging/QvDIBErrors.h"

namespace vornik {

Message BitmapDataMessage(const std::string& routineText) {
    // "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 4" → "Bad RLE Data 4"
    const std::size_t colon = routineText.find(": ");
    const std::string detail = colon == std::string::npos ? routineText : routineText.substr(colon + 2);
    return Message("Bitmap", VORNIK_TRANSLATE_NOOP("Bitmap", "The bitmap data is not valid (%1)"), {detail});
}

}  // namespace vornik
