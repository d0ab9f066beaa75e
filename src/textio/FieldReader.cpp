#include "textio/FieldReader.h"

#include <charconv>
#include <cmath>

#include "model/SimError.h"

namespace magmo {

namespace {

using Traits = std::char_traits<char>;
// No field of these files comes near this; a longer one is a damaged or foreign file.
constexpr size_t kMaxField = 4096;

bool isBlank(int c) { return c == ' ' || c == '\t'; }

template <typename T>
bool parseNumber(std::string_view t, T& v) {
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc{} && end == t.data() + t.size() && std::isfinite(v);
}

}  // namespace

void FieldReader::fail(std::string_view what) const {
  throw SimError(std::string(what) + " (line " + std::to_string(fieldLine_) + ")");
}

const std::string& FieldReader::next() {
  int c = buf_->sgetc();
  while (isBlank(c)) c = buf_->snextc();
  fieldLine_ = line_;
  if (c == Traits::eof()) fail("Input past end of file");
  field_.clear();
  quoted_ = c == '"';
  if (quoted_)
    readQuoted();
  else
    readPlain();
  endField();
  return field_;
}

void FieldReader::readQuoted() {
  buf_->sbumpc();
  for (int c = buf_->sbumpc(); c != '"'; c = buf_->sbumpc()) {
    if (c == Traits::eof()) fail("Text without closing quote");
    if (field_.size() >= kMaxField) fail("Field too long");
    if (c == '\n') ++line_;
    field_.push_back(static_cast<char>(c));
  }
  int c = buf_->sgetc();
  while (isBlank(c)) c = buf_->snextc();
}

void FieldReader::readPlain() {
  for (int c = buf_->sgetc(); c != Traits::eof() && c != ',' && !atLineEnd(c); c = buf_->snextc()) {
    if (field_.size() >= kMaxField) fail("Field too long");
    field_.push_back(static_cast<char>(c));
  }
  while (!field_.empty() && isBlank(field_.back())) field_.pop_back();
}

void FieldReader::endField() {
  const int c = buf_->sgetc();
  if (c == Traits::eof()) return;
  if (c == ',') {
    buf_->sbumpc();
  } else if (c == '\r') {
    if (buf_->snextc() == '\n') buf_->sbumpc();
    ++line_;
  } else if (c == '\n') {
    buf_->sbumpc();
    ++line_;
  } else {
    fail("Unexpected text after a quoted field");
  }
}

template <typename T>
T FieldReader::parsed() {
  const std::string& t = next();
  if (quoted_) fail("Text \"" + t + "\" where a number was expected");
  T v = 0;
  if (!t.empty() && !parseNumber(t, v)) fail("Bad number \"" + t + "\"");
  return v;
}

double FieldReader::number() { return parsed<double>(); }
float FieldReader::single() { return parsed<float>(); }

float FieldReader::single(float limit, std::string_view what) {
  const float v = single();
  if (std::fabs(v) > limit) fail(std::string(what) + " \"" + field_ + "\" out of range");
  return v;
}

int FieldReader::integer() {
  const double r = std::nearbyint(number());
  if (r < -32768.0 || r > 32767.0) fail("Number \"" + field_ + "\" out of range");
  return static_cast<int>(r);
}

int FieldReader::integer(int lo, int hi, std::string_view what) {
  const int v = integer();
  if (v < lo || v > hi)
    fail(std::string(what) + " " + std::to_string(v) + " out of range " + std::to_string(lo) + ".." +
         std::to_string(hi));
  return v;
}

}  // namespace magmo
