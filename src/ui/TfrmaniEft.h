#pragma once

#include <QDialog>

#include "anim/GenerateEffect.h"

class QButtonGroup;
class QSpinBox;
class QTabWidget;

namespace vornik {

// "Animated Cursor Generation": the effect and its parameter for the automatic
// animation. Made once, so it keeps its settings between uses.
class TfrmaniEft : public QDialog {
    Q_OBJECT
public:
    explicit TfrmaniEft(QWidget* parent = nullptr);

    // The active tab, its radio index and field value; ok from the result.
    AniEffectChoice choice(bool ok) const;

    QTabWidget* PageControl1;
    QButtonGroup* rgrotdirect;
    QButtonGroup* rgzoomdirect;
    QButtonGroup* rgmovedirect;
    QSpinBox* serot;
    QSpinBox* sezoom;
    QSpinBox* semove;
};

}  // namespace vornik
