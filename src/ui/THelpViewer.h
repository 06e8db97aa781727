#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace vornik {

// One topic of the help document: a <section id="..." data-keywords="...">
// with an <h2> title.
struct HelpTopic {
    QString id;  // the help context number as text, or a name for topics without one
    QString title;
    QStringList keywords;
    QString html;  // the section's inner HTML
};

// Splits a help document into its topics, in document order.
std::vector<HelpTopic> ParseHelpDocument(const QString& html);

// The help document of a language ("en": English, else Japanese); both hold
// the same topic ids, so every help context has its topic in either.
QString HelpDocumentName(const QString& languageCode);

// Where the help document of the installed language is: installed beside the
// program, else the copy built into it.
QString HelpDocumentPath();

// Our help viewer: contents on the left (filtered by the keyword field), the
// chosen topic on the right.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);

    bool loadDocument(const QString& path);
    const std::vector<HelpTopic>& topics() const { return topics_; }

    // Shows the topic of a help context; the contents when it has none.
    void showContext(int helpContext);
    void showContents();                  // help finder
    void showSearch(const QString& key);  // keyword search, focus in the field
    void showHelpOnHelp();
    QString currentTopicId() const { return current_; }
    int visibleTopicCount() const;

private:
    void showTopic(int index);
    void applyFilter(const QString& key);

    std::vector<HelpTopic> topics_;
    QLineEdit* search_;
    QListWidget* contents_;
    QTextBrowser* page_;
    QString current_;
};

}  // namespace vornik
