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
    setWindowTitle("ｱﾆﾒｰｼｮﾝｶｰｿﾙ自動生成");
    serot->setObjectName("serot");
    sezoom->setObjectName("sezoom");
    semove->setObjectName("semove");
    PageControl1->addTab(
        EffectPage("回転", {"右方向", "左方向", "水平上方向", "水平下方向", "垂直右方向", "垂直左方向"},
                   rgrotdirect, "回転角度", serot, 360),
        "回転");
    PageControl1->addTab(
        EffectPage("", {"縮小", "拡大", "拡大・縮小"}, rgzoomdirect, "拡大・縮小率", sezoom, 128),
        "拡大・縮小");
    PageControl1->addTab(
        EffectPage("移動", {"右方向", "左方向", "上方向", "下方向"}, rgmovedirect, "移動単位", semove, 128),
        "移動");
    serot->setValue(30);  // twelve frames; 1 degree would make 360
    auto* ok = new QPushButton("&OK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("キャンセル");
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
