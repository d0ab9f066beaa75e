#pragma once
// One recorded phase of an eruption history, and the per-burst lava flow lengths beside it.
#include <array>
#include <vector>

#include "model/SimError.h"

namespace magmo {

// The eruption style of a phase, numbered as files store it (EruptType, a record's Style). A
// tectonic interval, and a section on which nothing has erupted yet, have none.
enum class Style { Tectonic = 0, Pfs = 1, Stromb = 2, Lava = 3, Dome = 4, Plinian = 5, Collapse = 6, Fumarole = 7 };
constexpr bool isLava(Style s) { return s == Style::Lava || s == Style::Dome; }

enum class TectonicKind { None = 0, Fault = 1, Erosion = 2 };
// The side a vertical fault throws down.
enum class DownSide { None = 0, Left = 1, Right = 2 };
enum class CalderaStyle { None = 0, Mazama = 1, Valles = 2 };

constexpr int kRecPhases = 500;  // entries 1..500 of a history; entry 0 is never used
constexpr int kRecBursts = 100;  // bursts 1..100 of a lava phase

struct PhaseRecord {
  float Location = 0;  // vent km, or the fault's km for a fault phase
  magmo::Style Style = magmo::Style::Tectonic;
  float Strength = 0, Wind = 0, Particles = 0;
  int CalderaFlag = 0, Directed = 0;
  magmo::CalderaStyle CalderaStyle = magmo::CalderaStyle::None;
  float ScarpTop = 0, ScarpBase = 0;
  int Bursts = 0;
  magmo::TectonicKind TectonicKind = magmo::TectonicKind::None;
  int Magnitude = 0, Dip = 0;
  magmo::DownSide DownSide = magmo::DownSide::None;  // of a vertical fault
  int ErodeCycles = 0, Explosion = 0;
  std::array<int, 7> Slider{0, 6, 6, 20, 6, 0, 6};  // Slider1..Slider6 (index 0 unused), as the panel starts
  float MapA = 0, MapB = 0, MapC = 0, MapD = 0;

  bool isLava() const { return magmo::isLava(Style); }
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
