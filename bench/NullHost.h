#pragma once
// A platform that draws nothing and answers every question at once, for the core benchmarks.
#include <optional>
#include <string>

#include "model/Host.h"

namespace magmo::bench {

class NullCanvas : public Canvas {
 public:
  void setPenWidth(int w) override { pen_ = w; }
  int penWidth() const override { return pen_; }
  void point(float, float, Rgb) override {}
  void line(float, float, float, float, Rgb) override {}
  void columnSpan(int, float, float, Rgb) override {}
  void fillBox(float, float, float, float, Rgb) override {}
  void text(float, float, std::string_view, Rgb, int) override {}
  void setPersistent(bool) override {}

 private:
  int pen_ = 1;
};

class NullHost : public Host {
 public:
  void yield() override {}
  void sleepMs(int) override {}
  double secondsSinceMidnight() override { return 0; }
  Canvas& profile() override { return canvas_; }
  void message(std::string_view text, MsgIcon, std::string_view) override { last = text; }
  bool askYesNo(std::string_view, MsgIcon, std::string_view) override { return true; }
  Answer askYesNoCancel(std::string_view, MsgIcon, std::string_view) override { return Answer::Cancel; }
  std::optional<std::string> inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::optional<std::string> openFileName(const FileDialog&) override { return {}; }
  std::optional<std::string> saveFileName(const FileDialog&) override { return {}; }
  std::string last;

 private:
  NullCanvas canvas_;
};

}  // namespace magmo::bench
