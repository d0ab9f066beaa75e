#include "model/Sim.h"

#include <algorithm>

#include "model/Numeric.h"

namespace magmo {

int Sim::columnOfKm(double km) const { return cint(std::clamp(km * 1000 / m.Scale, -30000.0, 30000.0)); }

std::string Sim::kmText(float column) const { return format(column * m.Scale / 1000, "0.00"); }

}  // namespace magmo
