#pragma once
// Which toolbar buttons show, and in what order: the user's choice, stored as "Toolbar1" in
// the text form "new,open,|,play" ("|" a separator).
#include <QString>
#include <QStringList>
#include <span>

namespace magmo {

// A toolbar button: its key, the object name of the action it runs (a menu item's, shared
// with the menu, or one of the toolbar's own, "tb..."), and its tooltip.
struct ToolbarButton {
  const char* key;
  const char* action;
  const char* tip;
};
// Every button, in the toolbar's own order.
std::span<const ToolbarButton> toolbarButtons();
// The button that runs the named action, or nullptr.
const ToolbarButton* toolbarButtonOf(const QString& action);
// The button of that key, or nullptr.
const ToolbarButton* toolbarButtonByKey(const QString& key);
const QStringList& toolbarKeys();
// The layout a first start shows: every button, in groups.
QStringList defaultToolbarLayout();
// A stored layout read back; unknown keys, repeats and doubled separators are dropped, and an
// empty or unreadable text gives the default layout.
QStringList parseToolbarLayout(const QString& stored);
QString formatToolbarLayout(const QStringList& layout);

inline const QString kToolbarSeparator = "|";

}  // namespace magmo
