#pragma once
// Steps the explosive tephra styles (Plinian fall, pyroclastic flow/surge) share: their random
// wind, the caldera announcement and the way their deposit spreads burst by burst.
#include <string>
#include <utility>

namespace magmo {
struct Sim;
struct Model;

// Wind of a randomly chosen eruption: up to 20 m/s either way along the profile.
float randomWind(Sim& sim);

// Checks the caldera box and names the caldera type in CaldStyle and after the title in the
// style panel: "Mazama Type" under a cone standing more than 15 units above either point 50
// columns from the vent, else "Valles Type".
void announceCaldera(Sim& sim, const std::string& title);
// The eruption forms no caldera: box cleared, type hidden.
void withdrawCaldera(Sim& sim);

// The first bursts lay their deposit close to the vent, within Strength × e^BurstCount columns
// of it, and never beyond the columns the particles reached.
std::pair<int, int> nearVentSpan(const Model& m, int leftmost, int rightmost);
// Every column from `from` to `to` gains t.
void raiseColumns(Model& m, int from, int to, float t);

// The columns a phase's deposit covers so far; later bursts add only where they reach further.
class DepositLimits {
 public:
  void start(int leftmost, int rightmost) { left_ = leftmost, right_ = rightmost; }
  // The columns beyond the limits gain t and the limits move out to this burst's reach.
  void growOutward(Model& m, int leftmost, int rightmost, float t);

 private:
  int left_ = 0, right_ = 0;
};

}  // namespace magmo
