#pragma once
// Lines of comma-separated fields as the text files store them: numbers in their shortest
// decimal form that reads back exactly, texts in double quotes, each line ended by CR LF.
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "model/SimError.h"

namespace magmo {

class FieldWriter {
 public:
  void reserve(size_t bytes) { out_.reserve(bytes); }
  void field(int v) { number(v); }
  // A value that is no number would make the file unreadable.
  void field(float v) {
    if (!std::isfinite(v)) throw SimError("Cannot store the value " + std::to_string(v));
    number(v);
  }
  void text(std::string_view s) {
    separate();
    out_ += '"';
    out_ += s;
    out_ += '"';
  }
  void endLine() {
    out_ += "\r\n";
    lineStart_ = true;
  }
  // One whole line of numbers.
  template <typename... T>
  void line(T... values) {
    (field(values), ...);
    endLine();
  }
  const std::string& str() const { return out_; }

 private:
  void separate() {
    if (!lineStart_) out_ += ',';
    lineStart_ = false;
  }
  template <typename T>
  void number(T v) {
    separate();
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, res.ptr);
  }

  std::string out_;
  bool lineStart_ = true;
};

}  // namespace magmo
