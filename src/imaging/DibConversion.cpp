#include "imaging/QvDIBErrors.h"
#include "imaging/TQvInternalDIB.h"

namespace vornik {

void TQvInternalDIB::ConverTo8BitRGB() { throw EQvDIBAssert("not yet"); }
void TQvInternalDIB::ConverToTrueColor() { throw EQvDIBAssert("not yet"); }
void TQvInternalDIB::ConverTo1Bit() { throw EQvDIBAssert("not yet"); }
void TQvInternalDIB::ConverTo4BitRGB() { throw EQvDIBAssert("not yet"); }
void TQvInternalDIB::ConverTo4BitFixed() { throw EQvDIBAssert("not yet"); }
void TQvInternalDIB::Reduce4Bit(bool) {}

}  // namespace vornik
