#pragma once
// Lines (counted from 1) inserted, lost or doubled in a CR LF text, and other line ends.
#include <regex>
#include <string>

#include "support/FileTestSupport.h"

namespace magmo::test {

inline std::string withLineInserted(const std::string& text, int n, const std::string& line) {
  return firstLines(text, n - 1) + line + "\r\n" + text.substr(firstLines(text, n - 1).size());
}

inline std::string withoutLine(const std::string& text, int n) {
  return firstLines(text, n - 1) + text.substr(firstLines(text, n).size());
}

inline std::string withLineRepeated(const std::string& text, int n) {
  return firstLines(text, n) + text.substr(firstLines(text, n - 1).size());
}

inline std::string withLineEnds(const std::string& text, const std::string& end) {
  return std::regex_replace(text, std::regex("\r\n"), end);
}

}  // namespace magmo::test
