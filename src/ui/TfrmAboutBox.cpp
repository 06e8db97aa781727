#include "ui/TfrmAboutBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "VornikVersion.h"
#include "ui/AppIcon.h"

namespace vornik {

TfrmAboutBox::TfrmAboutBox(QWidget* parent)
    : QDialog(parent),
      ProgramIcon(new QLabel(this)),
      ProductName(new QLabel(this)),
      Version(new QLabel(this)) {
    setObjectName("AboutBox");
    setWindowTitle(tr("About Vornik"));
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(QPixmap::fromImage(DrawAppIcon(48)));
    ProductName->setObjectName("ProductName");
    ProductName->setText("Vornik");
    QFont f = ProductName->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    ProductName->setFont(f);
    Version->setObjectName("Version");
    Version->setText(QStringLiteral("Ver ") + VORNIK_VERSION);
    auto* comments = new QLabel(tr("Makes and converts Windows icons, cursors and animated cursors"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* text = new QVBoxLayout;
    text->addWidget(ProductName);
    text->addWidget(Version);
    text->addWidget(comments);
    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vornik
