// The help: every page loads, every link and topic number leads to a page and anchor that
// exist, the search lists the pages holding a word, and the buttons follow the history.
#include <gtest/gtest.h>
#include <QtWidgets>
#include <set>

#include "app/HelpTopics.h"
#include "app/HelpWindow.h"

namespace magmo {
namespace {

QString pageSource(const QString& file) {
  QFile f(":/help/" + file);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList captures(const QString& html, const char* pattern) {
  QStringList found;
  for (const auto& m : QRegularExpression(pattern).globalMatch(html)) found << m.captured(1);
  return found;
}

// Names the url's page (and anchor, when it has one) when they exist; empty otherwise.
std::string brokenTarget(const QUrl& url) {
  const QString html = url.scheme() == "qrc" ? pageSource(url.fileName()) : QString();
  if (html.isEmpty()) return "no page " + url.toString().toStdString();
  if (url.hasFragment() && !captures(html, "<a name=\"([^\"]+)\"").contains(url.fragment()))
    return "no anchor " + url.toString().toStdString();
  return {};
}

class HelpWindowTest : public ::testing::Test {
 protected:
  template <typename T>
  T* find(const char* name) {
    T* w = window.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no " << name;
    return w;
  }
  QString shown() { return find<QTextBrowser>("txtHelp")->source().fileName(); }
  // The pages the contents pane offers, in its order.
  QStringList listed() {
    QStringList files;
    for (QTreeWidgetItemIterator it(find<QTreeWidget>("lstContents")); *it; ++it)
      if (!(*it)->parent() || (*it)->parent()->data(0, Qt::UserRole).isNull())
        if (const QString f = (*it)->data(0, Qt::UserRole).toString(); !f.isEmpty()) files << f;
    return files;
  }
  // The page the contents pane marks as shown.
  QString marked() {
    const QTreeWidgetItem* item = find<QTreeWidget>("lstContents")->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
  }
  void type(const QString& text) { find<QLineEdit>("txtSearch")->setText(text); }

  HelpWindow window;
};

TEST_F(HelpWindowTest, EveryPageLoadsWithItsTitleAndIsInTheContents) {
  QStringList tableFiles;
  for (const HelpPage& page : helpPages()) {
    SCOPED_TRACE(page.file);
    tableFiles << page.file;
    QTextDocument doc;
    doc.setHtml(pageSource(page.file));
    EXPECT_EQ(doc.metaInformation(QTextDocument::DocumentTitle), QString::fromUtf8(page.title));
    EXPECT_GT(doc.toPlainText().simplified().size(), 800);
  }
  // Every page compiled in has its row, and the contents pane lists each row once.
  QStringList sorted = tableFiles;
  sorted.sort();
  EXPECT_EQ(QDir(":/help").entryList({"*.html"}, QDir::Files, QDir::Name), sorted);
  EXPECT_EQ(listed(), tableFiles);
}

TEST_F(HelpWindowTest, EveryInternalLinkLeadsToAnExistingPageAndAnchor) {
  for (const HelpPage& page : helpPages()) {
    const QUrl base = helpPageUrl(page.file);
    for (const QString& href : captures(pageSource(page.file), "href=\"([^\"]+)\"")) {
      const QUrl url = base.resolved(QUrl(href));
      SCOPED_TRACE(std::string(page.file) + " -> " + href.toStdString());
      if (url.scheme() != "qrc") continue;
      EXPECT_EQ(brokenTarget(url), "");
    }
  }
  const QStringList fromContents = captures(pageSource("index.html"), "href=\"([a-z0-9]+\\.html)");
  for (const HelpPage& page : helpPages().subspan(1)) EXPECT_TRUE(fromContents.contains(page.file)) << page.file;
}

TEST_F(HelpWindowTest, TopicNumbersOpenExistingPlacesAndUnknownOnesTheContents) {
  std::set<int> numbers;
  for (const HelpTopic& topic : helpTopics()) {
    SCOPED_TRACE(topic.number);
    EXPECT_TRUE(numbers.insert(topic.number).second);
    EXPECT_EQ(brokenTarget(helpUrl(topic.number)), "");
  }
  // The numbers other windows send: the cross-section, the column and the Options tabs.
  const std::pair<int, const char*> sent[] = {{61, "profile.html"},          {64, "column.html"},
                                              {70, "options.html#general"}, {71, "options.html#scale"},
                                              {72, "options.html#mapping"}, {73, "options.html#advanced"}};
  for (const auto& [number, target] : sent) EXPECT_EQ(helpUrl(number), helpPageUrl(target)) << number;
  for (int unknown : {0, -1, 3, 62, 9999}) EXPECT_EQ(helpUrl(unknown), helpPageUrl("index.html")) << unknown;
}

TEST_F(HelpWindowTest, SearchListsThePagesHoldingEveryWordAndEnterOpensTheFirst) {
  type("umbrella");
  ASSERT_EQ(listed(), QStringList{"plinian.html"});
  const QTreeWidgetItem* first = find<QTreeWidget>("lstContents")->topLevelItem(0);
  ASSERT_EQ(first->childCount(), 1);  // the words around the find
  EXPECT_TRUE(first->child(0)->text(0).contains("umbrella", Qt::CaseInsensitive));
  emit find<QLineEdit>("txtSearch")->returnPressed();
  EXPECT_EQ(shown(), "plinian.html");

  type("  CALDERA ");
  EXPECT_TRUE(listed().contains("plinian.html"));
  EXPECT_TRUE(listed().contains("vulcanian.html"));
  EXPECT_FALSE(listed().contains("hawaiian.html"));
  emit find<QLineEdit>("txtSearch")->returnPressed();
  EXPECT_EQ(shown(), listed().first());
  EXPECT_NE(shown(), listed().last());
  type("umbrella nosuchword");
  EXPECT_TRUE(listed().isEmpty());
  EXPECT_EQ(find<QTreeWidget>("lstContents")->topLevelItemCount(), 1);  // the "no page" line
  emit find<QLineEdit>("txtSearch")->returnPressed();
  EXPECT_EQ(shown(), "plinian.html");

  type("");
  EXPECT_EQ(listed().size(), static_cast<qsizetype>(helpPages().size()));
}

TEST_F(HelpWindowTest, ButtonsFollowTheHistoryAndLinksOpenInsideOrOutside) {
  auto* back = find<QToolButton>("cmdBack");
  auto* forward = find<QToolButton>("cmdForward");
  EXPECT_EQ(shown(), "index.html");
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  window.showTopic(12);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Magmo Help");
  EXPECT_EQ(shown(), "strombolian.html");
  EXPECT_EQ(marked(), "strombolian.html");
  emit find<QTextBrowser>("txtHelp")->anchorClicked(QUrl("plinian.html#caldera"));
  EXPECT_EQ(shown(), "plinian.html");
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  back->click();
  EXPECT_EQ(shown(), "strombolian.html");
  EXPECT_TRUE(forward->isEnabled());
  EXPECT_EQ(marked(), "strombolian.html");
  forward->click();
  EXPECT_EQ(shown(), "plinian.html");
  EXPECT_FALSE(forward->isEnabled());
  type("lava");
  find<QToolButton>("cmdContents")->click();
  EXPECT_EQ(shown(), "index.html");
  EXPECT_EQ(find<QLineEdit>("txtSearch")->text(), "");
  EXPECT_EQ(listed().size(), static_cast<qsizetype>(helpPages().size()));

  // A web link goes out to the desktop's browser and leaves the page shown.
  const QStringList web = captures(pageSource("about.html"), "href=\"(https://[^\"]+)\"");
  ASSERT_FALSE(web.isEmpty());
  QList<QUrl> opened;
  window.setExternalOpener([&opened](const QUrl& url) { opened << url; });
  window.showTopic(90);
  emit find<QTextBrowser>("txtHelp")->anchorClicked(QUrl(web.first()));
  EXPECT_EQ(opened, QList<QUrl>{QUrl(web.first())});
  EXPECT_EQ(shown(), "about.html");
}

}  // namespace
}  // namespace magmo
