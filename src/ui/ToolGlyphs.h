#pragma once

#include <QIcon>
#include <QString>

class QStyle;

namespace vornik {

// The picture of a tool bar button, drawn in code (the style's own where it
// has one). A null icon for names without a picture.
QIcon ToolGlyph(const QString& name, const QStyle* style);

}  // namespace vornik
