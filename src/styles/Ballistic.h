#pragma once
// What the ballistic styles (Strombolian, Plinian, phreatic) share: the flight of one burst
// of particles launched from the vent, and the strength growth over the first bursts.
#include <algorithm>

#include "model/Sim.h"

namespace magmo {

// A time step too small to advance would keep the particles in the air for ever.
double flightStep(double dt);

// Particle k at the current BurstTime.
struct FlightPoint {
  int x;         // column, limited to 1..1280
  float y;       // screen height of the particle (down positive)
  float ground;  // screen height of the ground at x
  // Columns 1 and 1280 stand for everything beyond the profile's ends.
  bool onProfile() const { return x >= 2 && x < kColumns; }
  bool down() const { return ground < y; }
};
// windFactor: how many times the wind carries the particle sideways.
FlightPoint flightPoint(const Model& m, int k, float windFactor = 1);

// A new burst: every particle in the air, the burst clock at 0.
void startFlight(Model& m);

// Flies the burst to its end: each time step advances the clock (nextStep) and moves every
// particle still in the air (cameDown(k) is true once particle k is down or gone), yielding
// after each; after each step the frame ends and a pause holds the flight.
template <typename NextStep, typename CameDown>
void flyBurst(Sim& sim, NextStep nextStep, CameDown cameDown) {
  Model& m = sim.m;
  int landed = 0;
  while (landed < m.PartCount) {
    nextStep();
    for (int k = 1; k <= m.PartCount; ++k) {
      if (m.PartDone[k] == 1) continue;
      if (cameDown(k)) {
        m.PartDone[k] = 1;
        ++landed;
      }
      sim.host.yield();
    }
    sim.host.frameDone();
    sim.waitWhilePaused();
  }
}

// Slider5's strength growth: the phase starts weaker and regains its nominal strength step by
// step, one step at the start of each burst.
class StrengthRamp {
 public:
  // k = Slider5 (0 = off): the start lies k / weakening of the nominal strength below it, at
  // least 0.1, and the gap closes in stepsPerUnit × k steps.
  void start(float& strength, int k, int weakening, int stepsPerUnit) {
    step_ = 0;
    if (k == 0) return;
    nominal_ = strength;
    strength = std::max(nominal_ - k * nominal_ / weakening, 0.1f);
    step_ = (nominal_ - strength) / (stepsPerUnit * k);
    strength -= step_;
  }
  void grow(float& strength) const {
    if (step_ != 0 && strength < nominal_) strength += step_;
  }

 private:
  float nominal_ = 0, step_ = 0;
};

}  // namespace magmo
