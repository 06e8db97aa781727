#include "ui/Tfrmallsave.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/Errors.h"
#include "platform/Notice.h"
#include "ui/RadioGroupBox.h"

namespace vornik {

Tfrmallsave::Tfrmallsave(MainState& state, QWidget* parent)
    : QDialog(parent),
      Edit1(new QLineEdit(this)),
      Edit2(new QLineEdit(this)),
      SpinEdit1(new QSpinBox(this)),
      Memo1(new QLineEdit(this)),
      Files(new QPlainTextEdit(this)),
      RadioGroup1(new QButtonGroup(this)),
      s_(state) {
    setObjectName("frmallsave");
    setWindowTitle(tr("Batch Save"));
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(0, 999);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Files->setObjectName("Files");
    Files->setReadOnly(true);
    Files->setLineWrapMode(QPlainTextEdit::NoWrap);
    Files->setMinimumHeight(90);
    auto* browse = new QPushButton(tr("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &Tfrmallsave::Button3Click);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(Edit1, 1);
    folderRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(tr("Output folder"), folderRow);
    form->addRow(tr("File name"), Edit2);
    form->addRow(tr("First number"), SpinEdit1);
    form->addRow(tr("First file name"), Memo1);
    form->addRow(tr("Files to save"), Files);
    auto* box = RadioGroupBox(this, tr("When a file name exists"), {tr("Number on to a free name"), tr("Overwrite all")}, RadioGroup1);
    RadioGroup1->button(0)->setChecked(true);
    auto* run = new QPushButton(tr("Save"), this);
    run->setObjectName("Button1");
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("Button2");
    connect(run, &QPushButton::clicked, this, &Tfrmallsave::Button1Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(box);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    connect(Edit1, &QLineEdit::textChanged, this, &Tfrmallsave::refreshPreview);
    connect(Edit2, &QLineEdit::textChanged, this, &Tfrmallsave::refreshPreview);
    connect(SpinEdit1, qOverload<int>(&QSpinBox::valueChanged), this, &Tfrmallsave::refreshPreview);
    // Sliding past existing files changes the names.
    connect(RadioGroup1, &QButtonGroup::idClicked, this, &Tfrmallsave::refreshPreview);
}

BatchSaveFields Tfrmallsave::fields() const {
    BatchSaveFields f;
    f.Edit1 = Edit1->text().toStdString();
    f.Edit2 = Edit2->text().toStdString();
    f.SpinEdit1 = SpinEdit1->value();
    f.RadioGroup1 = RadioGroup1->checkedId() < 0 ? 0 : RadioGroup1->checkedId();
    return f;
}

void Tfrmallsave::refreshPreview() {
    const std::vector<BatchFile> plan = PlanBatchSave(s_, fields());
    Memo1->setText(plan.empty() ? QString() : QString::fromStdString(plan.front().Name));
    QStringList lines;
    for (const BatchFile& file : plan)
        lines << QString::fromStdString(file.Name) + (file.Type == 2 ? tr("  (cursor)") : tr("  (icon)"));
    if (plan.empty()) lines << tr("(nothing to save)");
    Files->setPlainText(lines.join('\n'));
}

void Tfrmallsave::Button1Click() {
    const BatchSaveFields f = fields();
    int field = 0;
    const std::string problem = CheckBatchSave(f, field);
    if (!problem.empty()) {
        ShowWarning(Message("Editor", problem.c_str()));
        (field == 2 ? Edit2 : Edit1)->setFocus();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        RunBatchSave(s_, f);
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        ShowMessage(MessageOf(e));  // files written before stay
        return;
    }
    QApplication::restoreOverrideCursor();
    accept();
}

void Tfrmallsave::Button3Click() {
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Choose the Output Folder"), Edit1->text().trimmed());
    if (!dir.isEmpty()) Edit1->setText(dir);
}

}  // namespace vornik
