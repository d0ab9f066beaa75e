#pragma once
// Token-by-token reading of the elevation files, whose values may be separated by commas,
// tabs, blanks or line ends (foreign files use any of them). Tokens are bounded in length,
// so a damaged file cannot make a field grow without limit. CR LF, LF and CR alone each end a
// line, and a UTF-8 byte-order mark at the start is skipped.
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>

namespace magmo {

class NumberScanner {
 public:
  explicit NumberScanner(std::streambuf* buf);

  // The next token; false at the end of the input.
  bool next();
  const std::string& token() const { return token_; }
  // Skips tokens until one begins with prefix; false when the input ends first.
  bool skipTo(std::string_view prefix);
  // The next token as a number, nullopt at the end of the input; throws SimError naming what
  // and the line for anything but a complete finite number.
  std::optional<double> maybeNumber(std::string_view what);
  // As maybeNumber, but the end of the input is an error too.
  double number(std::string_view what);
  // Refuses anything but separators after the last value read.
  void expectEnd(std::string_view after);
  // A number with no fraction in [lo, hi].
  int integer(int lo, int hi, std::string_view what);
  // Line of the last token read, for messages.
  int line() const { return tokenLine_; }
  [[noreturn]] void fail(const std::string& why) const;

 private:
  std::streambuf* buf_;
  std::string token_;
  int line_ = 1, tokenLine_ = 1;
};

}  // namespace magmo
