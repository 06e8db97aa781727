#include "ui/TResourceListView.h"

#include <QHeaderView>
#include <QListView>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTreeView>

namespace vornik {

TResourceListView::TResourceListView(QWidget* parent)
    : QStackedWidget(parent),
      model_(new QStandardItemModel(this)),
      list_(new QListView(this)),
      tree_(new QTreeView(this)) {
    list_->setModel(model_);
    tree_->setModel(model_);
    tree_->setSelectionModel(list_->selectionModel());
    for (QAbstractItemView* v :
         {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(tree_)}) {
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        connect(v, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& i) { emit itemDoubleClicked(i.row()); });
    }
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setIconSize(QSize(16, 16));
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { emit currentIndexChanged(i.isValid() ? i.row() : -1); });
    addWidget(list_);
    addWidget(tree_);
    setViewStyle(0);
}

void TResourceListView::setHeaders(const QStringList& headers, int firstWidth) {
    model_->setHorizontalHeaderLabels(headers);
    tree_->header()->resizeSection(0, firstWidth);
}

void TResourceListView::clearRows() { model_->removeRows(0, model_->rowCount()); }

void TResourceListView::addRow(const ResourceListRow& row) {
    QList<QStandardItem*> items;
    auto* first = new QStandardItem(row.caption);
    QIcon icon;
    if (!row.large.isNull()) icon.addPixmap(QPixmap::fromImage(row.large));
    if (!row.small.isNull()) icon.addPixmap(QPixmap::fromImage(row.small));
    first->setIcon(icon);
    items << first;
    for (const QString& c : row.columns) items << new QStandardItem(c);
    model_->appendRow(items);
}

void TResourceListView::setRows(const std::vector<ResourceListRow>& rows) {
    clearRows();
    for (const auto& r : rows) addRow(r);
}

int TResourceListView::count() const { return model_->rowCount(); }

void TResourceListView::setViewStyle(int style) {
    style_ = style < 0 || style > 3 ? 0 : style;
    switch (style_) {
        case 0:  // large icons, arranged automatically
            list_->setViewMode(QListView::IconMode);
            list_->setIconSize(QSize(32, 32));
            list_->setFlow(QListView::LeftToRight);
            list_->setWrapping(true);
            list_->setResizeMode(QListView::Adjust);
            list_->setMovement(QListView::Static);
            list_->setGridSize(QSize(96, 64));
            list_->setWordWrap(true);
            break;
        case 1:  // small icons, in rows
            list_->setViewMode(QListView::ListMode);
            list_->setIconSize(QSize(16, 16));
            list_->setFlow(QListView::LeftToRight);
            list_->setWrapping(true);
            list_->setResizeMode(QListView::Adjust);
            list_->setGridSize(QSize(150, 20));
            break;
        case 2:  // list, in columns
            list_->setViewMode(QListView::ListMode);
            list_->setIconSize(QSize(16, 16));
            list_->setFlow(QListView::TopToBottom);
            list_->setWrapping(true);
            list_->setResizeMode(QListView::Adjust);
            list_->setGridSize(QSize(150, 20));
            break;
        default:
            break;
    }
    setCurrentWidget(style_ == 3 ? static_cast<QWidget*>(tree_) : list_);
}

int TResourceListView::selectedIndex() const {
    const auto rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TResourceListView::selectIndex(int index) {
    if (index < 0 || index >= model_->rowCount()) {
        list_->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = model_->index(index, 0);
    list_->selectionModel()->setCurrentIndex(i,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString TResourceListView::captionAt(int index) const { return columnText(index, 0); }

QString TResourceListView::columnText(int row, int column) const {
    const QStandardItem* it = model_->item(row, column);
    return it ? it->text() : QString();
}

}  // namespace vornik
