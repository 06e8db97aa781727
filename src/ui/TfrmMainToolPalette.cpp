// The tool palette beside the canvas: the drawing tools, brush and fill
// options, the primary and secondary colours with their chooser and hex
// entry, recent colours and the entry's own palette.
#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/TSwatchGrid.h"
#include "ui/TfrmMain.h"

namespace vornik {

namespace {

struct ToolItem {
    CanvasTool tool;
    const char* name;
    const char* text;
    const char* hint;
};

constexpr ToolItem kTools[] = {
    {CanvasTool::HotSpot, "tbtoolhotspot", QT_TRANSLATE_NOOP("vornik::TfrmMain", "H Standard"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Hot spot and mask (H)")},
    {CanvasTool::Pencil, "tbtoolpencil", QT_TRANSLATE_NOOP("vornik::TfrmMain", "B Pencil"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Pencil: left button primary colour, right button secondary (B)")},
    {CanvasTool::Eraser, "tbtooleraser", QT_TRANSLATE_NOOP("vornik::TfrmMain", "E Eraser"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Eraser: makes pixels transparent (E)")},
    {CanvasTool::Fill, "tbtoolfill", QT_TRANSLATE_NOOP("vornik::TfrmMain", "G Fill"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Fill (G)")},
    {CanvasTool::Picker, "tbtoolpicker", QT_TRANSLATE_NOOP("vornik::TfrmMain", "I Picker"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Colour picker: takes a colour (I)")},
    {CanvasTool::Line, "tbtoolline", QT_TRANSLATE_NOOP("vornik::TfrmMain", "L Line"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Line: Shift for steps of 45 degrees (L)")},
    {CanvasTool::Rectangle, "tbtoolrect", QT_TRANSLATE_NOOP("vornik::TfrmMain", "U Rectangle"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Rectangle: Shift for a square (U)")},
    {CanvasTool::Ellipse, "tbtoolellipse", QT_TRANSLATE_NOOP("vornik::TfrmMain", "⇧U Ellipse"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Ellipse: Shift for a circle (Shift+U)")},
    {CanvasTool::Select, "tbtoolselect", QT_TRANSLATE_NOOP("vornik::TfrmMain", "M Select"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Rectangular selection (M)")},
    {CanvasTool::Move, "tbtoolmove", QT_TRANSLATE_NOOP("vornik::TfrmMain", "V Move"), QT_TRANSLATE_NOOP("vornik::TfrmMain", "Move the selection (V)")},
};

QColor toQColor(Rgba c) { return QColor(c.r, c.g, c.b, c.a); }
Rgba toRgba(const QColor& c) {
    return Rgba{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()), std::uint8_t(c.alpha())};
}

QString hexOf(Rgba c) {
    return QString("#%1%2%3%4")
        .arg(c.r, 2, 16, QChar('0'))
        .arg(c.g, 2, 16, QChar('0'))
        .arg(c.b, 2, 16, QChar('0'))
        .arg(c.a, 2, 16, QChar('0'))
        .toUpper();
}

// "#RRGGBB" or "#RRGGBBAA", the # optional; none for anything else.
std::optional<Rgba> parseHex(QString text) {
    text = text.trimmed();
    if (text.startsWith('#')) text.remove(0, 1);
    if (text.size() != 6 && text.size() != 8) return std::nullopt;
    bool ok = false;
    const quint32 v = text.toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    if (text.size() == 6) return Rgba{std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v), 255};
    return Rgba{std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

void paintSwatch(QToolButton* b, Rgba c) {
    QPixmap pm(28, 18);
    pm.fill(Qt::white);
    {
        QPainter p(&pm);
        p.fillRect(0, 0, 7, 9, QColor(204, 204, 204));
        p.fillRect(14, 0, 7, 9, QColor(204, 204, 204));
        p.fillRect(7, 9, 7, 9, QColor(204, 204, 204));
        p.fillRect(21, 9, 7, 9, QColor(204, 204, 204));
        p.fillRect(pm.rect(), toQColor(c));
        p.setPen(Qt::black);
        p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    }
    b->setIcon(QIcon(pm));
    b->setToolTip(hexOf(c));
}

}  // namespace

QWidget* TfrmMain::buildToolPalette() {
    pnltools = new QWidget(this);
    pnltools->setObjectName("pnltools");
    auto* outer = new QVBoxLayout(pnltools);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(pnltools);
    scroll->setObjectName("ScrollBoxTools");
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* inner = new QWidget(scroll);
    auto* v = new QVBoxLayout(inner);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(1);
    for (const ToolItem& t : kTools) {
        auto* b = new QToolButton(inner);
        b->setObjectName(t.name);
        b->setText(tr(t.text));
        b->setToolTip(tr(t.hint));
        b->setStatusTip(tr(t.hint));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        toolButtons_.insert(static_cast<int>(t.tool), b);
        const CanvasTool tool = t.tool;
        connect(b, &QToolButton::clicked, this, [this, tool] { setTool(tool); });
        v->addWidget(b);
    }
    auto* options = new QGridLayout;
    options->setSpacing(1);
    brushSize_ = new QSpinBox(inner);
    brushSize_->setObjectName("spebrush");
    brushSize_->setRange(Brush::kMinSize, Brush::kMaxSize);
    brushSize_->setStatusTip(tr("Brush width ([ and ] change it)"));
    brushRound_ = new QCheckBox(tr("Round"), inner);
    brushRound_->setObjectName("chkbrushround");
    brushRound_->setStatusTip(tr("Round brush"));
    tolerance_ = new QSpinBox(inner);
    tolerance_->setObjectName("spetolerance");
    tolerance_->setRange(0, 255);
    tolerance_->setStatusTip(tr("Fill tolerance (0: the same colour only)"));
    shapeFilled_ = new QCheckBox(tr("Filled"), inner);
    shapeFilled_->setObjectName("chkshapefill");
    shapeFilled_->setStatusTip(tr("Fills rectangles and ellipses"));
    options->addWidget(new QLabel(tr("W"), inner), 0, 0);
    options->addWidget(brushSize_, 0, 1);
    options->addWidget(brushRound_, 1, 0, 1, 2);
    options->addWidget(new QLabel(tr("T"), inner), 2, 0);
    options->addWidget(tolerance_, 2, 1);
    options->addWidget(shapeFilled_, 3, 0, 1, 2);
    v->addLayout(options);
    connect(brushSize_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int n) { tools_.brush.size = n; });
    connect(brushRound_, &QCheckBox::toggled, this, [this](bool on) { tools_.brush.round = on; });
    connect(tolerance_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int n) { tools_.tolerance = n; });
    connect(shapeFilled_, &QCheckBox::toggled, this, [this](bool on) { tools_.shapeFilled = on; });

    auto* colours = new QHBoxLayout;
    colours->setSpacing(1);
    primarySwatch_ = new QToolButton(inner);
    primarySwatch_->setObjectName("tbprimary");
    primarySwatch_->setStatusTip(tr("Primary colour (left button): click to choose"));
    secondarySwatch_ = new QToolButton(inner);
    secondarySwatch_->setObjectName("tbsecondary");
    secondarySwatch_->setStatusTip(tr("Secondary colour (right button): click to choose"));
    auto* swap = new QToolButton(inner);
    swap->setObjectName("tbswapcolours");
    swap->setText("⇄");
    swap->setStatusTip(tr("Swaps the primary and secondary colours (X)"));
    for (QToolButton* b : {primarySwatch_, secondarySwatch_, swap}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(28, 18));
        colours->addWidget(b);
    }
    v->addLayout(colours);
    connect(primarySwatch_, &QToolButton::clicked, this, [this] { chooseColourDialog(false); });
    connect(secondarySwatch_, &QToolButton::clicked, this, [this] { chooseColourDialog(true); });
    connect(swap, &QToolButton::clicked, this, [this] {
        SwapColours(tools_);
        refreshToolPalette();
    });
    hexEdit_ = new QLineEdit(inner);
    hexEdit_->setObjectName("edthexcolour");
    hexEdit_->setStatusTip(tr("The primary colour in hexadecimal (#RRGGBB or #RRGGBBAA)"));
    hexEdit_->setMaxLength(9);
    v->addWidget(hexEdit_);
    connect(hexEdit_, &QLineEdit::editingFinished, this, [this] {
        if (const auto c = parseHex(hexEdit_->text())) ChooseColour(s_, tools_, false, *c);
        refreshToolPalette();
    });
    auto* recentCaption = new QLabel(tr("Recent colours"), inner);
    v->addWidget(recentCaption);
    recentGrid_ = new TSwatchGrid(8, 11, inner);
    recentGrid_->setObjectName("grdrecent");
    v->addWidget(recentGrid_);
    auto* paletteCaption = new QLabel(tr("Palette"), inner);
    paletteCaption->setObjectName("lblpalette");
    v->addWidget(paletteCaption);
    paletteGrid_ = new TSwatchGrid(8, 11, inner);
    paletteGrid_->setObjectName("grdpalette");
    paletteGrid_->setStatusTip(tr("This resource's palette: only its colours can be drawn"));
    v->addWidget(paletteGrid_);
    for (TSwatchGrid* g : {recentGrid_, paletteGrid_})
        connect(g, &TSwatchGrid::picked, this, [this](const QColor& c, bool secondary) {
            ChooseColour(s_, tools_, secondary, toRgba(c));
            refreshToolPalette();
        });
    v->addStretch(1);
    scroll->setWidget(inner);
    outer->addWidget(scroll);
    pnltools->setFixedWidth(8 * 11 + 1 + 4 + 2 + scroll->verticalScrollBar()->sizeHint().width());
    return pnltools;
}

void TfrmMain::refreshToolPalette() {
    if (!primarySwatch_) return;
    for (auto it = toolButtons_.begin(); it != toolButtons_.end(); ++it)
        it.value()->setChecked(it.key() == static_cast<int>(tools_.tool));
    // What the chosen colours become in this entry: an indexed entry shows its own colours.
    tools_.primary = SnapToImage(s_.edit, tools_.primary);
    tools_.secondary = SnapToImage(s_.edit, tools_.secondary);
    paintSwatch(primarySwatch_, tools_.primary);
    paintSwatch(secondarySwatch_, tools_.secondary);
    if (!hexEdit_->hasFocus()) hexEdit_->setText(hexOf(tools_.primary));
    {
        const QSignalBlocker b1(brushSize_), b2(brushRound_), b3(tolerance_), b4(shapeFilled_);
        brushSize_->setValue(tools_.brush.size);
        brushRound_->setChecked(tools_.brush.round);
        tolerance_->setValue(tools_.tolerance);
        shapeFilled_->setChecked(tools_.shapeFilled);
    }
    std::vector<QColor> recent;
    for (Rgba c : tools_.recent) recent.push_back(toQColor(c));
    recentGrid_->setColours(recent);
    std::vector<QColor> palette;
    for (Rgba c : EntryPalette(s_.edit)) palette.push_back(toQColor(c));
    paletteGrid_->setColours(palette);
    paletteGrid_->setVisible(!palette.empty());
    if (auto* caption = pnltools->findChild<QLabel*>("lblpalette")) caption->setVisible(!palette.empty());
}

void TfrmMain::chooseColourDialog(bool secondary) {
    const Rgba now = secondary ? tools_.secondary : tools_.primary;
    const QColor c = QColorDialog::getColor(toQColor(now), this, secondary ? tr("Secondary Colour") : tr("Primary Colour"),
                                            QColorDialog::ShowAlphaChannel);
    if (!c.isValid()) return;
    ChooseColour(s_, tools_, secondary, toRgba(c));
    refreshToolPalette();
}

}  // namespace vornik
