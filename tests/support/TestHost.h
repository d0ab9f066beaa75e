#pragma once
// A Host for the core tests: records drawing and messages, answers prompts from a script and
// can press Pause/Stop when the run reaches a chosen burst.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Host.h"

namespace magmo::test {
struct DrawCall {
  enum Kind { Point, Line, Span, Box, Text } kind;
  float x1, y1, x2, y2;
  Rgb color;
  int penWidth;
  bool persistent;
  std::string text;
};

class RecordingCanvas : public Canvas {
 public:
  void setPenWidth(int w) override { pen_ = w; }
  int penWidth() const override { return pen_; }
  void point(float x, float y, Rgb c) override { add({DrawCall::Point, x, y, x, y, c, pen_, persistent_, {}}); }
  void line(float x1, float y1, float x2, float y2, Rgb c) override {
    add({DrawCall::Line, x1, y1, x2, y2, c, pen_, persistent_, {}});
  }
  void columnSpan(int x, float y1, float y2, Rgb c) override {
    add({DrawCall::Span, float(x), y1, float(x), y2, c, 1, persistent_, {}});
  }
  void fillBox(float x1, float y1, float x2, float y2, Rgb c) override {
    add({DrawCall::Box, x1, y1, x2, y2, c, pen_, persistent_, {}});
  }
  void text(float x, float y, std::string_view s, Rgb c, int) override {
    add({DrawCall::Text, x, y, x, y, c, pen_, persistent_, std::string(s)});
  }
  void setPersistent(bool on) override { persistent_ = on; }

  std::vector<DrawCall> calls;
  bool recording = true;
  void clear() { calls.clear(); }

 private:
  void add(DrawCall c) {
    if (recording) calls.push_back(std::move(c));
  }
  int pen_ = 1;
  bool persistent_ = false;
};

class TestHost : public Host {
 public:
  void yield() override {
    ++yields;
    if (onYield) onYield();
  }
  void pauseTurn() override { yield(); }
  void sleepMs(int ms) override { sleptMs += ms; }
  double secondsSinceMidnight() override { return clock += clockStep; }
  Canvas& profile() override { return canvas; }

  void message(std::string_view text, MsgIcon icon, std::string_view) override {
    messages.emplace_back(text);
    icons.push_back(icon);
  }
  bool askYesNo(std::string_view text, MsgIcon, std::string_view) override {
    questions.emplace_back(text);
    return pop(yesNoAnswers, true);
  }
  Answer askYesNoCancel(std::string_view text, MsgIcon, std::string_view) override {
    questions.emplace_back(text);
    return pop(yesNoCancelAnswers, Answer::Cancel);
  }
  std::optional<std::string> inputBox(std::string_view prompt, std::string_view, std::string_view def) override {
    prompts.emplace_back(prompt);
    if (inputAnswers.empty()) return std::string(def);
    auto a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
  }
  std::optional<std::string> openFileName(const FileDialog& d) override {
    dialogs.push_back(d);
    return pop(fileAnswers, std::optional<std::string>{});
  }
  std::optional<std::string> saveFileName(const FileDialog& d) override {
    dialogs.push_back(d);
    return pop(fileAnswers, std::optional<std::string>{});
  }
  void soundPlay(const std::string& path, bool loop) override { sounds.push_back(path + (loop ? " (loop)" : "")); }
  void soundStop() override { sounds.push_back("(stop)"); }
  void inhibitScreenSaver(bool on) override { screenSaverInhibited = on; }
  void captureProfile(const std::string& folder) override { captures.push_back(folder); }

  RecordingCanvas canvas;
  std::function<void()> onYield;
  long yields = 0, sleptMs = 0;
  double clock = 0, clockStep = 1.0;  // each reading of the clock advances it one step
  bool screenSaverInhibited = false;
  std::vector<std::string> messages, questions, prompts, sounds, captures;
  std::vector<MsgIcon> icons;  // of the messages
  std::vector<FileDialog> dialogs;
  std::deque<bool> yesNoAnswers;
  std::deque<Answer> yesNoCancelAnswers;
  std::deque<std::optional<std::string>> inputAnswers, fileAnswers;

 private:
  template <typename T>
  static T pop(std::deque<T>& q, T def) {
    if (q.empty()) return def;
    T v = q.front();
    q.pop_front();
    return v;
  }
};
}  // namespace magmo::test
