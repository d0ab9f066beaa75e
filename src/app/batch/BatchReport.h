#pragma once
// The --report summary: one line per layer, then the totals.
#include <string>

namespace magmo {
struct Model;
}

namespace magmo::batch {

std::string layerReport(const Model& m);

}  // namespace magmo::batch
