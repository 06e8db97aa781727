#include "ui/TfrmOption.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
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
    " 16x 16 - ｱﾙﾌｧ", " 32x 32 - ｱﾙﾌｧ", " 48x 48 - ｱﾙﾌｧ", " 64x 64 - ｱﾙﾌｧ", "128x128 - ｱﾙﾌｧ", "256x256 - ｱﾙﾌｧ",
};


}  // namespace

TfrmOption::TfrmOption(QWidget* parent)
    : QDialog(parent),
      PageControl1(new QTabWidget(this)),
      chktoolbar(new QCheckBox("ﾂｰﾙﾊﾞｰのﾌﾗｯﾄ表示を行う")),
      Shape1(new QFrame),
      rgp_stretchbltmode(new QButtonGroup(this)),
      chk16(new QCheckBox("16色に減色時にWindows固定パレットを使う")),
      CheckListBox1(new QListWidget),
      rdoSCAP(new QButtonGroup(this)),
      chkautomaskplus(new QCheckBox("マスク自動作成時に、イメージ部も補完")),
      sedefrate(new QSpinBox),
      chkiconbackadd(new QCheckBox("ﾘｿｰｽをﾋﾞｯﾄﾏｯﾌﾟでｴｸｽﾎﾟｰﾄ時に背景色を付ける")),
      chkiconcolor(new QCheckBox("すべての色を使ってアイコンを表示する")),
      ColorDialog1(new QColorDialog(this)) {
    setObjectName("frmOption");
    setWindowTitle("ｵﾌﾟｼｮﾝ");
    chktoolbar->setObjectName("chktoolbar");
    Shape1->setObjectName("Shape1");
    chk16->setObjectName("chk16");
    CheckListBox1->setObjectName("CheckListBox1");
    chkautomaskplus->setObjectName("chkautomaskplus");
    sedefrate->setObjectName("sedefrate");
    chkiconbackadd->setObjectName("chkiconbackadd");
    chkiconcolor->setObjectName("chkiconcolor");
    PageControl1->setObjectName("PageControl1");

    // 表示
    auto* view = new QWidget;
    auto* vl = new QVBoxLayout(view);
    vl->addWidget(chktoolbar);
    vl->addWidget(new QLabel("編集領域でのビットマップの背景色を設定します"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFixedSize(60, 22);
    Shape1->setAutoFillBackground(true);
    Shape1->setCursor(Qt::PointingHandCursor);
    Shape1->installEventFilter(this);
    vl->addWidget(Shape1);
    auto* stretch = RadioGroupBox(view, "ビットマップの拡大縮小に使う設定",
                               {"COLORONCOLOR", "HALFTONE", "STRETCH_HALFTONE"}, rgp_stretchbltmode);
    stretch->setObjectName("rgp_stretchbltmode");
    vl->addWidget(stretch);
    vl->addWidget(chk16);
    vl->addStretch();
    PageControl1->addTab(view, "表示");

    // アイコン補完
    auto* autoPage = new QWidget;
    auto* al = new QVBoxLayout(autoPage);
    al->addWidget(new QLabel("アイコン自動補完を行うときのアイコンの種類を設定します。"));
    for (const char* f : kFormats) {
        auto* item = new QListWidgetItem(QString::fromUtf8(f), CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        item->setFont(QFont("Monospace"));
    }
    auto* row = new QHBoxLayout;
    row->addWidget(CheckListBox1, 1);
    auto* button3 = new QPushButton("デフォルト");
    button3->setObjectName("Button3");
    connect(button3, &QPushButton::clicked, this, &TfrmOption::Button3Click);
    row->addWidget(button3, 0, Qt::AlignTop);
    al->addLayout(row);
    PageControl1->addTab(autoPage, "アイコン補完");

    // スクリーンキャプチャ
    auto* cap = new QWidget;
    auto* cl = new QVBoxLayout(cap);
    cl->addWidget(new QLabel("ALT+F12キーで対象ウィンドウをキャプチャします。"));
    auto* scap = RadioGroupBox(cap, "キャプチャ対象",
                            {"デスクトップ", "アクティブウィンドウ", "キャプチャしない"}, rdoSCAP);
    scap->setObjectName("rdoSCAP");
    cl->addWidget(scap);
    cl->addStretch();
    PageControl1->addTab(cap, "スクリーンキャプチャ");

    // 編集
    auto* edit = new QWidget;
    auto* el = new QVBoxLayout(edit);
    el->addWidget(chkautomaskplus);
    auto* rate = new QGroupBox("ｱﾆﾒｰｼｮﾝｶｰｿﾙﾃﾞﾌｫﾙﾄ");
    rate->setObjectName("gbdefrate");
    auto* rl = new QHBoxLayout(rate);
    rl->addWidget(new QLabel("Rate"));
    sedefrate->setRange(1, 100);
    rl->addWidget(sedefrate);
    rl->addStretch();
    el->addWidget(rate);
    el->addWidget(chkiconbackadd);
    el->addWidget(chkiconcolor);
    chkiconcolor->installEventFilter(this);
    el->addStretch();
    PageControl1->addTab(edit, "編集");
    PageControl1->setCurrentIndex(3);

    auto* ok = new QPushButton("&OK");
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ");
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
    // Fixed border; the original client area is 329 x 261, Japanese text needs a little more here.
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
}

void TfrmOption::Shape1MouseDown() {
    ColorDialog1->setCurrentColor(swatch_);
    if (ColorDialog1->exec() == QDialog::Accepted) setSwatchColor(ColorDialog1->currentColor());
}

void TfrmOption::Button3Click() {
    OptionDialogValues v;
    StoreTo(v);
    vornik::Button3Click(v);
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
            this, [] { ShowMessage(kIconColorNotice); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vornik
