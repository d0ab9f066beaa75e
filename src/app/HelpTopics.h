#pragma once
// Magmo's help pages (qrc:/help/) and the topic numbers the controls open them at.
#include <QUrl>
#include <span>

namespace magmo {

struct HelpPage {
  const char* file;   // in qrc:/help/
  const char* title;  // the page's <title>, shown in the contents pane
  const char* group;  // the contents pane's heading for it
};

struct HelpTopic {
  int number;
  const char* target;  // "page.html" or "page.html#anchor"
};

// Makes the pages of qrc:/help/ available (once; later calls do nothing).
void initHelpResources();

// The pages in contents order, grouped.
std::span<const HelpPage> helpPages();
std::span<const HelpTopic> helpTopics();

// qrc:/help/<file>
QUrl helpPageUrl(const QString& file);
// The page (and anchor) of a topic number; an unknown number gives the contents page.
QUrl helpUrl(int topic);

}  // namespace magmo
