#pragma once
// "Magmo Help": the help pages in a browser, with a contents pane that also lists the pages a
// search finds, and Back / Forward / Contents buttons.
#include <QDesktopServices>
#include <QMainWindow>
#include <QString>
#include <QUrl>
#include <functional>
#include <vector>

class QLineEdit;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace magmo {

class HelpWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows and raises the window at a topic number's page (the contents for an unknown one).
  void showTopic(int topic);
  void showContents();
  // A link as a click on it: help pages open here, web and mail links in the desktop's programs.
  void openLink(const QUrl& link);
  // Where web and mail links go: the desktop's own programs unless replaced.
  void setExternalOpener(std::function<void(const QUrl&)> open) { openExternal_ = std::move(open); }

 private:
  struct PageText {
    QString file, title, text;  // text: the page's plain text on one line
  };

  void buildToolBar();
  void listContents();
  void search(const QString& query);
  void openFirstFound();
  void openItem(const QTreeWidgetItem* item);
  void markShownPage(const QUrl& url);
  const std::vector<PageText>& pageTexts();
  bool searching() const;

  QTextBrowser* browser_;
  QTreeWidget* contents_;
  QLineEdit* search_;
  QToolButton *back_, *forward_, *home_;
  std::vector<PageText> texts_;  // loaded at the first search
  std::function<void(const QUrl&)> openExternal_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
};

}  // namespace magmo
