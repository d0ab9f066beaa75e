#pragma once
// What the two tectonic intervals, faulting and erosion, share.
#include <string>

#include "model/PhaseRecord.h"

namespace magmo {
struct Sim;

// "Phase: 12  (Dormant)   Cycle:" and its automatic and playback forms: the progress text of
// a tectonic interval up to its cycle number.
std::string dormantPhaseText(const Sim& sim);

// The statistics time an interval as a tectonic step. Inside an automatic cycle EruptType
// still names the previous eruption, which the cycle needs afterwards to choose the next one,
// so it is set aside for the interval and given back at its end.
class TectonicStep {
 public:
  explicit TectonicStep(Sim& sim);
  ~TectonicStep();
  TectonicStep(const TectonicStep&) = delete;
  TectonicStep& operator=(const TectonicStep&) = delete;

 private:
  Sim& sim_;
  Style eruptType_;
};

}  // namespace magmo
