#pragma once
// The Customise Toolbar dialog: which buttons show and in what order.
#include <QIcon>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace magmo {

// describe(key) gives a button's icon and its name in the list. The new layout, or nullopt
// when the user cancels.
std::optional<QStringList> customiseToolbar(QWidget* parent, const QStringList& layout,
                                            const std::function<std::pair<QIcon, QString>(const QString&)>& describe);

}  // namespace magmo
