// StratThick on a full table of 500 layers against the literal triple loop of its truncation
// and against one plain copy of the strata table, the floor any rewrite of it has to pay.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "model/Sim.h"
#include "model/Strata.h"

namespace magmo {
namespace {

class NullCanvas : public Canvas {
 public:
  void setPenWidth(int) override {}
  int penWidth() const override { return 1; }
  void point(float, float, Rgb) override {}
  void line(float, float, float, float, Rgb) override {}
  void columnSpan(int, float, float, Rgb) override {}
  void fillBox(float, float, float, float, Rgb) override {}
  void text(float, float, std::string_view, Rgb, int) override {}
  void setPersistent(bool) override {}
};

class NullHost : public Host {
 public:
  void yield() override {}
  void sleepMs(int) override {}
  double secondsSinceMidnight() override { return 0; }
  Canvas& profile() override { return canvas_; }
  void message(std::string_view, MsgIcon, std::string_view) override {}
  bool askYesNo(std::string_view, MsgIcon, std::string_view) override { return false; }
  std::optional<std::string> inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::optional<std::string> openFileName(const FileDialog&) override { return {}; }
  std::optional<std::string> saveFileName(const FileDialog&) override { return {}; }

 private:
  NullCanvas canvas_;
};

// A volcano of 500 layers, each mostly above the last, with a freshly eroded surface that
// cuts through many of them.
struct FullSection {
  NullHost host;
  MemorySettings settings;
  std::unique_ptr<Sim> sim = std::make_unique<Sim>(host, settings);
  StratTable pristine;

  FullSection() {
    Model& m = sim->m;
    std::mt19937 gen(42);
    std::uniform_real_distribution<float> step(-0.2f, 1.0f);
    m.LayerCount = kMaxLayers;
    for (int x = 1; x <= kColumns; ++x) {
      float top = 0;
      for (int k = 1; k <= kMaxLayers; ++k) m.Strat(k, x) = top += step(gen);
      m.Topo[x] = top * 0.6f;
    }
    pristine = m.Strat;
  }
  void restore() { sim->m.Strat = pristine; }
};

void BM_StratThick(benchmark::State& state) {
  FullSection s;
  for (auto _ : state) {
    state.PauseTiming();
    s.restore();
    state.ResumeTiming();
    stratThick(*s.sim);
    benchmark::ClobberMemory();
  }
}

void BM_TruncateLiteral(benchmark::State& state) {
  FullSection s;
  for (auto _ : state) {
    state.PauseTiming();
    s.restore();
    state.ResumeTiming();
    stratTruncateLiteral(s.sim->m);
    benchmark::ClobberMemory();
  }
}

void BM_CopyStrataTable(benchmark::State& state) {
  FullSection s;
  for (auto _ : state) {
    s.restore();
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_StratThick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TruncateLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyStrataTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace magmo
