// Repainting the editor during a mask stroke on a 256 x 256 picture shown at
// 4x: one mouse move and the repaint it causes, against the baseline of the
// same move followed by a refresh of the whole window (what every move cost
// before strokes repainted only what they changed). Both run in the same
// process on Qt's offscreen platform; a move must stay well under 16 ms.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include "imaging/TQvDIBCanvas.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TfrmMain.h"

using namespace vornik;

namespace {

void Send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct Editor {
    MemorySettingsStore store;
    TfrmMain w{store};
    Editor() {
        TQvDIB image, mask;
        image.CreateDIB(256, 256, 0, 32);
        mask.CreateDIB(256, 256, 0, 24);
        TQvDIBCanvas(mask).FillRect(0, 0, 256, 256, kRasterWhite);
        w.state().edit.imgxor = image;
        w.state().edit.imgand = mask;
        w.resize(1200, 900);
        w.show();
        w.refresh();
        w.action("mnu_zoom4")->trigger();
        QApplication::processEvents();
        Send(w.imgand, QEvent::MouseButtonPress, QPoint(8, 8), Qt::LeftButton, Qt::LeftButton);
        QApplication::processEvents();
    }
    ~Editor() { Send(w.imgand, QEvent::MouseButtonRelease, QPoint(8, 8), Qt::LeftButton, Qt::NoButton); }
};

// A zigzag across the visible part of the view, a few pixels a move.
QPoint StrokePoint(int i) { return QPoint(8 + (i * 13) % 500, 8 + (i * 7) % 300); }

void BM_StrokeMove(benchmark::State& state) {
    Editor e;
    int i = 0;
    for (auto _ : state) {
        Send(e.w.imgand, QEvent::MouseMove, StrokePoint(++i), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();  // the repaint the move asked for
    }
}

void BM_StrokeMoveWithWholeWindowRefresh(benchmark::State& state) {
    Editor e;
    int i = 0;
    for (auto _ : state) {
        Send(e.w.imgand, QEvent::MouseMove, StrokePoint(++i), Qt::NoButton, Qt::LeftButton);
        e.w.refresh();
        e.w.repaint();
        QApplication::processEvents();
    }
}

}  // namespace

BENCHMARK(BM_StrokeMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrokeMoveWithWholeWindowRefresh)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
