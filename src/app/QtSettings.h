#pragma once
// The per-user settings store on QSettings; keys read "<section>/<key>", e.g.
// "Magmo3/Settings/Gravity".
#include <QSettings>
#include <QString>

#include "model/Settings.h"

namespace magmo {

class QtSettings : public SettingsStore {
 public:
  // The user's own store.
  QtSettings();
  // A store in the given INI file (tests, portable use).
  explicit QtSettings(const QString& iniFile);

  std::string read(const std::string& section, const std::string& key, const std::string& def) override;
  void save(const std::string& section, const std::string& key, const std::string& value) override;
  void sync() { store_.sync(); }

 private:
  QSettings store_;
};

}  // namespace magmo
