#include "app/batch/BatchHost.h"

#include <QTime>
#include <cctype>
#include <iostream>
#include <utility>

#include "gis/GdalTerrain.h"

namespace magmo::batch {

double BatchHost::secondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

namespace {

std::string oneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n' || c == '\r') c = ' ';
    if (c != ' ' || (!line.empty() && line.back() != ' ')) line += c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// The window shows errors as warnings, or (the styles' faults) as notices that say "error".
bool isError(std::string_view text, MsgIcon icon) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return icon == MsgIcon::Exclamation || icon == MsgIcon::Critical || lower.find("error") != std::string::npos;
}

}  // namespace

void BatchHost::message(std::string_view text, MsgIcon icon, std::string_view) {
  if (!isError(text, icon))
    std::cerr << oneLine(text) << '\n';
  else if (failure_.empty())
    failure_ = oneLine(text);
}

std::string BatchHost::takeFailure() { return std::exchange(failure_, {}); }

// Besides the DEM layout, the questions a batch run meets are the scale change's map warning,
// overwriting a file in use and scaling a large DEM; the command line already said to go ahead.
bool BatchHost::askYesNo(std::string_view text, MsgIcon, std::string_view) {
  if (text == "Are data of vector <Yes> or raster <No> format?") {
    demLayoutMissing = dem.kind == DemLayout::Unset;
    return dem.kind != DemLayout::Raster;
  }
  return true;
}

// The only three-way question: which part of a terrain too tall for the grid to keep.
Answer BatchHost::askYesNoCancel(std::string_view, MsgIcon, std::string_view) {
  return dem.part == "top" ? Answer::Yes : dem.part == "bottom" ? Answer::No : Answer::Cancel;
}

std::optional<std::string> BatchHost::inputBox(std::string_view prompt, std::string_view title, std::string_view def) {
  if (title == "Zoom Position") return zoomAnswer;
  if (title == "User Specified Gravity") return gravityAnswer;
  if (prompt == "Enter the number of raster rows") return dem.rows;
  if (prompt == "Enter the number of raster columns") return dem.columns;
  if (prompt == "Enter the distance between points (m)") return dem.spacing;
  return std::string(def);
}

std::optional<std::string> BatchHost::openFileName(const FileDialog&) {
  if (fileAnswer.empty()) return std::nullopt;
  return fileAnswer;
}

std::optional<std::string> BatchHost::saveFileName(const FileDialog& d) { return openFileName(d); }

std::optional<TerrainGrid> BatchHost::readTerrain(const std::string& path) { return gis::readTerrainFile(path); }

void BatchHost::writeTerrain(const std::string& path, const TerrainGrid& g, TerrainFormat format) {
  gis::writeTerrainFile(path, g, format);
}

std::optional<ProfileLine> BatchHost::chooseProfileLine(const TerrainGrid&, const ProfileLine& proposal) {
  return dem.line.value_or(proposal);
}

}  // namespace magmo::batch
