#pragma once

#include <QListWidget>
#include <vector>

namespace vornik {

// A list of the Animation page (frames or steps): icons left to right,
// several items selectable (Shift/Ctrl click, Ctrl+A). Dragging items or
// pressing Ctrl+Shift+Up/Down does not move the items itself: it asks the
// owner, which moves them in the animation and fills the list again.
class TAniListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit TAniListWidget(QWidget* parent);
    // The selected rows, ascending.
    std::vector<int> selectedRows() const;
    // Selects exactly these rows (the first becomes current).
    void selectRows(const std::vector<int>& rows);

signals:
    void moveRequested(int delta);                            // -1 earlier, +1 later
    void dropRequested(std::vector<int> rows, int before);    // before: row, or count for the end
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
};

}  // namespace vornik
