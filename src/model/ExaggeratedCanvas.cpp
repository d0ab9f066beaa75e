#include "model/ExaggeratedCanvas.h"

namespace magmo {

void ExaggeratedCanvas::columnSpans(int x, const Span* spans, int count) {
  if (factor_ == 1 || count <= 0) {
    target_->columnSpans(x, spans, count);
    return;
  }
  spans_.assign(spans, spans + count);
  for (Span& s : spans_) s.y1 = drawnY(s.y1), s.y2 = drawnY(s.y2);
  target_->columnSpans(x, spans_.data(), count);
}

}  // namespace magmo
