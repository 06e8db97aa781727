// The composed preview beside the image pair: the entry as it will look over
// the background colour, at 1:1 and at the views' zoom.
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>

#include "app/ComposedPreview.h"
#include "ui/DibImage.h"
#include "ui/PanelWidgets.h"
#include "ui/TPictureView.h"
#include "ui/TfrmMain.h"

namespace vornik {

QWidget* TfrmMain::buildPreview(QWidget* parent) {
    auto* row = new QWidget(parent);
    row->setObjectName("pnlpreview");
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(tr("Preview"), row);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    h->addWidget(caption, 0, Qt::AlignTop);
    imgpreview1 = new TPictureView;
    imgpreview1->setObjectName("imgpreview1");
    imgpreviewz = new TPictureView;
    imgpreviewz->setObjectName("imgpreviewz");
    ScrollBoxPreview1 = PictureBox(row, "ScrollBoxPreview1", imgpreview1);
    ScrollBoxPreviewZ = PictureBox(row, "ScrollBoxPreviewZ", imgpreviewz);
    ScrollBoxPreview1->setFixedSize(56, 56);
    ScrollBoxPreviewZ->setFixedHeight(56);
    h->addWidget(ScrollBoxPreview1);
    h->addWidget(ScrollBoxPreviewZ, 1);
    row->setStatusTip(tr("How it looks once saved (on the background colour, actual size and magnified)"));
    return row;
}

void TfrmMain::refreshPreview() {
    const EditState& e = s_.edit;
    QImage composed;
    if (e.imgxor && e.imgand) {
        const int c = s_.settings.color;
        try {
            composed = ToQImage(
                ComposePreview(*e.imgxor, *e.imgand, RgbColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)));
        } catch (const std::exception&) {
            // a pair that cannot be composed shows no preview
        }
    }
    imgpreview1->setPicture(composed);
    imgpreviewz->setPicture(composed);
    imgpreviewz->setZoom(imgxor->zoom());
}

}  // namespace vornik
