#pragma once
// The lines of a text file written with CR LF line ends; text after the last CR LF fails the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace magmo::test {

inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

}  // namespace magmo::test
