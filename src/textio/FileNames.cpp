#include "textio/FileNames.h"

#include <filesystem>

#include "model/Sim.h"

namespace magmo {

bool samePath(const std::string& a, const std::string& b) {
  if (a == b) return true;
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

std::string fileTitle(const std::string& name) { return std::filesystem::path(name).filename().string(); }

std::string dropLastFour(const std::string& s) { return s.size() >= 4 ? s.substr(0, s.size() - 4) : s; }

std::string withExtension(const std::string& name, const std::string& ext) { return dropLastFour(name) + ext; }

bool isDataFile(const Sim& sim, const std::string& name, const std::string& dataFile) {
  return samePath(name, sim.paths.dataPath + dataFile);
}

}  // namespace magmo
