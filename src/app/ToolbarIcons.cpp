#include "ToolbarIcons.h"

#include <QFile>

// The pictures are in a static library that nothing else refers to, so the linker would drop them
// unless registered by hand.
static void registerToolbarIcons() {
  static const bool done = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)done;
}

namespace magmo {

QStringList toolbarIconKeys() {
  registerToolbarIcons();
  return {"new",       "open",     "save",     "print",    "hawaiian", "peleean", "strombolian", "plinian",
          "vulcanian", "fumarole", "collapse", "tectonic", "auto",     "undo",    "options",     "play",
          "pause",     "stop",     "record",   "capture",  "map",      "topo",    "magmo3d",     "strat",
          "legend",    "vertical", "refresh",  "browse",   "thelp",    "help",    "exit"};
}

QIcon toolbarIcon(const QString& key) {
  const QString path = ":/icons/" + key + ".svg";
  if (!toolbarIconKeys().contains(key) || !QFile::exists(path)) return {};
  return QIcon(path);
}

}  // namespace magmo
