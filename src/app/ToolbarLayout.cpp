#include "app/ToolbarLayout.h"

namespace magmo {

namespace {
constexpr ToolbarButton kButtons[] = {
    {"new", "mnuFileNew", "Start new simulation"},
    {"open", "mnuFileOpen", "Open saved simulation"},
    {"save", "mnuFileSaveAs", "Save current simulation"},
    {"print", "mnuFilePrint", "Print current simulation"},
    {"hawaiian", "mnuParLava", "Hawaiian eruption parameters"},
    {"peleean", "mnuParDome", "Peléean eruption parameters"},
    {"strombolian", "mnuParStrom", "Strombolian eruption parameters"},
    {"plinian", "mnuParPlin", "Plinian eruption parameters"},
    {"vulcanian", "mnuParPfs", "Vulcanian/Surtseyan eruption parameters"},
    {"fumarole", "mnuParFum", "Fumarolic/Phreatic eruption parameters"},
    {"collapse", "mnuParCol", "Sector collapse eruption parameters"},
    {"tectonic", "mnuParTec", "Tectonic parameters"},
    {"auto", "mnuParAuto", "Auto eruption"},
    {"undo", "mnuParUndo", ""},
    {"options", "tbOptions", "Select options"},
    {"play", "tbPlay", "Start Magmo simulation/playback"},
    {"halt", "tbHalt", "Pause/Stop Magmo simulation"},
    {"record", "mnuRecRec", "Start recorder/enable playback"},
    {"capture", "mnuViewCap", "Activate screen capture"},
    {"map", "mnuViewMap", "View geological map"},
    {"topo", "mnuViewTopo", "View topographic map"},
    {"magmo3d", "mnuView3D", "View Magmo3D"},
    {"strat", "mnuViewStrat", "View detailed stratigraphy"},
    {"legend", "mnuViewLedg", "View legend"},
    {"vertical", "mnuViewVert", "Show vertical scale"},
    {"refresh", "mnuViewRef", "Refresh the screen"},
    {"browse", "mnuHWeb", "Browse the Magmo WWW page"},
    {"thelp", "tbHelp", "ToolBar help"},
    {"help", "mnuHContents", "Show help contents"},
    {"exit", "mnuFileExit", "Exit Magmo"}};
}  // namespace

std::span<const ToolbarButton> toolbarButtons() { return kButtons; }

const ToolbarButton* toolbarButtonOf(const QString& action) {
  for (const ToolbarButton& b : kButtons)
    if (action == b.action) return &b;
  return nullptr;
}

const ToolbarButton* toolbarButtonByKey(const QString& key) {
  for (const ToolbarButton& b : kButtons)
    if (key == b.key) return &b;
  return nullptr;
}

const QStringList& toolbarKeys() {
  static const QStringList keys = [] {
    QStringList k;
    for (const ToolbarButton& b : kButtons) k << b.key;
    return k;
  }();
  return keys;
}

QStringList defaultToolbarLayout() {
  QStringList layout;
  for (const QString& key : toolbarKeys()) {
    // Groups: files, styles and their options, running, views, help.
    if (key == "hawaiian" || key == "play" || key == "map" || key == "browse") layout << kToolbarSeparator;
    layout << key;
  }
  return layout;
}

QStringList parseToolbarLayout(const QString& stored) {
  QStringList layout;
  for (const QString& item : stored.split(',', Qt::SkipEmptyParts)) {
    const QString key = item.trimmed();
    const bool separator = key == kToolbarSeparator;
    if (separator ? layout.isEmpty() || layout.last() == kToolbarSeparator
                  : !toolbarKeys().contains(key) || layout.contains(key))
      continue;
    layout << key;
  }
  if (!layout.isEmpty() && layout.last() == kToolbarSeparator) layout.removeLast();
  return layout.isEmpty() ? defaultToolbarLayout() : layout;
}

QString formatToolbarLayout(const QStringList& layout) { return layout.join(','); }

}  // namespace magmo
