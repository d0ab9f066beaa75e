#pragma once
// The --report summary: one line per layer, then the totals.
#include <map>
#include <string>

#include "app/batch/BatchRunner.h"

namespace magmo::batch {

std::string layerReport(const Sim& sim, const std::map<int, PhaseStats>& phases);

}  // namespace magmo::batch
