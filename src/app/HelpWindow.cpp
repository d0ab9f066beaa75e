#include "app/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "app/HelpTopics.h"

namespace magmo {

namespace {

constexpr int kFileRole = Qt::UserRole;
constexpr int kSnippetBefore = 24, kSnippetAfter = 56, kSnippetLine = 34;

QString fileOf(const QUrl& url) { return url.fileName(); }

QToolButton* toolButton(const char* name, QStyle::StandardPixmap icon, const QString& tip, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(parent->style()->standardIcon(icon));
  b->setText(tip);
  b->setToolTip(tip);
  b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  b->setAutoRaise(true);
  return b;
}

// Occurrences of every word of the query in text (case ignored); 0 when a word is missing.
int matchCount(const QString& text, const QStringList& words) {
  int total = 0;
  for (const QString& w : words) {
    const int n = static_cast<int>(text.count(w, Qt::CaseInsensitive));
    if (n == 0) return 0;
    total += n;
  }
  return total;
}

// A piece of text around the first occurrence of word, cut at spaces and broken into short
// lines: item views elide a long line rather than wrap it.
QString snippet(const QString& text, const QString& word) {
  const qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive);
  qsizetype from = std::max<qsizetype>(0, at - kSnippetBefore);
  qsizetype to = std::min(text.size(), at + word.size() + kSnippetAfter);
  if (from > 0) from = text.indexOf(' ', from) + 1;
  if (to < text.size()) to = std::max(text.lastIndexOf(' ', to), at + word.size());
  const QString piece = (from > 0 ? QStringLiteral("\u2026") : QString()) + text.mid(from, to - from).trimmed() +
                        (to < text.size() ? QStringLiteral("\u2026") : QString());
  QStringList lines{QString()};
  for (const QString& w : piece.split(' ', Qt::SkipEmptyParts)) {
    if (!lines.last().isEmpty() && lines.last().size() + 1 + w.size() > kSnippetLine) lines << QString();
    lines.last() += (lines.last().isEmpty() ? "" : " ") + w;
  }
  return lines.join('\n');
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent, Qt::Window) {
  initHelpResources();
  setObjectName("frmHelp");
  setWindowTitle("Magmo Help");

  browser_ = new QTextBrowser;
  browser_->setObjectName("txtHelp");
  browser_->setOpenLinks(false);  // every link goes through openLink
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::markShownPage);

  contents_ = new QTreeWidget;
  contents_->setObjectName("lstContents");
  contents_->setHeaderHidden(true);
  contents_->setRootIsDecorated(false);
  contents_->setIndentation(12);
  connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { openItem(item); });
  connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { openItem(item); });

  auto* splitter = new QSplitter;
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 640});
  setCentralWidget(splitter);
  buildToolBar();

  listContents();
  resize(920, 640);
  showContents();
}

void HelpWindow::buildToolBar() {
  QToolBar* bar = addToolBar("Navigation");
  bar->setObjectName("tbHelp");
  bar->setMovable(false);
  back_ = toolButton("cmdBack", QStyle::SP_ArrowBack, "Back", this);
  forward_ = toolButton("cmdForward", QStyle::SP_ArrowForward, "Forward", this);
  home_ = toolButton("cmdContents", QStyle::SP_DirHomeIcon, "Contents", this);
  back_->setShortcut(QKeySequence::Back);
  forward_->setShortcut(QKeySequence::Forward);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this, &HelpWindow::showContents);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);

  search_ = new QLineEdit;
  search_->setObjectName("txtSearch");
  search_->setPlaceholderText("Search the help");
  search_->setClearButtonEnabled(true);
  search_->setMaximumWidth(260);
  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::search);
  connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::openFirstFound);
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, search_, [this] { search_->setFocus(), search_->selectAll(); });
  addAction(find);

  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(2, 0, 2, 0);
  for (QToolButton* b : {back_, forward_, home_}) layout->addWidget(b);
  layout->addSpacing(12);
  layout->addWidget(new QLabel("Search:"));
  layout->addWidget(search_, 1);
  layout->addStretch();
  bar->addWidget(row);
}

void HelpWindow::showTopic(int topic) {
  if (searching()) search_->clear();
  browser_->setSource(helpUrl(topic));
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void HelpWindow::showContents() {
  if (searching()) search_->clear();
  browser_->setSource(helpUrl(1));
}

void HelpWindow::openLink(const QUrl& link) {
  const QUrl url = link.isRelative() ? browser_->source().resolved(link) : link;
  const QString scheme = url.scheme().toLower();
  if (scheme == "http" || scheme == "https" || scheme == "mailto")
    openExternal_(url);
  else
    browser_->setSource(url);
}

bool HelpWindow::searching() const { return !search_->text().trimmed().isEmpty(); }

void HelpWindow::listContents() {
  contents_->clear();
  QTreeWidgetItem* group = nullptr;
  for (const HelpPage& page : helpPages()) {
    const QString heading = QString::fromUtf8(page.group);
    if (!group || group->text(0) != heading) {
      group = new QTreeWidgetItem(contents_, {heading});
      group->setFlags(Qt::ItemIsEnabled);
      QFont bold = group->font(0);
      bold.setBold(true);
      group->setFont(0, bold);
    }
    auto* item = new QTreeWidgetItem(group, {QString::fromUtf8(page.title)});
    item->setData(0, kFileRole, QString::fromLatin1(page.file));
    item->setToolTip(0, item->text(0));
  }
  contents_->expandAll();
  markShownPage(browser_->source());
}

const std::vector<HelpWindow::PageText>& HelpWindow::pageTexts() {
  if (texts_.empty()) {
    for (const HelpPage& page : helpPages()) {
      QFile f(":/help/" + QString::fromLatin1(page.file));
      QTextDocument doc;
      if (f.open(QIODevice::ReadOnly)) doc.setHtml(QString::fromUtf8(f.readAll()));
      texts_.push_back({QString::fromLatin1(page.file), QString::fromUtf8(page.title), doc.toPlainText().simplified()});
    }
  }
  return texts_;
}

void HelpWindow::search(const QString& query) {
  const QStringList words = query.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
  if (words.isEmpty()) {
    listContents();
    return;
  }
  struct Found {
    const PageText* page;
    int count;
  };
  std::vector<Found> found;
  for (const PageText& page : pageTexts())
    if (const int n = matchCount(page.text, words); n > 0) found.push_back({&page, n});
  std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.count > b.count; });

  contents_->clear();
  for (const Found& f : found) {
    auto* item = new QTreeWidgetItem(contents_, {f.page->title});
    item->setData(0, kFileRole, f.page->file);
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    auto* context = new QTreeWidgetItem(item, {snippet(f.page->text, words.first())});
    context->setData(0, kFileRole, f.page->file);
    context->setForeground(0, palette().color(QPalette::PlaceholderText));
  }
  if (found.empty()) {
    auto* none = new QTreeWidgetItem(contents_, {QString("No page contains \u201c%1\u201d.").arg(query.trimmed())});
    none->setFlags(Qt::ItemIsEnabled);
  }
  contents_->expandAll();
}

void HelpWindow::openFirstFound() {
  if (!searching() || contents_->topLevelItemCount() == 0) return;
  openItem(contents_->topLevelItem(0));
}

void HelpWindow::openItem(const QTreeWidgetItem* item) {
  const QString file = item ? item->data(0, kFileRole).toString() : QString();
  if (file.isEmpty()) return;
  browser_->setSource(helpPageUrl(file));
  // A search's page opens at the first place the word stands.
  const QStringList words = search_->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
  if (!words.isEmpty()) browser_->find(words.first());
}

// The contents pane follows the page shown; the list of found pages stays as it is.
void HelpWindow::markShownPage(const QUrl& url) {
  if (searching()) return;
  const QString shown = fileOf(url);
  for (QTreeWidgetItemIterator it(contents_); *it; ++it)
    if ((*it)->data(0, kFileRole).toString() == shown) {
      contents_->setCurrentItem(*it);
      return;
    }
  contents_->clearSelection();
}

}  // namespace magmo
