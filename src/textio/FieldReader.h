#pragma once
// Field-by-field reading of the comma-separated text files. A line end (CR LF, LF or CR alone)
// closes a field just as a comma does. Readers that know a layout ask for whole lines of a
// given number of fields, so that a line inserted, lost or split shows where it happens
// instead of shifting every later value; an empty field never reads as a number.
#include <istream>
#include <string>
#include <string_view>

namespace magmo {

class FieldReader {
 public:
  // A UTF-8 byte-order mark at the start is skipped.
  explicit FieldReader(std::istream& in);

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

  // The next line, or the current one when `read` of its fields have been read, must hold
  // `fields` fields: a line with more or fewer is refused as its last field is read.
  void line(int fields, int read = 0);
  // An empty line.
  void blankLine();
  // A line holding one quoted text, which is returned; refused as "<what> expected".
  const std::string& textLine(std::string_view what);
  // Only blanks remain before the end of the input.
  bool atEnd();
  // Refuses what follows unless it is only blanks and empty lines.
  void expectEnd(std::string_view after);

  // Refuses the file: what, with the line of the last field read.
  [[noreturn]] void fail(std::string_view what) const;

 private:
  template <typename T>
  T parsed();
  void readQuoted();
  void readPlain();
  void endField();
  void checkLine();
  void startLine() const;

  std::streambuf* buf_;
  std::string field_;
  bool quoted_ = false;
  bool endedLine_ = true;  // the last field was the last of its line
  int line_ = 1;
  int fieldLine_ = 1;
  int lineFields_ = 0, lineRead_ = 0;  // fields the current line must hold, and those read of it
};

// For every text reader: skips a UTF-8 byte-order mark at the reading position.
void skipByteOrderMark(std::streambuf& buf);
// Text from a file as a message may show it: control bytes escaped ("\x00"), long text cut.
std::string shownText(std::string_view text);

}  // namespace magmo
