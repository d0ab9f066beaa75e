#include "textio/FieldReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/SimError.h"

namespace magmo {

namespace {

using Traits = std::char_traits<char>;
// No field of these files comes near this; a longer one is a damaged or foreign file.
constexpr size_t kMaxField = 4096;
// Enough of a field to recognise it in a message.
constexpr size_t kShownLength = 40;

bool isBlank(int c) { return c == ' ' || c == '\t'; }

template <typename T>
bool parseNumber(std::string_view t, T& v) {
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc{} && end == t.data() + t.size() && std::isfinite(v);
}

std::string fieldCount(int n) { return std::to_string(n) + (n == 1 ? " field" : " fields"); }

}  // namespace

void skipByteOrderMark(std::streambuf& buf) {
  static constexpr int kMark[] = {0xEF, 0xBB, 0xBF};
  for (int i = 0; i < 3; ++i) {
    if (buf.sgetc() != kMark[i]) {
      while (i-- > 0) buf.sungetc();  // not a mark: the bytes belong to the text
      return;
    }
    buf.sbumpc();
  }
}

std::string shownText(std::string_view text) {
  size_t cut = std::min(text.size(), kShownLength);
  while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  std::string out;
  for (const char ch : text.substr(0, cut)) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c != 0x7F) {
      out += ch;
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
  }
  if (cut < text.size()) out += "...";
  return out;
}

FieldReader::FieldReader(std::istream& in) : buf_(in.rdbuf()) { skipByteOrderMark(*buf_); }

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
  checkLine();
  return field_;
}

void FieldReader::readQuoted() {
  buf_->sbumpc();
  int previous = 0;
  for (int c = buf_->sbumpc(); c != '"'; previous = c, c = buf_->sbumpc()) {
    if (c == Traits::eof()) fail("Text without closing quote");
    if (field_.size() >= kMaxField) fail("Field too long");
    if (c == '\r' || (c == '\n' && previous != '\r')) ++line_;
    field_.push_back(static_cast<char>(c));
  }
  int c = buf_->sgetc();
  while (isBlank(c)) c = buf_->snextc();
}

void FieldReader::readPlain() {
  for (int c = buf_->sgetc(); c != Traits::eof() && c != ',' && c != '\r' && c != '\n'; c = buf_->snextc()) {
    if (field_.size() >= kMaxField) fail("Field too long");
    field_.push_back(static_cast<char>(c));
  }
  while (!field_.empty() && isBlank(field_.back())) field_.pop_back();
}

void FieldReader::endField() {
  const int c = buf_->sgetc();
  endedLine_ = c != ',';
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

void FieldReader::checkLine() {
  if (lineFields_ == 0) return;
  ++lineRead_;
  if (lineRead_ < lineFields_ && endedLine_)
    fail("Line holds " + fieldCount(lineRead_) + ", not " + std::to_string(lineFields_));
  if (lineRead_ < lineFields_) return;
  lineFields_ = 0;
  if (!endedLine_) fail("Line holds more than " + fieldCount(lineRead_));
}

// Only reads that ignored the layout can leave a line unfinished.
void FieldReader::startLine() const {
  if (!endedLine_) fail("Line holds more fields than expected");
}

void FieldReader::line(int fields, int read) {
  if (read == 0) startLine();
  if (read > 0 && endedLine_) fail("Line holds " + fieldCount(read) + ", not " + std::to_string(fields));
  lineFields_ = fields, lineRead_ = read;
}

void FieldReader::blankLine() {
  startLine();
  next();
  if (quoted_ || !field_.empty() || !endedLine_) fail("Empty line expected");
}

const std::string& FieldReader::textLine(std::string_view what) {
  startLine();
  next();
  if (!quoted_ || !endedLine_) fail(std::string(what) + " expected");
  return field_;
}

bool FieldReader::atEnd() {
  int c = buf_->sgetc();
  while (isBlank(c)) c = buf_->snextc();
  return c == Traits::eof();
}

void FieldReader::expectEnd(std::string_view after) {
  int previous = 0;
  for (int c = buf_->sgetc(); c != Traits::eof(); previous = c, c = buf_->snextc()) {
    if (c == '\r' || (c == '\n' && previous != '\r')) ++line_;
    if (!isBlank(c) && c != '\r' && c != '\n') {
      fieldLine_ = line_;
      fail("Unexpected text after " + std::string(after));
    }
  }
}

template <typename T>
T FieldReader::parsed() {
  const std::string& t = next();
  if (quoted_) fail("Text \"" + shownText(t) + "\" where a number was expected");
  if (t.empty()) fail("Empty field where a number was expected");
  T v = 0;
  if (!parseNumber(t, v)) fail("Bad number \"" + shownText(t) + "\"");
  return v;
}

double FieldReader::number() { return parsed<double>(); }
float FieldReader::single() { return parsed<float>(); }

float FieldReader::single(float limit, std::string_view what) {
  const float v = single();
  if (std::fabs(v) > limit) {
    const std::string bound = std::to_string(static_cast<long>(limit));
    fail(std::string(what) + " " + shownText(field_) + " out of range -" + bound + ".." + bound);
  }
  return v;
}

int FieldReader::integer() {
  const double r = std::nearbyint(number());
  if (r < -32768.0 || r > 32767.0) fail("Number \"" + shownText(field_) + "\" out of range");
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
