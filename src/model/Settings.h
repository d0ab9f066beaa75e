#pragma once
#include <map>
#include <string>

namespace magmo {

// Per-user settings store: string values by section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string read(const std::string& section, const std::string& key, const std::string& def) = 0;
  virtual void save(const std::string& section, const std::string& key, const std::string& value) = 0;
};

class MemorySettings : public SettingsStore {
 public:
  std::string read(const std::string& section, const std::string& key, const std::string& def) override {
    auto it = values_.find(section + "/" + key);
    return it == values_.end() ? def : it->second;
  }
  void save(const std::string& section, const std::string& key, const std::string& value) override {
    values_[section + "/" + key] = value;
  }

 private:
  std::map<std::string, std::string> values_;
};

inline const std::string kSettingsSection = "Magmo3/Settings";

}  // namespace magmo
