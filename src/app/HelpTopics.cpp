#include "app/HelpTopics.h"

#include <QtGlobal>

// Outside any namespace, as Qt requires; the call also keeps the pages in a static link.
static void registerHelpResources() { Q_INIT_RESOURCE(help); }

namespace magmo {

namespace {

constexpr HelpPage kPages[] = {
    {"index.html", "Contents", "Getting started"},
    {"tour.html", "Your first eruption", "Getting started"},
    {"profile.html", "Reading the cross-section", "Getting started"},
    {"automatic.html", "Auto, Static and Undo", "Getting started"},
    {"hawaiian.html", "Hawaiian eruptions", "Eruption styles"},
    {"peleean.html", "Pel\u00e9ean eruptions", "Eruption styles"},
    {"strombolian.html", "Strombolian eruptions", "Eruption styles"},
    {"plinian.html", "Plinian eruptions", "Eruption styles"},
    {"vulcanian.html", "Vulcanian and Surtseyan eruptions", "Eruption styles"},
    {"fumarole.html", "Fumarolic and phreatic eruptions", "Eruption styles"},
    {"collapse.html", "Sector collapse", "Eruption styles"},
    {"tectonic.html", "Faulting and erosion", "Eruption styles"},
    {"maps.html", "Maps, shaded relief and the 3-D viewer", "Views"},
    {"column.html", "The stratigraphic column", "Views"},
    {"chart.html", "The eruption chart", "Views"},
    {"records.html", "Recording and playback", "Histories and files"},
    {"scenarios.html", "Ready-made eruption histories", "Histories and files"},
    {"files.html", "Files and the data folder", "Histories and files"},
    {"batch.html", "The batch runner", "Histories and files"},
    {"options.html", "Options", "Settings"},
    {"about.html", "About Magmo", "Settings"},
};

// 61 and 64 are the numbers the cross-section's right-click and the column window's Help
// button send; 70 to 73 those of the Options window's tabs.
constexpr HelpTopic kTopics[] = {
    {1, "index.html"},
    {2, "tour.html"},
    {10, "hawaiian.html"},
    {11, "peleean.html"},
    {12, "strombolian.html"},
    {13, "plinian.html"},
    {14, "vulcanian.html"},
    {15, "fumarole.html"},
    {16, "collapse.html"},
    {17, "tectonic.html"},
    {18, "tectonic.html#erosion"},
    {20, "automatic.html"},
    {21, "automatic.html#static"},
    {22, "automatic.html#undo"},
    {30, "profile.html"},
    {31, "profile.html#colours"},
    {32, "profile.html#statistics"},
    {33, "profile.html#gravity"},
    {40, "maps.html"},
    {41, "maps.html#relief"},
    {42, "maps.html#position"},
    {43, "maps.html#viewer3d"},
    {45, "column.html"},
    {46, "chart.html"},
    {50, "records.html"},
    {51, "records.html#editor"},
    {60, "files.html"},
    {61, "profile.html"},
    {64, "column.html"},
    {70, "options.html#general"},
    {71, "options.html#scale"},
    {72, "options.html#mapping"},
    {73, "options.html#advanced"},
    {80, "batch.html"},
    {90, "about.html"},
    {95, "options.html#toolbar"},
};

}  // namespace

void initHelpResources() {
  static const bool done = (registerHelpResources(), true);
  (void)done;
}

std::span<const HelpPage> helpPages() { return kPages; }
std::span<const HelpTopic> helpTopics() { return kTopics; }

QUrl helpPageUrl(const QString& file) { return QUrl("qrc:/help/" + file); }

QUrl helpUrl(int topic) {
  for (const HelpTopic& t : kTopics)
    if (t.number == topic) return helpPageUrl(QString::fromLatin1(t.target));
  return helpPageUrl(QString::fromLatin1(kPages[0].file));
}

}  // namespace magmo
