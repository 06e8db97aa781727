#include "ui/THelpViewer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/Translations.h"

// The built-in copy lives in a static library: register it before use.
static void InitHelpResource() { Q_INIT_RESOURCE(vornik); }

namespace vornik {

std::vector<HelpTopic> ParseHelpDocument(const QString& html) {
    std::vector<HelpTopic> out;
    static const QRegularExpression section(
        R"re(<section\s+id="([^"]*)"(?:\s+data-keywords="([^"]*)")?\s*>(.*?)</section>)re",
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression heading(R"re(<h2>(.*?)</h2>)re",
                                            QRegularExpression::DotMatchesEverythingOption);
    for (auto it = section.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        HelpTopic t;
        t.id = m.captured(1);
        t.keywords = m.captured(2).split(',', Qt::SkipEmptyParts);
        t.html = m.captured(3);
        const auto h = heading.match(t.html);
        t.title = h.hasMatch() ? h.captured(1).trimmed() : t.id;
        out.push_back(std::move(t));
    }
    return out;
}

QString HelpDocumentName(const QString& languageCode) {
    return languageCode == "en" ? "vornik-help-en.html" : "vornik-help.html";
}

QString HelpDocumentPath() {
    const QString name = HelpDocumentName(InstalledLanguage());
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& p : {dir + "/../share/vornik/" + name, dir + "/" + name}) {
        if (QFileInfo::exists(p)) return QFileInfo(p).canonicalFilePath();
    }
    InitHelpResource();
    return ":/help/" + name;
}

THelpViewer::THelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window),
      search_(new QLineEdit(this)),
      contents_(new QListWidget(this)),
      page_(new QTextBrowser(this)) {
    setObjectName("HelpViewer");
    setWindowTitle(tr("Vornik Help"));
    resize(640, 420);
    auto* left = new QWidget(this);
    auto* lv = new QVBoxLayout(left);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->addWidget(new QLabel(tr("Contents"), left));
    search_->setPlaceholderText(tr("Type a keyword to search"));
    search_->setObjectName("helpsearch");
    contents_->setObjectName("helpcontents");
    lv->addWidget(search_);
    lv->addWidget(contents_);
    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(page_);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 440});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(split);
    connect(search_, &QLineEdit::textChanged, this, &THelpViewer::applyFilter);
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        showTopic(contents_->item(row)->data(Qt::UserRole).toInt());
    });
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        for (int i = 0; i < contents_->count(); ++i)
            if (!contents_->item(i)->isHidden()) {
                contents_->setCurrentRow(i);
                break;
            }
    });
}

bool THelpViewer::loadDocument(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    topics_ = ParseHelpDocument(QString::fromUtf8(f.readAll()));
    contents_->clear();
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i) {
        auto* item = new QListWidgetItem(topics_[i].title, contents_);
        item->setData(Qt::UserRole, i);
    }
    return !topics_.empty();
}

void THelpViewer::showTopic(int index) {
    if (index < 0 || index >= static_cast<int>(topics_.size())) return;
    current_ = topics_[index].id;
    page_->setHtml(topics_[index].html);
    for (int i = 0; i < contents_->count(); ++i) {
        if (contents_->item(i)->data(Qt::UserRole).toInt() == index && contents_->currentRow() != i) {
            const QSignalBlocker block(contents_);
            contents_->setCurrentRow(i);
        }
    }
}

void THelpViewer::applyFilter(const QString& key) {
    const QString k = key.trimmed();
    for (int i = 0; i < contents_->count(); ++i) {
        const HelpTopic& t = topics_[contents_->item(i)->data(Qt::UserRole).toInt()];
        bool match = k.isEmpty() || t.title.contains(k, Qt::CaseInsensitive) ||
                     t.html.contains(k, Qt::CaseInsensitive);
        for (const QString& w : t.keywords) match = match || w.contains(k, Qt::CaseInsensitive);
        contents_->item(i)->setHidden(!match);
    }
}

int THelpViewer::visibleTopicCount() const {
    int n = 0;
    for (int i = 0; i < contents_->count(); ++i) n += contents_->item(i)->isHidden() ? 0 : 1;
    return n;
}

void THelpViewer::showContext(int helpContext) {
    const QString id = QString::number(helpContext);
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i) {
        if (topics_[i].id == id) {
            search_->clear();
            showTopic(i);
            show();
            raise();
            return;
        }
    }
    showContents();
}

void THelpViewer::showContents() {
    search_->clear();
    if (!topics_.empty()) showTopic(0);
    show();
    raise();
    contents_->setFocus();
}

void THelpViewer::showSearch(const QString& key) {
    search_->setText(key);
    show();
    raise();
    search_->setFocus();
}

void THelpViewer::showHelpOnHelp() {
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i)
        if (topics_[i].id == "t-helphelp") {
            search_->clear();
            showTopic(i);
        }
    show();
    raise();
}

}  // namespace vornik
