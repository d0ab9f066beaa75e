#pragma once
// Field-by-field reading of the comma-separated text files. A line end closes a field just as
// a comma does, so it does not matter how the values are spread over lines; an empty line is
// one empty field, which reads as the number 0.
#include <istream>
#include <string>
#include <string_view>

namespace magmo {

class FieldReader {
 public:
  explicit FieldReader(std::istream& in) : buf_(in.rdbuf()) {}

  // The next field, without its quotes; throws SimError at the end of the input.
  const std::string& next();
  void skip() { next(); }
  // Numeric fields throw SimError for anything but a complete finite number.
  double number();
  float single();
  // A single whose magnitude must not exceed limit.
  float single(float limit, std::string_view what);
  // A 16-bit integer (rounded half to even), and one that must lie in [lo, hi].
  int integer();
  int integer(int lo, int hi, std::string_view what);
  // Refuses the file: what, with the line of the last field read.
  [[noreturn]] void fail(std::string_view what) const;

 private:
  template <typename T>
  T parsed();
  void readQuoted();
  void readPlain();
  void endField();
  bool atLineEnd(int c) const { return c == '\r' || c == '\n'; }

  std::streambuf* buf_;
  std::string field_;
  bool quoted_ = false;
  int line_ = 1;
  int fieldLine_ = 1;
};

}  // namespace magmo
