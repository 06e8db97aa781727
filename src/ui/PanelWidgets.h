#pragma once

#include <QString>
#include <string_view>

class QScrollArea;
class QToolButton;
class QWidget;

namespace vornik {

class TPictureView;

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// A text-only button that stretches across its row of the panel.
QToolButton* PanelButton(QWidget* parent, const QString& name, const QString& text);

// A box that shows a picture view at 1:1 from its top left corner.
QScrollArea* PictureBox(QWidget* parent, const QString& name, TPictureView* view);

}  // namespace vornik
