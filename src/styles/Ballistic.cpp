#include "styles/Ballistic.h"

#include "model/Numeric.h"

namespace magmo {

double flightStep(double dt) { return std::max(dt, 1e-4); }

FlightPoint flightPoint(const Model& m, int k, float windFactor) {
  const float t = m.BurstTime;
  const float vent = m.Topo[m.ventColumn()];
  const double column = m.VentX + t * m.PartU[k] + windFactor * t * m.WindScaled;
  // Limited before rounding: a particle far beyond the ends must not overflow the column.
  const int x = cint(std::clamp(column, 1.0, double(kColumns)));
  const float y = t * t * m.GravityScaled / 2 + (600 - vent) - t * m.PartW[k];
  return {x, y, 600 - m.Topo[x]};
}

void startFlight(Model& m) {
  if (m.PartCount < 0 || m.PartCount > kMaxParticles) throw SimError("Subscript out of range");
  std::fill(m.PartDone.begin() + 1, m.PartDone.begin() + m.PartCount + 1, 0);
  m.BurstTime = 0;
}

}  // namespace magmo
