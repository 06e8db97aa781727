#include "ui/Tfrmiconcursel.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vornik {

Tfrmiconcursel::Tfrmiconcursel(QWidget* parent)
    : QDialog(parent),
      RadioGroup1(new QGroupBox(tr("New Resource"), this)),
      rdoIcon(new QRadioButton(tr("Icon"), RadioGroup1)),
      rdoCursor(new QRadioButton(tr("Cursor"), RadioGroup1)) {
    setObjectName("frmiconcursel");
    setWindowTitle(tr("Choose Resource"));
    RadioGroup1->setObjectName("RadioGroup1");
    rdoIcon->setChecked(true);
    auto* g = new QVBoxLayout(RadioGroup1);
    g->addWidget(rdoIcon);
    g->addWidget(rdoCursor);
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The window manager adds the program's name and its buttons to the title
    // bar: a dialog as narrow as its radio buttons would cut its caption.
    const int caption = fontMetrics().horizontalAdvance(windowTitle() + " — Vornik");
    RadioGroup1->setMinimumWidth(caption + 2 * fontMetrics().height() + 96);
}

int Tfrmiconcursel::itemIndex() const { return rdoCursor->isChecked() ? 1 : 0; }

void Tfrmiconcursel::setItemIndex(int index) { (index == 1 ? rdoCursor : rdoIcon)->setChecked(true); }

}  // namespace vornik
