#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace vornik {

// A group box of radio buttons, one per item, stacked; the buttons join
// `group` with ids 0, 1, ... in item order. None is checked.
QGroupBox* RadioGroupBox(QWidget* parent, const QString& title, const QStringList& items, QButtonGroup* group);

}  // namespace vornik
