#include "ui/TfrmaniEft.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/RadioGroupBox.h"

namespace vornik {

namespace {

QWidget* EffectPage(const QString& groupTitle, const QStringList& items, QButtonGroup* group,
                    const QString& label, QSpinBox* field, int max) {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(RadioGroupBox(page, groupTitle, items, group));
    if (group->button(0)) group->button(0)->setChecked(true);
    auto* form = new QFormLayout;
    field->setRange(1, max);
    form->addRow(label, field);
    layout->addLayout(form);
    return page;
}

}  // namespace

TfrmaniEft::TfrmaniEft(QWidget* parent)
    : QDialog(parent),
      PageControl1(new QTabWidget(this)),
      rgrotdirect(new QButtonGroup(this)),
      rgzoomdirect(new QButtonGroup(this)),
      rgmovedirect(new QButtonGroup(this)),
      serot(new QSpinBox),
      sezoom(new QSpinBox),
      semove(new QSpinBox) {
    setObjectName("frmaniEft");
    setWindowTitle(tr("Animated Cursor Generation"));
    serot->setObjectName("serot");
    sezoom->setObjectName("sezoom");
    semove->setObjectName("semove");
    PageControl1->addTab(
        EffectPage(tr("Rotation"),
                   {tr("Right"), tr("Left"), tr("Horizontal, upwards"), tr("Horizontal, downwards"),
                    tr("Vertical, to the right"), tr("Vertical, to the left")},
                   rgrotdirect, tr("Rotation angle"), serot, 360),
        tr("Rotation"));
    PageControl1->addTab(
        EffectPage("", {tr("Shrink"), tr("Grow"), tr("Zoom")}, rgzoomdirect, tr("Zoom rate"), sezoom, 128),
        tr("Zoom"));
    PageControl1->addTab(EffectPage(tr("Move"), {tr("Right"), tr("Left"), tr("Up"), tr("Down")}, rgmovedirect,
                                    tr("Step"), semove, 128),
                         tr("Move"));
    serot->setValue(30);  // twelve frames; 1 degree would make 360
    auto* ok = new QPushButton(tr("&OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

AniEffectChoice TfrmaniEft::choice(bool ok) const {
    AniEffectChoice c;
    c.ok = ok;
    c.tab = static_cast<AniEffectTab>(PageControl1->currentIndex());
    switch (c.tab) {
        case AniEffectTab::Rotation:
            c.radioIndex = rgrotdirect->checkedId();
            c.value = serot->value();
            break;
        case AniEffectTab::Zoom:
            c.radioIndex = rgzoomdirect->checkedId();
            c.value = sezoom->value();
            break;
        case AniEffectTab::Move:
            c.radioIndex = rgmovedirect->checkedId();
            c.value = semove->value();
            break;
    }
    return c;
}

}  // namespace vornik
