#pragma once
// The one simulation state: profile, strata table, layer attributes, plan-view grid,
// ballistic particles, parameters and counters.
#include <array>
#include <vector>

#include "model/PhaseRecord.h"
#include "model/SimError.h"

namespace magmo {

constexpr int kColumns = 1280;     // columns 1..1280 carry the terrain; column 0 exists but is idle
constexpr int kMaxLayers = 500;    // deposit layers 1..500
constexpr int kStratRows = 502;    // layers 0..501 of the strata table
constexpr int kMapRows = 640;      // plan-view rows 0..640
constexpr int kMaxParticles = 50;
constexpr int kVentMin = 50, kVentMax = 1230;

// Metres per column a file may store: the three scales, and 40 as an older large scale.
constexpr bool isStoredScale(double metres) { return metres == 4 || metres == 20 || metres == 40 || metres == 100; }
// The largest height a file may give, either way (plot units, one a column wide; the section is
// 600 high). Even at the small scale this is 40 km, past any relief on Earth, and the phases
// keep every height they draw within their 16-bit arithmetic.
constexpr float kMaxStoredHeight = 10000;

// RunStop: the run state that Erupt and Pause/Stop set and the phases poll.
enum class RunState { Running, Paused, Stopping };

// Strat(k, x): top of layer k at column x, with the layer index varying fastest so that a
// column's whole stratigraphy is contiguous.
class StratTable {
 public:
  StratTable() : v_(static_cast<size_t>(kStratRows) * (kColumns + 1), 0.0f) {}
  float& operator()(int k, int x) { return v_[static_cast<size_t>(x) * kStratRows + k]; }
  float operator()(int k, int x) const { return v_[static_cast<size_t>(x) * kStratRows + k]; }
  // Bounds-checked access for indexes that come from data.
  float& at(int k, int x) {
    if (k < 0 || k >= kStratRows || x < 0 || x > kColumns) throw SimError("Subscript out of range");
    return (*this)(k, x);
  }
  float* column(int x) { return &v_[static_cast<size_t>(x) * kStratRows]; }
  const float* column(int x) const { return &v_[static_cast<size_t>(x) * kStratRows]; }
  void clear() { std::fill(v_.begin(), v_.end(), 0.0f); }

 private:
  std::vector<float> v_;
};

template <typename T>
using PerColumn = std::array<T, kColumns + 1>;
template <typename T>
using PerLayer = std::array<T, kMaxLayers + 1>;
template <typename T>
using PerParticle = std::array<T, kMaxParticles + 1>;

// What a stratigraphic file carries: the layers with their attributes and tops, the current
// vent, the styles' colour alternation and the plan-view grid.
struct Section {
  StratTable Strat;
  int LayerCount = 0;
  PerLayer<int> LayerColor{}, LayerVentX{}, LayerCaldL{}, LayerCaldR{}, LayerMapY{};
  PerLayer<float> LayerBase{}, LayerWind{}, LayerCaldera{};
  PerLayer<float> LayerMapA{}, LayerMapB{}, LayerMapC{}, LayerMapD{};
  // Colour alternation of the styles (stored in the strat file header).
  int AltPfs = 0, AltStromb = 0, AltLava = 0, AltDome = 0, AltPlin = 0;
  int VentX = 640;

  // Plan-view grid, column varying fastest: MapGrid(x, y) = MapGrid[y * 1281 + x].
  std::vector<float> MapGrid = std::vector<float>(static_cast<size_t>(kColumns + 1) * (kMapRows + 1), 0.0f);
  float& mapGrid(int x, int y) { return MapGrid[static_cast<size_t>(y) * (kColumns + 1) + x]; }
  float mapGrid(int x, int y) const { return MapGrid[static_cast<size_t>(y) * (kColumns + 1) + x]; }

  // Column x as an index of the per-column arrays, for columns that come from data.
  static int column(int x) {
    if (x < 1 || x > kColumns) throw SimError("Subscript out of range");
    return x;
  }
  // VentX as an index of the per-column arrays: records and files can carry any value.
  int ventColumn() const { return column(VentX); }
};

// What the phase that opened a layer reported of it, as its bursts landed; layers read from a
// file, built in static mode or by a tectonic process have no report.
struct LayerStat {
  bool reported = false;
  Style style = Style::Tectonic;
  double volume = 0;  // m³
  double hours = 0;
  float summit = 0;  // highest point of the surface, plot units
};

struct Model : Section {
  PerColumn<float> Topo{};  // the surface, which the styles change before the strata follow

  // The unit at the surface of each plan-view cell, as its palette colour + 1 (0: none), laid out
  // as MapGrid, which files do not carry: the geological map is drawn from it.
  std::vector<unsigned char> MapUnit = std::vector<unsigned char>(MapGrid.size(), 0);
  unsigned char& mapUnit(int x, int y) { return MapUnit[static_cast<size_t>(y) * (kColumns + 1) + x]; }
  unsigned char mapUnit(int x, int y) const { return MapUnit[static_cast<size_t>(y) * (kColumns + 1) + x]; }

  // Ballistic particles of the current burst; index 0 unused.
  int PartCount = 25;
  PerParticle<float> PartU{}, PartW{};
  PerParticle<int> PartDone{};
  PerParticle<float> PartX{};  // flow/surge particle positions (columns)
  PerParticle<int> PartCol{};
  float MaxFlight = 0;
  float CloudHeight = 0, CloudRadius = 0;

  // Vent, scale and physical parameters.
  float VentKm = 12.8f;
  int NewVentX = 640;
  int CollapseBase = 640, CollapseBasePrev = 640;
  float VentElev = 0;
  float Scale = 20;
  float Strength = 0.4f, StrengthC = 0.63f;
  float Wind = 0, WindScaled = 0;
  float Gravity = 9.8f, GravityScaled = 0.49f;
  Style EruptType = Style::Tectonic;
  float SpeedFactor = 1.0f;
  float CpuFactor = 1.0f;
  int Directed = 1;  // side of a directed blast: 1 toward higher columns, -1 toward lower

  // Lava flow fronts of the current burst.
  float LavaBurst = 0, LavaThick = 0;
  int FlowLeft = 0, FlowRight = 0;
  // Phreatic explosions and their plume puffs.
  float BallisticTop = 600, BallisticRange = 0;
  std::array<float, 21> PuffAge{}, PuffDrift{};
  // Sector collapse, faulting and erosion.
  int CollapseDir = 1;
  int FaultX = 640;
  int ErodeCycles = 0;
  int PlayErodeCycles = 0;  // ErodeCycles of the recorded phase being played back
  int UndoLayer2 = 0;

  // Run and bookkeeping state.
  RunState RunStop = RunState::Running;
  int StratBusy = 0;
  int BurstCount = 0;
  int BurstLimit = 1000;
  float BurstTime = 0;
  double EruptHours = 0, TotalHours = 0;
  double EruptVolume = 0, TotalVolume = 0;
  PerLayer<LayerStat> LayerStats{};
  Style EruptSub = Style::Tectonic;
  int UndoLayer = 0, MapOn = 0;
  int MapStep = 6;  // plan-view grid step of the map precision: 4 high, 6 normal, 8 low
  int CollapseMapX = 0;  // centre of the last sector collapse on the map
  // Shaded relief: mode 1..4 lit from the top, bottom, left, right, 5 coloured by height; the
  // base level (plot units) below which the grid is water; the extremes and layer count of the
  // last relief image.
  int ReliefMode = 0;
  float BaseLevel = 0;
  float TopoMinZ = 0, TopoMaxZ = 0;
  int TopoLayerCount = 0;
  // The eruption history: phases 1..RecCount of RecTable, lava flow lengths in RecBurst.
  PhaseTable RecTable{};
  BurstTable RecBurst;
  int RecCount = 0, PlayIndex = 0;
  int RecReadFailed = 0;  // set by the record and DEM readers when a read failed
  int PhBurstCount = 0;
};

}  // namespace magmo
