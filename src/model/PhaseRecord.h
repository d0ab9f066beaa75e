#pragma once
// One recorded phase of an eruption history, and the per-burst lava flow lengths beside it.
#include <array>
#include <vector>

#include "model/SimError.h"

namespace magmo {

constexpr int kRecPhases = 500;  // entries 1..500 of a history; entry 0 is never used
constexpr int kRecBursts = 100;  // bursts 1..100 of a lava phase

struct PhaseRecord {
  float Location = 0;  // vent km, or the fault's km for a fault phase
  int Style = 0;       // EruptType; 0 for a tectonic phase
  float Strength = 0, Wind = 0, Particles = 0;
  int CalderaFlag = 0, Directed = 0;
  int CalderaStyle = 0;  // 0 none, 1 "Mazama Type", 2 "Valles Type"
  float ScarpTop = 0, ScarpBase = 0;
  int Bursts = 0;
  int TectonicKind = 0;  // 0 eruption, 1 fault, 2 erosion
  int Magnitude = 0, Dip = 0;
  int DownSide = 0;  // vertical fault: 1 left side down, 2 right side down
  int ErodeCycles = 0, Explosion = 0;
  std::array<int, 7> Slider{};  // Slider1..Slider6; index 0 unused
  float MapA = 0, MapB = 0, MapC = 0, MapD = 0;

  bool isLava() const { return Style == 3 || Style == 4; }
  bool operator==(const PhaseRecord&) const = default;
};

using PhaseTable = std::array<PhaseRecord, kRecPhases + 1>;

// Flow length of each burst of each phase: phases 0..500 by bursts 0..100.
class BurstTable {
 public:
  float& operator()(int phase, int burst) { return v_[index(phase, burst)]; }
  float operator()(int phase, int burst) const { return v_[index(phase, burst)]; }
  void clear() { std::fill(v_.begin(), v_.end(), 0.0f); }
  bool operator==(const BurstTable&) const = default;

 private:
  static size_t index(int phase, int burst) {
    if (phase < 0 || phase > kRecPhases || burst < 0 || burst > kRecBursts) throw SimError("Subscript out of range");
    return static_cast<size_t>(phase) * (kRecBursts + 1) + burst;
  }
  std::vector<float> v_ = std::vector<float>(static_cast<size_t>(kRecPhases + 1) * (kRecBursts + 1), 0.0f);
};

}  // namespace magmo
