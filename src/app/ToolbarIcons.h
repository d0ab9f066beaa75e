#pragma once
// Magmo's own toolbar pictures, drawn as SVG and built into the program's resources.
#include <QIcon>
#include <QString>
#include <QStringList>

namespace magmo {

// The icon of a toolbar command by its key (e.g. "plinian"); a null icon for an unknown key.
QIcon toolbarIcon(const QString& key);

// Every key with an icon, in the toolbar's order; "pause" and "stop" are the halt button's faces.
QStringList toolbarIconKeys();

}  // namespace magmo
