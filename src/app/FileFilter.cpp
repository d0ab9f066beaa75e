#include "app/FileFilter.h"

#include <QRegularExpression>

namespace magmo {

QStringList qtNameFilters(std::string_view modelFilter) {
  const QStringList parts =
      QString::fromUtf8(modelFilter.data(), static_cast<qsizetype>(modelFilter.size())).split('|');
  static const QRegularExpression trailingPatterns(R"(\s*\([^()]*\)\s*$)");
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    if (description.isEmpty()) continue;
    const QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    if (patterns.isEmpty()) {
      filters << description;
      continue;
    }
    description.remove(trailingPatterns);
    filters << description + " (" + patterns.split(';', Qt::SkipEmptyParts).join(' ') + ")";
  }
  return filters;
}

}  // namespace magmo
