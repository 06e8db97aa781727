#include "ui/Tfrmrotinput.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vornik {

namespace {
QHBoxLayout* OkCancel(QDialog* d, const QString& cancelText) {
    auto* ok = new QPushButton("&OK", d);
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelText, d);
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
}  // namespace

Tfrmrotinput::Tfrmrotinput(QWidget* parent)
    : QDialog(parent),
      serot(new QSpinBox(this)),
      rbright(new QRadioButton(tr("Clockwise"), this)),
      rbleft(new QRadioButton(tr("Anticlockwise"), this)) {
    setObjectName("frmrotinput");
    setWindowTitle(tr("Rotate Image"));
    serot->setObjectName("serot");
    serot->setRange(0, 180);
    rbright->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(tr("Angle"), serot);
    layout->addLayout(form);
    layout->addWidget(rbright);
    layout->addWidget(rbleft);
    layout->addLayout(OkCancel(this, tr("Cancel")));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

Tfrmbmpzoom::Tfrmbmpzoom(QWidget* parent)
    : QDialog(parent), Edit1(new QLineEdit(this)), Edit2(new QLineEdit(this)), SpinEdit1(new QSpinBox(this)) {
    setObjectName("frmbmpzoom");
    setWindowTitle(tr("Resize Bitmap"));
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(1, 2000);
    SpinEdit1->setValue(100);
    connect(SpinEdit1, qOverload<int>(&QSpinBox::valueChanged), this, &Tfrmbmpzoom::rateChanged);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(tr("Width"), Edit1);
    form->addRow(tr("Height"), Edit2);
    form->addRow(tr("Scale"), SpinEdit1);
    layout->addLayout(form);
    layout->addLayout(OkCancel(this, tr("Cancel")));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Tfrmbmpzoom::start(int width, int height) {
    startWidth_ = width;
    startHeight_ = height;
    Edit1->setText(QString::number(width));
    Edit2->setText(QString::number(height));
    const QSignalBlocker block(SpinEdit1);
    SpinEdit1->setValue(100);
}

void Tfrmbmpzoom::rateChanged(int rate) {
    // trunc(rate x 0.01 x starting size), in integers so 50 % of 75 is 37.
    Edit1->setText(QString::number(static_cast<long long>(rate) * startWidth_ / 100));
    Edit2->setText(QString::number(static_cast<long long>(rate) * startHeight_ / 100));
}

bool ReadZoomField(const QString& text, int& value) {
    bool ok = false;
    value = ("0" + text).toInt(&ok);
    return ok;
}

}  // namespace vornik
