#include "ui/TfrmIconSelect.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/TResourceListView.h"

namespace vornik {

TfrmIconSelect::TfrmIconSelect(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), ListView1(new QListWidget(this)) {
    setObjectName("frmIconSelect");
    setWindowTitle(tr("Choose Resource"));
    resize(388, 186);
    Label1->setObjectName("Label1");
    ListView1->setObjectName("ListView1");
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setFlow(QListView::LeftToRight);
    ListView1->setWrapping(true);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setMovement(QListView::Static);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setGridSize(QSize(96, 64));
    ListView1->setWordWrap(true);
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);
}

void TfrmIconSelect::setRows(const std::vector<ResourceListRow>& rows) {
    ListView1->clear();
    for (const auto& r : rows) {
        QIcon icon;
        if (!r.large.isNull()) icon.addPixmap(QPixmap::fromImage(r.large));
        if (!r.small.isNull()) icon.addPixmap(QPixmap::fromImage(r.small));
        new QListWidgetItem(icon, r.caption, ListView1);
    }
}

int TfrmIconSelect::selectedIndex() const {
    const auto items = ListView1->selectedItems();
    return items.isEmpty() ? -1 : ListView1->row(items.first());
}

}  // namespace vornik
