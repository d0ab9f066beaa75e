#include "app/QtSettings.h"

namespace magmo {

namespace {
QString settingsKey(const std::string& section, const std::string& key) {
  return QString::fromStdString(section + "/" + key);
}
}  // namespace

QtSettings::QtSettings() : store_(QSettings::IniFormat, QSettings::UserScope, "Plovk", "Magmo3") {}

QtSettings::QtSettings(const QString& iniFile) : store_(iniFile, QSettings::IniFormat) {}

namespace {
// The 3-D viewer, another process, reads and writes this section: it is never taken from a cache.
bool sharedWithViewer(const std::string& section) { return section == "Magmo3/Topo3D"; }
}  // namespace

std::string QtSettings::read(const std::string& section, const std::string& key, const std::string& def) {
  if (sharedWithViewer(section)) store_.sync();
  const QVariant v = store_.value(settingsKey(section, key));
  return v.isValid() ? v.toString().toStdString() : def;
}

void QtSettings::save(const std::string& section, const std::string& key, const std::string& value) {
  store_.setValue(settingsKey(section, key), QString::fromStdString(value));
  if (sharedWithViewer(section)) store_.sync();
}

}  // namespace magmo
