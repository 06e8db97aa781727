#include "ui/RadioGroupBox.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace vornik {

QGroupBox* RadioGroupBox(QWidget* parent, const QString& title, const QStringList& items, QButtonGroup* group) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* r = new QRadioButton(items[i], box);
        group->addButton(r, i);
        layout->addWidget(r);
    }
    return box;
}

}  // namespace vornik
