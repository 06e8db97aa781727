#include "ui/TAniListWidget.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <algorithm>

namespace vornik {

TAniListWidget::TAniListWidget(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setMovement(QListView::Snap);
}

std::vector<int> TAniListWidget::selectedRows() const {
    std::vector<int> rows;
    for (const QListWidgetItem* item : selectedItems()) rows.push_back(row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TAniListWidget::selectRows(const std::vector<int>& rows) {
    clearSelection();
    bool first = true;
    for (int r : rows) {
        QListWidgetItem* it = item(r);
        if (!it) continue;
        if (first) setCurrentItem(it, QItemSelectionModel::NoUpdate);
        first = false;
        it->setSelected(true);
    }
}

void TAniListWidget::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
        (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_Left ||
         e->key() == Qt::Key_Right)) {
        emit moveRequested(e->key() == Qt::Key_Up || e->key() == Qt::Key_Left ? -1 : +1);
        e->accept();
        return;
    }
    if (mods == Qt::NoModifier && e->key() == Qt::Key_Delete) {
        emit deleteRequested();
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TAniListWidget::dragMoveEvent(QDragMoveEvent* e) {
    if (e->source() != this) {
        e->ignore();
        return;
    }
    QListWidget::dragMoveEvent(e);
    e->acceptProposedAction();
}

void TAniListWidget::dropEvent(QDropEvent* e) {
    if (e->source() != this) {
        e->ignore();
        return;
    }
    // Dropped on an item: before it, or after it when over its right half.
    const QPoint at = e->position().toPoint();
    int before = count();
    if (QListWidgetItem* target = itemAt(at)) {
        const QRect r = visualItemRect(target);
        before = row(target) + (at.x() > r.center().x() ? 1 : 0);
    }
    const std::vector<int> rows = selectedRows();
    // The owner refills the list; Qt must not move or remove anything itself.
    e->setDropAction(Qt::IgnoreAction);
    e->accept();
    if (!rows.empty()) emit dropRequested(rows, before);
}

}  // namespace vornik
