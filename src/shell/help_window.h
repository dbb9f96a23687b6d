#pragma once

#include <QList>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ombrel {

// One line of the Contents tab: a page, filed under a book (empty when the
// page stands on its own).
struct HelpTopic {
    QString book;
    QString title;
    QString page;
};

// One line of the Index tab; the target is a page, optionally with "#anchor".
struct HelpKeyword {
    QString text;
    QString target;
};

struct HelpIndex {
    QList<HelpTopic> topics;
    QList<HelpKeyword> keywords;
};

// Reads the help index:
//   book <title>                 starts a book; the pages after it belong to it
//   page <file> <title>          a page of the Contents tab
//   keyword <text> = <target>    an entry of the Index tab
// Blank lines and lines starting with "#" are comments; other lines are skipped.
HelpIndex parseHelpIndex(const QString& text);

// Shows help pages; a page that cannot be read becomes a note in the window
// instead of an error.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QVariant styleFollowingPalette(const QVariant& style) const;
};

// The help window: Contents and Index tabs beside the page.
class THelpForm : public QWidget {
    Q_OBJECT
public:
    // `helpRoot` is the folder holding index.txt and the pages: the built-in
    // ":/help" unless a test points elsewhere.
    explicit THelpForm(QWidget* parent = nullptr, const QString& helpRoot = QStringLiteral(":/help"));

    // Open the window on the Contents or the Index tab and bring it forward.
    void showContents();
    void showIndex();

    // Shows a page given as "file.html" or "file.html#anchor".
    void showPage(const QString& target);
    // The file name of the page on show, empty before the first one.
    QString currentPage() const;

    const ombrel::HelpIndex& helpIndex();

    QTabWidget* HelpTabs;
    QTreeWidget* ContentsTree;
    QLineEdit* IndexEdit;
    QListWidget* IndexList;
    ombrel::HelpBrowser* HelpBrowser;
    QToolButton* BackBtn;
    QToolButton* ForwardBtn;

private:
    void loadIndex();
    void bringForward();
    void ContentsTreeItemClicked(QTreeWidgetItem* item);
    void HelpBrowserSourceChanged(const QUrl& source);
    void IndexEditChange(const QString& text);
    void IndexEditReturn();
    void IndexListItemClicked(QListWidgetItem* item);
    QUrl pageUrl(const QString& target) const;

    QString helpRoot_;
    ombrel::HelpIndex index_;
    bool indexLoaded_ = false;
};

} // namespace ombrel
