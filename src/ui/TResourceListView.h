#pragma once

#include <QImage>
#include <QStackedWidget>
#include <QStringList>

class QListView;
class QTreeView;
class QStandardItemModel;
class QItemSelectionModel;

namespace vornik {

// One row of a resource list: the caption (first column), the further column
// texts and the two thumbnails (32x32 for large icons, 16x16 for the others).
struct ResourceListRow {
    QString caption;
    QStringList columns;
    QImage large;
    QImage small;
};

// A list view with the four styles of the original list control: 0 large
// icons, 1 small icons, 2 list, 3 details (columns visible). Read-only, whole
// rows, one selected item. The styles share one model and one selection.
class TResourceListView : public QStackedWidget {
    Q_OBJECT
public:
    explicit TResourceListView(QWidget* parent = nullptr);

    void setHeaders(const QStringList& headers, int firstWidth);
    void clearRows();
    void addRow(const ResourceListRow& row);
    void setRows(const std::vector<ResourceListRow>& rows);
    int count() const;

    void setViewStyle(int style);
    int viewStyle() const { return style_; }

    int selectedIndex() const;  // -1 when nothing is selected
    void selectIndex(int index);
    QString captionAt(int index) const;
    QString columnText(int row, int column) const;

    QListView* listView() const { return list_; }
    QTreeView* treeView() const { return tree_; }

signals:
    void itemDoubleClicked(int index);
    void currentIndexChanged(int index);

private:
    QStandardItemModel* model_;
    QListView* list_;
    QTreeView* tree_;
    int style_ = 0;
};

}  // namespace vornik
