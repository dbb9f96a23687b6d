#include "shell/help_window.h"

#include "widgets/accessible_role.h"
#include "widgets/icons.h"
#include "widgets/readable_text.h"

#include <QCollator>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSplitter>
#include <QStyle>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace ombrel {

HelpIndex parseHelpIndex(const QString& text)
{
    HelpIndex index;
    QString book;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
        if (word == QLatin1String("book")) {
            book = rest;
        } else if (word == QLatin1String("page")) {
            const QString file = rest.section(QLatin1Char(' '), 0, 0);
            const QString title = rest.section(QLatin1Char(' '), 1).trimmed();
            if (!file.isEmpty())
                index.topics.append({book, title.isEmpty() ? file : title, file});
        } else if (word == QLatin1String("keyword")) {
            const int equals = rest.lastIndexOf(QLatin1String(" = "));
            if (equals <= 0)
                continue;
            const QString keyword = rest.left(equals).trimmed();
            const QString target = rest.mid(equals + 3).trimmed();
            if (!keyword.isEmpty() && !target.isEmpty())
                index.keywords.append({keyword, target});
        }
    }
    return index;
}

namespace {

QString missingHelpPageText(const QString& page)
{
    return QCoreApplication::translate("ombrel::THelpForm", "The help page '%1' is missing.").arg(page);
}

QString resourcePath(const QUrl& url)
{
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    if (url.isLocalFile())
        return url.toLocalFile();
    return url.path();
}

QString missingPageHtml(const QString& page)
{
    return QCoreApplication::translate("ombrel::THelpForm",
                                       "<html><body><h2 style=\"color: #0b6b6e\">Page not found</h2><p>%1</p>"
                                       "<p>Choose another topic on the Contents or Index tab.</p></body></html>")
        .arg(missingHelpPageText(page).toHtmlEscaped());
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(true);
}

// The pages are styled for a light page. Under a palette whose page is
// dark they take the palette's text, link and tinted colours instead.
QVariant HelpBrowser::styleFollowingPalette(const QVariant& style) const
{
    const QPalette colours = palette();
    const QColor page = colours.color(QPalette::Base);
    const QColor designedText(0x26, 0x32, 0x38);
    if (ReadableText(designedText, page, colours) == designedText)
        return style;
    const QString text = colours.color(QPalette::Text).name();
    const QString link = colours.color(QPalette::Link).name();
    const QString tint = colours.color(QPalette::AlternateBase).name();
    return style.toString() + QStringLiteral("\nbody, h1, h2, kbd, th, p.see { color: %1; }\n"
                                             "th, p.tip { background-color: %2; }\na { color: %3; }\n")
                                  .arg(text, tint, link);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    const QString path = resourcePath(name);
    if (type == QTextDocument::HtmlResource) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return missingPageHtml(name.fileName());
        return QString::fromUtf8(file.readAll());
    }
    if (type == QTextDocument::StyleSheetResource)
        return styleFollowingPalette(QTextBrowser::loadResource(type, name));
    if (type == QTextDocument::ImageResource && path.endsWith(QLatin1String(".svg"))) {
        // Drawn here rather than through an image plugin, sharp at any scale.
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        const qreal ratio = devicePixelRatioF();
        QImage image(renderer.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        image.setDevicePixelRatio(ratio);
        return image;
    }
    return QTextBrowser::loadResource(type, name);
}

THelpForm::THelpForm(QWidget* parent, const QString& helpRoot) : QWidget(parent, Qt::Window), helpRoot_(helpRoot)
{
    ombrel::initResources();
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(tr("Ombrel Help"));
    // A window of its own to screen readers, not a part of the main window.
    ombrel::SetAccessibleRole(this, QAccessible::Window);
    resize(800, 560);

    HelpTabs = new QTabWidget;
    HelpTabs->setObjectName(QStringLiteral("HelpTabs"));

    ContentsTree = new QTreeWidget;
    ContentsTree->setObjectName(QStringLiteral("ContentsTree"));
    ContentsTree->setHeaderHidden(true);
    ContentsTree->setRootIsDecorated(true);
    ContentsTree->setAccessibleName(tr("Contents"));
    HelpTabs->addTab(ContentsTree, tr("Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* indexPrompt = new QLabel(tr("Type the first letters of the word you are looking for:"));
    indexPrompt->setWordWrap(true);
    IndexEdit = new QLineEdit;
    IndexEdit->setObjectName(QStringLiteral("IndexEdit"));
    IndexEdit->setClearButtonEnabled(true);
    indexPrompt->setBuddy(IndexEdit);
    IndexList = new QListWidget;
    IndexList->setObjectName(QStringLiteral("IndexList"));
    IndexList->setAccessibleName(tr("Index"));
    indexLayout->addWidget(indexPrompt);
    indexLayout->addWidget(IndexEdit);
    indexLayout->addWidget(IndexList);
    HelpTabs->addTab(indexPage, tr("Index"));

    HelpBrowser = new ombrel::HelpBrowser;
    HelpBrowser->setObjectName(QStringLiteral("HelpBrowser"));

    BackBtn = new QToolButton;
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    BackBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    BackBtn->setToolTip(tr("Back"));
    BackBtn->setAccessibleName(tr("Back"));
    BackBtn->setAutoRaise(true);
    BackBtn->setEnabled(false);
    ForwardBtn = new QToolButton;
    ForwardBtn->setObjectName(QStringLiteral("ForwardBtn"));
    ForwardBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    ForwardBtn->setToolTip(tr("Forward"));
    ForwardBtn->setAccessibleName(tr("Forward"));
    ForwardBtn->setAutoRaise(true);
    ForwardBtn->setEnabled(false);

    auto* pageSide = new QWidget;
    auto* pageLayout = new QVBoxLayout(pageSide);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(2);
    auto* navigation = new QHBoxLayout;
    navigation->addWidget(BackBtn);
    navigation->addWidget(ForwardBtn);
    navigation->addStretch();
    pageLayout->addLayout(navigation);
    pageLayout->addWidget(HelpBrowser);

    auto* splitter = new QSplitter;
    splitter->addWidget(HelpTabs);
    splitter->addWidget(pageSide);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 510});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter);

    connect(ContentsTree, &QTreeWidget::itemClicked, this, &THelpForm::ContentsTreeItemClicked);
    connect(ContentsTree, &QTreeWidget::itemActivated, this, &THelpForm::ContentsTreeItemClicked);
    connect(IndexEdit, &QLineEdit::textChanged, this, &THelpForm::IndexEditChange);
    connect(IndexEdit, &QLineEdit::returnPressed, this, &THelpForm::IndexEditReturn);
    connect(IndexList, &QListWidget::itemClicked, this, &THelpForm::IndexListItemClicked);
    connect(IndexList, &QListWidget::itemActivated, this, &THelpForm::IndexListItemClicked);
    connect(HelpBrowser, &QTextBrowser::backwardAvailable, BackBtn, &QWidget::setEnabled);
    connect(HelpBrowser, &QTextBrowser::forwardAvailable, ForwardBtn, &QWidget::setEnabled);
    connect(HelpBrowser, &QTextBrowser::sourceChanged, this, &THelpForm::HelpBrowserSourceChanged);
    connect(BackBtn, &QToolButton::clicked, HelpBrowser, &QTextBrowser::backward);
    connect(ForwardBtn, &QToolButton::clicked, HelpBrowser, &QTextBrowser::forward);
}

const HelpIndex& THelpForm::helpIndex()
{
    loadIndex();
    return index_;
}

// The index is read when help is first asked for, not while the program starts.
void THelpForm::loadIndex()
{
    if (std::exchange(indexLoaded_, true))
        return;
    QFile file(helpRoot_ + QStringLiteral("/index.txt"));
    if (file.open(QIODevice::ReadOnly))
        index_ = ombrel::parseHelpIndex(QString::fromUtf8(file.readAll()));

    QTreeWidgetItem* book = nullptr;
    for (const ombrel::HelpTopic& topic : index_.topics) {
        if (topic.book.isEmpty()) {
            book = nullptr;
        } else if (!book || book->text(0) != topic.book) {
            book = new QTreeWidgetItem(ContentsTree, {topic.book});
            book->setFlags(Qt::ItemIsEnabled);
            book->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
        }
        auto* item = book ? new QTreeWidgetItem(book, {topic.title}) : new QTreeWidgetItem(ContentsTree, {topic.title});
        item->setData(0, Qt::UserRole, topic.page);
        item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    }
    ContentsTree->expandAll();

    QList<ombrel::HelpKeyword> keywords = index_.keywords;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(keywords.begin(), keywords.end(),
                     [&](const auto& a, const auto& b) { return collator.compare(a.text, b.text) < 0; });
    for (const ombrel::HelpKeyword& keyword : keywords) {
        auto* item = new QListWidgetItem(keyword.text, IndexList);
        item->setData(Qt::UserRole, keyword.target);
    }
}

QUrl THelpForm::pageUrl(const QString& target) const
{
    const QString page = target.section(QLatin1Char('#'), 0, 0);
    const QString anchor = target.section(QLatin1Char('#'), 1);
    const QString path = helpRoot_ + QLatin1Char('/') + page;
    QUrl url = path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path) : QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

void THelpForm::showPage(const QString& target)
{
    loadIndex();
    HelpBrowser->setSource(pageUrl(target), QTextDocument::HtmlResource);
}

QString THelpForm::currentPage() const
{
    return HelpBrowser->source().fileName();
}

void THelpForm::bringForward()
{
    loadIndex();
    if (HelpBrowser->source().isEmpty() && !index_.topics.isEmpty())
        showPage(index_.topics.first().page);
    else if (HelpBrowser->source().isEmpty())
        HelpBrowser->setHtml(QStringLiteral("<p>%1</p>").arg(missingHelpPageText(QStringLiteral("index.txt"))));
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void THelpForm::showContents()
{
    HelpTabs->setCurrentIndex(0);
    bringForward();
    ContentsTree->setFocus();
}

void THelpForm::showIndex()
{
    HelpTabs->setCurrentIndex(1);
    bringForward();
    IndexEdit->setFocus();
    IndexEdit->selectAll();
}

void THelpForm::ContentsTreeItemClicked(QTreeWidgetItem* item)
{
    const QString page = item ? item->data(0, Qt::UserRole).toString() : QString();
    if (!page.isEmpty())
        showPage(page);
}

// Keeps the Contents tab pointing at the page on show, however it was reached.
void THelpForm::HelpBrowserSourceChanged(const QUrl& source)
{
    const QString page = source.fileName();
    for (QTreeWidgetItemIterator it(ContentsTree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == page) {
            ContentsTree->setCurrentItem(*it);
            return;
        }
    }
    ContentsTree->setCurrentItem(nullptr);
}

void THelpForm::IndexEditChange(const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return;
    for (int row = 0; row < IndexList->count(); ++row) {
        QListWidgetItem* item = IndexList->item(row);
        if (item->text().startsWith(wanted, Qt::CaseInsensitive)) {
            IndexList->setCurrentItem(item);
            IndexList->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void THelpForm::IndexEditReturn()
{
    IndexListItemClicked(IndexList->currentItem());
}

void THelpForm::IndexListItemClicked(QListWidgetItem* item)
{
    if (item)
        showPage(item->data(Qt::UserRole).toString());
}

} // namespace ombrel
