#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace vornik {

// The program's own icon, drawn in code at any size (ARGB32): a cursor arrow
// over a framed picture.
QImage DrawAppIcon(int size);

// An ICO file holding the given pictures as 32-bit entries with AND masks
// (transparent where alpha is 0). Sides up to 256.
QByteArray EncodeIco(const std::vector<QImage>& pictures);

}  // namespace vornik
