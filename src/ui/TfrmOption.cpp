#include "ui/TfrmOption.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Notice.h"
#include "ui/RadioGroupBox.h"

namespace vornik {

QColor ColorOfSetting(int value) {
    const auto v = static_cast<unsigned>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int SettingOfColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

namespace {

const char* const kFormats[kAutoIconFormats] = {
    " 16x 16 -   2", " 32x 32 -   2", " 48x 48 -   2", " 64x 64 -   2", "128x128 -   2",
    " 16x 16 -  16", " 32x 32 -  16", " 48x 48 -  16", " 64x 64 -  16", "128x128 -  16",
    " 16x 16 - 256", " 32x 32 - 256", " 48x 48 - 256", " 64x 64 - 256", "128x128 - 256",
    " 16x 16 - 16M", " 32x 32 - 16M", " 48x 48 - 16M", " 64x 64 - 16M", "128x128 - 16M",
    " 16x 16 - %1", " 32x 32 - %1", " 48x 48 - %1", " 64x 64 - %1", "128x128 - %1", "256x256 - %1",
};


}  // namespace

TfrmOption::TfrmOption(QWidget* parent)
    : QDialog(parent),
      PageControl1(new QTabWidget(this)),
      chktoolbar(new QCheckBox(tr("Flat tool bar buttons"))),
      Shape1(new QFrame),
      rgp_stretchbltmode(new QButtonGroup(this)),
      chk16(new QCheckBox(tr("Use the fixed Windows palette when reducing to 16 colours"))),
      CheckListBox1(new QListWidget),
      rdoSCAP(new QButtonGroup(this)),
      chkautomaskplus(new QCheckBox(tr("Also fill in the image when a mask is made automatically"))),
      sedefrate(new QSpinBox),
      chkiconbackadd(new QCheckBox(tr("Put the background colour under resources exported as bitmaps"))),
      chkiconcolor(new QCheckBox(tr("Show icons with all colours"))),
      ColorDialog1(new QColorDialog(this)),
      cmblanguage(new QComboBox) {
    setObjectName("frmOption");
    setWindowTitle(tr("Options"));
    chktoolbar->setObjectName("chktoolbar");
    Shape1->setObjectName("Shape1");
    chk16->setObjectName("chk16");
    CheckListBox1->setObjectName("CheckListBox1");
    chkautomaskplus->setObjectName("chkautomaskplus");
    sedefrate->setObjectName("sedefrate");
    chkiconbackadd->setObjectName("chkiconbackadd");
    chkiconcolor->setObjectName("chkiconcolor");
    PageControl1->setObjectName("PageControl1");
    cmblanguage->setObjectName("cmblanguage");

    // View
    auto* view = new QWidget;
    auto* vl = new QVBoxLayout(view);
    vl->addWidget(chktoolbar);
    vl->addWidget(new QLabel(tr("Sets the background colour of bitmaps in the editing area")));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFixedSize(60, 22);
    Shape1->setAutoFillBackground(true);
    Shape1->setCursor(Qt::PointingHandCursor);
    Shape1->installEventFilter(this);
    vl->addWidget(Shape1);
    auto* stretch = RadioGroupBox(view, tr("Scaling of bitmaps"),
                               {"COLORONCOLOR", "HALFTONE", "STRETCH_HALFTONE"}, rgp_stretchbltmode);
    stretch->setObjectName("rgp_stretchbltmode");
    vl->addWidget(stretch);
    vl->addWidget(chk16);
    // Language names stand in their own language, so anyone can find theirs.
    cmblanguage->addItem(QLocale(QLocale::Japanese).nativeLanguageName());
    cmblanguage->addItem("English");
    cmblanguage->addItem(tr("System language"));
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(new QLabel(tr("Language")));
    languageRow->addWidget(cmblanguage);
    languageRow->addStretch();
    vl->addLayout(languageRow);
    auto* languageNote = new QLabel(tr("The language changes when Vornik is next started."));
    languageNote->setWordWrap(true);
    vl->addWidget(languageNote);
    vl->addStretch();
    PageControl1->addTab(view, tr("View"));

    // Auto-completion
    auto* autoPage = new QWidget;
    auto* al = new QVBoxLayout(autoPage);
    al->addWidget(new QLabel(tr("Sets the kinds of icon that auto-completion makes.")));
    for (const char* f : kFormats) {
        QString text = QString::fromUtf8(f);
        if (text.contains("%1")) text = text.arg(tr("Alpha", "32 bits with an alpha channel"));
        auto* item = new QListWidgetItem(text, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        item->setFont(QFont("Monospace"));
    }
    auto* row = new QHBoxLayout;
    row->addWidget(CheckListBox1, 1);
    auto* button3 = new QPushButton(tr("Default"));
    button3->setObjectName("Button3");
    connect(button3, &QPushButton::clicked, this, &TfrmOption::Button3Click);
    row->addWidget(button3, 0, Qt::AlignTop);
    al->addLayout(row);
    PageControl1->addTab(autoPage, tr("Auto-completion"));

    // Screen capture
    auto* cap = new QWidget;
    auto* cl = new QVBoxLayout(cap);
    cl->addWidget(new QLabel(tr("ALT+F12 captures the chosen window.")));
    auto* scap = RadioGroupBox(cap, tr("Capture"),
                            {tr("Desktop"), tr("Active window"), tr("No capture")}, rdoSCAP);
    scap->setObjectName("rdoSCAP");
    cl->addWidget(scap);
    cl->addStretch();
    PageControl1->addTab(cap, tr("Screen capture"));

    // Editing
    auto* edit = new QWidget;
    auto* el = new QVBoxLayout(edit);
    el->addWidget(chkautomaskplus);
    auto* rate = new QGroupBox(tr("Animated cursor default"));
    rate->setObjectName("gbdefrate");
    auto* rl = new QHBoxLayout(rate);
    rl->addWidget(new QLabel(tr("Rate")));
    sedefrate->setRange(1, 100);
    rl->addWidget(sedefrate);
    rl->addStretch();
    el->addWidget(rate);
    el->addWidget(chkiconbackadd);
    el->addWidget(chkiconcolor);
    chkiconcolor->installEventFilter(this);
    el->addStretch();
    PageControl1->addTab(edit, tr("Editing"));
    PageControl1->setCurrentIndex(3);

    auto* ok = new QPushButton(tr("&OK"));
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    // Fixed border; the original client area is 329 x 261, longer texts need a little more here.
    setMinimumSize(329, 261);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setSwatchColor(ColorOfSetting(Settings{}.color));
}

void TfrmOption::setSwatchColor(const QColor& c) {
    swatch_ = c;
    QPalette pal = Shape1->palette();
    pal.setColor(QPalette::Window, c);
    Shape1->setPalette(pal);
}

void TfrmOption::LoadFrom(const OptionDialogValues& v) {
    ColorDialog1->setCurrentColor(ColorOfSetting(v.color));
    setSwatchColor(ColorOfSetting(v.color));
    chktoolbar->setChecked(v.chktoolbar);
    for (int n = 0; n < kAutoIconFormats; ++n)
        CheckListBox1->item(n)->setCheckState(v.CheckListBox1[n] ? Qt::Checked : Qt::Unchecked);
    if (auto* b = rdoSCAP->button(v.rdoSCAP)) b->setChecked(true);
    if (auto* b = rgp_stretchbltmode->button(v.rgp_stretchbltmode)) b->setChecked(true);
    chk16->setChecked(v.chk16);
    chkautomaskplus->setChecked(v.chkautomaskplus);
    sedefrate->setValue(v.sedefrate);  // the field clamps to 1..100
    chkiconbackadd->setChecked(v.chkiconbackadd);
    chkiconcolor->setChecked(v.chkiconcolor);
    cmblanguage->setCurrentIndex(v.cmblanguage >= 0 && v.cmblanguage < cmblanguage->count() ? v.cmblanguage : 0);
}

void TfrmOption::StoreTo(OptionDialogValues& v) const {
    v.color = SettingOfColor(swatch_);
    v.chktoolbar = chktoolbar->isChecked();
    for (int n = 0; n < kAutoIconFormats; ++n)
        v.CheckListBox1[n] = CheckListBox1->item(n)->checkState() == Qt::Checked;
    if (rdoSCAP->checkedId() >= 0) v.rdoSCAP = rdoSCAP->checkedId();
    if (rgp_stretchbltmode->checkedId() >= 0) v.rgp_stretchbltmode = rgp_stretchbltmode->checkedId();
    v.chk16 = chk16->isChecked();
    v.chkautomaskplus = chkautomaskplus->isChecked();
    v.sedefrate = sedefrate->value();
    v.chkiconbackadd = chkiconbackadd->isChecked();
    v.chkiconcolor = chkiconcolor->isChecked();
    v.cmblanguage = cmblanguage->currentIndex();
}

void TfrmOption::Shape1MouseDown() {
    ColorDialog1->setCurrentColor(swatch_);
    if (ColorDialog1->exec() == QDialog::Accepted) setSwatchColor(ColorDialog1->currentColor());
}

void TfrmOption::Button3Click() {
    OptionDialogValues v;
    StoreTo(v);
    vornik::ResetToDefaultFormats(v);
    for (int n = 0; n < kAutoIconFormats; ++n)
        CheckListBox1->item(n)->setCheckState(v.CheckListBox1[n] ? Qt::Checked : Qt::Unchecked);
}

bool TfrmOption::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Shape1 && event->type() == QEvent::MouseButtonPress) {
        Shape1MouseDown();
        return true;
    }
    if (watched == chkiconcolor && event->type() == QEvent::MouseButtonRelease) {
        // chkiconcolorMouseUp: shown once the box has taken the click.
        QMetaObject::invokeMethod(
            this, [] { ShowMessage(Message("Editor", kIconColorNotice)); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vornik
