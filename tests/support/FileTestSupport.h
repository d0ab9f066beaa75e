#pragma once
// For the file tests: a fresh folder per test, whole files read and written, CR LF lines and
// their edits, foreign elevation text, and the message a refused read gives.
#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/SimError.h"

namespace magmo::test {
class TempDir {
 public:
  TempDir() {
    static int made = 0;
    const std::string name = "magmo-files-" + std::to_string(::getpid()) + "-" + std::to_string(++made);
    dir_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string folder() const { return dir_.string() + "/"; }

 private:
  std::filesystem::path dir_;
};

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void spit(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The first n lines of a CR LF text, and the text with its line n replaced; lines count from 1.
inline std::string firstLines(const std::string& text, int n) {
  size_t end = 0;
  for (int i = 0; i < n; ++i) end = text.find("\r\n", end) + 2;
  return text.substr(0, end);
}

inline std::string withLine(const std::string& text, int n, const std::string& line) {
  const size_t start = firstLines(text, n - 1).size();
  return text.substr(0, start) + line + text.substr(text.find("\r\n", start));
}

// Lines inserted, lost or doubled, and other line ends.
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

// The lines of a CR LF text; text after the last CR LF fails the test.
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

// Foreign DEM text: the x,y,z records of an nx by ny lattice with spacing d from (x0, y0), z = f(i, j).
template <typename F>
std::string latticeText(int nx, int ny, double x0, double y0, double d, F f, const char* sep = ",") {
  std::ostringstream s;
  s.precision(17);
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) s << x0 + i * d << sep << y0 + j * d << sep << f(i, j) << "\r\n";
  return s.str();
}

// Success when f throws a SimError whose message contains part.
template <typename F>
::testing::AssertionResult refusedWith(F&& f, const std::string& part) {
  try {
    f();
  } catch (const SimError& e) {
    if (std::string(e.what()).find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "refused with \"" << e.what() << "\", not \"" << part << "\"";
  }
  return ::testing::AssertionFailure() << "accepted; expected \"" << part << "\"";
}
}  // namespace magmo::test
