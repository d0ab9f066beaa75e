#pragma once
// The model words file-dialog filters as "Description (*.ext)|*.ext;*.EXT|..."; Qt wants one
// "Description (*.ext *.EXT)" entry per kind.
#include <QStringList>
#include <string_view>

namespace magmo {

QStringList qtNameFilters(std::string_view modelFilter);

}  // namespace magmo
