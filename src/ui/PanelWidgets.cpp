#include "ui/PanelWidgets.h"

#include <QScrollArea>
#include <QToolButton>

#include "ui/TPictureView.h"

namespace vornik {

QToolButton* PanelButton(QWidget* parent, const QString& name, const QString& text) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QScrollArea* PictureBox(QWidget* parent, const QString& name, TPictureView* view) {
    auto* box = new QScrollArea(parent);
    box->setObjectName(name);
    box->setWidget(view);
    box->setWidgetResizable(false);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setBackgroundRole(QPalette::Window);
    box->viewport()->setAutoFillBackground(true);
    return box;
}

}  // namespace vornik
