#include "textio/NumberScanner.h"

#include <charconv>
#include <cmath>

#include "model/SimError.h"
#include "textio/FieldReader.h"

namespace magmo {

namespace {

using Traits = std::char_traits<char>;
constexpr size_t kMaxToken = 4096;

bool isSeparator(int c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

NumberScanner::NumberScanner(std::streambuf* buf) : buf_(buf) { skipByteOrderMark(*buf_); }

void NumberScanner::fail(const std::string& why) const {
  throw SimError(why + " (line " + std::to_string(tokenLine_) + ")");
}

bool NumberScanner::next() {
  int c = buf_->sgetc();
  for (int previous = 0; c != Traits::eof() && isSeparator(c); previous = c, c = buf_->snextc())
    if (c == '\r' || (c == '\n' && previous != '\r')) ++line_;
  tokenLine_ = line_;
  token_.clear();
  if (c == Traits::eof()) return false;
  for (; c != Traits::eof() && !isSeparator(c); c = buf_->snextc()) {
    if (token_.size() >= kMaxToken) fail("Field too long");
    token_.push_back(static_cast<char>(c));
  }
  return true;
}

bool NumberScanner::skipTo(std::string_view prefix) {
  while (next())
    if (std::string_view(token_).starts_with(prefix)) return true;
  return false;
}

std::optional<double> NumberScanner::maybeNumber(std::string_view what) {
  if (!next()) return std::nullopt;
  std::string_view t = token_;
  if (t.starts_with('+')) t.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc{} || end != t.data() + t.size() || !std::isfinite(v))
    fail(std::string(what) + " \"" + shownText(token_) + "\" is not a number");
  return v;
}

double NumberScanner::number(std::string_view what) {
  const std::optional<double> v = maybeNumber(what);
  if (!v) fail(std::string(what) + " missing at the end of the file");
  return *v;
}

void NumberScanner::expectEnd(std::string_view after) {
  if (next()) fail("Unexpected \"" + shownText(token_) + "\" after " + std::string(after));
}

int NumberScanner::integer(int lo, int hi, std::string_view what) {
  const double v = number(what);
  if (v != std::floor(v) || v < lo || v > hi)
    fail(std::string(what) + " \"" + shownText(token_) + "\" is not a whole number from " + std::to_string(lo) +
         " to " + std::to_string(hi));
  return static_cast<int>(v);
}

}  // namespace magmo
