// Full profile refresh with 500 layers into the Qt canvas: spans written straight into the
// image buffer, against the same drawing done with one painter line per segment.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <cmath>

#include "app/QtCanvas.h"
#include "app/QtHost.h"
#include "model/Sim.h"
#include "views/Profile.h"

namespace magmo {
namespace {

void ensureApplication() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
}

// 500 layers, every one with thickness at every column: the refresh's worst case.
void fillLayers(Model& m) {
  m.LayerCount = kMaxLayers;
  for (int k = 1; k <= kMaxLayers; ++k) {
    m.LayerColor[k] = 1 + k % 15;
    m.LayerVentX[k] = 100 + (k * 37) % 1080;
    m.LayerBase[k] = k * 1.1f;
    for (int x = 1; x <= kColumns; ++x)
      m.Strat(k, x) = m.Strat(k - 1, x) + 1.0f + 0.2f * static_cast<float>(std::sin(x * 0.01 + k));
  }
  for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(kMaxLayers, x);
}

// The literal drawing: every segment is a line through its own painter.
class PainterPerSegmentCanvas : public QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  void columnSpan(int x, float y1, float y2, Rgb c) override {
    const QLine segment(px(static_cast<float>(x)), py(y1), px(static_cast<float>(x)), py(y2));
    QPainter p(&target(QRect(segment.p1(), segment.p2()).normalized()));
    p.setPen(QColor(c.r, c.g, c.b));
    p.drawLine(segment);
  }
  void columnSpans(int x, const Span* spans, int count) override { Canvas::columnSpans(x, spans, count); }
};

template <typename CanvasType>
void refreshWith(benchmark::State& state) {
  ensureApplication();
  CanvasType canvas(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  QtHost host(canvas);
  MemorySettings settings;
  Sim sim(host, settings);
  fillLayers(sim.m);
  for (auto _ : state) {
    screenRefresh(sim);
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
}

void BM_ScreenRefresh_DirectSpans(benchmark::State& state) { refreshWith<QtCanvas>(state); }
void BM_ScreenRefresh_PainterPerSegment(benchmark::State& state) { refreshWith<PainterPerSegmentCanvas>(state); }

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({1280, 690})->Args({1920, 1035})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ScreenRefresh_DirectSpans)->Apply(sizes);
BENCHMARK(BM_ScreenRefresh_PainterPerSegment)->Apply(sizes);

}  // namespace
}  // namespace magmo
