#pragma once
// View > Vertical Exaggeration: the section's heights drawn a whole number of times taller.
#include <vector>

#include "model/Canvas.h"

namespace magmo {

// The basement surface: heights are measured up from this line of the profile.
constexpr float kBasementY = 600;
// The factors the View menu offers.
constexpr int kExaggerations[] = {1, 2, 5, 10};

// Where a profile y is drawn at the given factor. Below the basement lies the distance axis,
// which keeps its place; at 1 every y is returned untouched, so the picture is today's exactly.
inline float exaggeratedY(float y, int factor) {
  if (factor == 1 || y > kBasementY) return y;
  return kBasementY - (kBasementY - y) * static_cast<float>(factor);
}
// The profile y of a drawn y (for the pointer).
inline float trueY(float y, int factor) {
  if (factor == 1 || y > kBasementY) return y;
  return kBasementY - (kBasementY - y) / static_cast<float>(factor);
}

// Passes the drawing on to the real surface with every y exaggerated; pen widths stay in
// pixels, so bombs and puffs keep their size. Drawing stretched above the top simply clips.
class ExaggeratedCanvas : public Canvas {
 public:
  // Cheap: done before each use, so a canvas kept by a style follows a change of factor.
  void aim(Canvas& target, int factor) {
    target_ = &target;
    factor_ = factor;
  }
  int factor() const { return factor_; }

  void setPenWidth(int w) override { target_->setPenWidth(w); }
  int penWidth() const override { return target_->penWidth(); }
  void point(float x, float y, Rgb c) override { target_->point(x, drawnY(y), c); }
  void line(float x1, float y1, float x2, float y2, Rgb c) override {
    target_->line(x1, drawnY(y1), x2, drawnY(y2), c);
  }
  void columnSpan(int x, float y1, float y2, Rgb c) override { target_->columnSpan(x, drawnY(y1), drawnY(y2), c); }
  void columnSpans(int x, const Span* spans, int count) override;
  void fillBox(float x1, float y1, float x2, float y2, Rgb c) override {
    target_->fillBox(x1, drawnY(y1), x2, drawnY(y2), c);
  }
  void text(float x, float y, std::string_view s, Rgb c, int pointSize) override {
    target_->text(x, drawnY(y), s, c, pointSize);
  }
  void setPersistent(bool on) override { target_->setPersistent(on); }
  void snapshot() override { target_->snapshot(); }

 private:
  float drawnY(float y) const { return exaggeratedY(y, factor_); }

  Canvas* target_ = nullptr;
  int factor_ = 1;
  std::vector<Span> spans_;  // reused: a refresh passes 1280 columns of spans
};

}  // namespace magmo
