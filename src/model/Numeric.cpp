#include "model/Numeric.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "model/SimError.h"

namespace magmo {

int cint(double v) {
  const double r = std::nearbyint(v);  // default rounding mode: halves to even
  if (!(r >= -32768.0 && r <= 32767.0)) throw SimError("Overflow");
  return static_cast<int>(r);
}

int intPart(double v) {
  const double r = std::floor(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw SimError("Overflow");
  return static_cast<int>(r);
}

namespace {

// Length of the longest prefix of s that is a complete number: [sign] digits [. digits] [e [sign] digits].
size_t numberPrefix(std::string_view s) {
  size_t i = 0, best = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
  if (digits) best = i;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    if (digits) best = i;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t k = j;
    while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
    if (k > j) best = k;
  }
  return best;
}

double parsePrefix(std::string_view s) {
  const size_t n = numberPrefix(s);
  if (n == 0) return 0.0;
  std::string text(s.substr(0, n));
  if (text[0] == '+') text.erase(0, 1);
  double v = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  if (!std::isfinite(v)) return 0.0;
  return v;
}

std::string groupThousands(const std::string& digits) {
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace

float numVal(std::string_view text) {
  // The longest leading part that converts; a number followed by junk keeps its number.
  // A part whose value does not fit a single fails to convert, so a shorter one is tried.
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string_view s = text.substr(i);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  for (size_t n = numberPrefix(s); n > 0; --n) {
    if (numberPrefix(s.substr(0, n)) != n) continue;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + n, v);
    if (ec == std::errc() && end == s.data() + n && std::fabs(v) <= std::numeric_limits<float>::max())
      return static_cast<float>(v);
  }
  return 0.0f;
}

double val(std::string_view text) {
  // Typed input: blanks anywhere are ignored, reading stops at the first other non-number.
  std::string packed;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') packed += c;
  return parsePrefix(packed);
}

std::string format(double v, std::string_view pattern) {
  if (pattern.empty()) return generalNumber(v);
  if (pattern == "0%") return format(v * 100.0, "0") + "%";
  const size_t dot = pattern.find('.');
  const std::string_view intPat = pattern.substr(0, dot);
  const int decimals = dot == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - dot - 1);
  const bool grouped = intPat.find(',') != std::string_view::npos;
  int minDigits = 0;
  for (char c : intPat) minDigits += c == '0';

  // Decimal rounding of the shown digits, halves away from zero.
  const double scale = std::pow(10.0, decimals);
  const double scaled = std::round(std::fabs(v) * scale);
  const bool negative = v < 0 && scaled != 0.0;
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, scaled, std::chars_format::fixed, 0);
  std::string all(buf, res.ptr);
  while (static_cast<int>(all.size()) < decimals + 1) all.insert(all.begin(), '0');
  std::string whole = all.substr(0, all.size() - decimals);
  const std::string frac = all.substr(all.size() - decimals);
  while (static_cast<int>(whole.size()) < minDigits) whole.insert(whole.begin(), '0');
  if (whole == "0" && minDigits == 0) whole.clear();
  std::string out = negative ? "-" : "";
  out += grouped ? groupThousands(whole) : whole;
  if (decimals > 0) out += "." + frac;
  return out;
}

std::string generalNumber(double v) {
  if (v == std::trunc(v) && std::fabs(v) < 1e15) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    return std::string(buf, res.ptr);
  }
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));
  return std::string(buf, res.ptr);
}

}  // namespace magmo
