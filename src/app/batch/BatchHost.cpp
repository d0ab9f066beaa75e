#include "app/batch/BatchHost.h"

#include <QTime>
#include <iostream>

namespace magmo::batch {

double BatchHost::secondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void BatchHost::message(std::string_view text, MsgIcon, std::string_view) {
  std::string line(text);
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  std::cerr << line << '\n';
}

// The questions a batch run meets are the scale change's map warning and overwriting a
// file in use; the command line already said to go ahead.
bool BatchHost::askYesNo(std::string_view, MsgIcon, std::string_view) { return true; }

std::optional<std::string> BatchHost::inputBox(std::string_view, std::string_view title, std::string_view def) {
  if (title == "Zoom Position") return zoomAnswer;
  if (title == "User Specified Gravity") return gravityAnswer;
  return std::string(def);
}

std::optional<std::string> BatchHost::openFileName(const FileDialog&) {
  if (fileAnswer.empty()) return std::nullopt;
  return fileAnswer;
}

std::optional<std::string> BatchHost::saveFileName(const FileDialog& d) { return openFileName(d); }

}  // namespace magmo::batch
