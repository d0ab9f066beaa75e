#include "textio/FileNames.h"

#include <algorithm>
#include <cctype>
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

std::string lowerExtension(const std::string& name) {
  const std::string title = fileTitle(name);
  const size_t dot = title.rfind('.');
  std::string ext = dot == std::string::npos ? "" : title.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

std::string replaceExtension(const std::string& name, const std::string& ext) {
  const std::string title = fileTitle(name);
  const size_t dot = title.rfind('.');
  return dot == std::string::npos ? name + ext : name.substr(0, name.size() - (title.size() - dot)) + ext;
}

bool isDataFile(const Sim& sim, const std::string& name, const std::string& dataFile) {
  return samePath(name, sim.paths.dataPath + dataFile);
}

bool isScenarioFile(const Sim& sim, const std::string& name) {
  if (sim.paths.resources.empty()) return false;
  return samePath(std::filesystem::path(name).parent_path().string(), sim.paths.resources + "Files/Scenarios");
}

std::string locateRecordStrat(const Sim& sim, const std::string& named) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // A relative name is never taken from the working directory, which is anybody's.
  if (named.empty() || (fs::path(named).is_absolute() && fs::is_regular_file(named, ec))) return named;
  // Either separator, so that a record made on another system still gives its file name.
  const std::string title = named.substr(named.find_last_of("/\\") + 1);
  if (title.empty() || title == "." || title == "..") return named;
  const std::string factory = sim.paths.resources.empty() ? "" : sim.paths.resources + "Files/";
  for (const std::string& folder : {sim.paths.dataPath, factory})
    if (!folder.empty() && fs::is_regular_file(folder + title, ec)) return folder + title;
  return named;
}

}  // namespace magmo
