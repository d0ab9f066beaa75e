#pragma once
// The elevation file (.dem): the system's own variant written and read exactly, and foreign
// vector (x,y,z) or raster files imported after asking the user about their layout.
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "model/Model.h"

namespace magmo {
class Host;

// The own variant: the 18 explanatory lines, the hyphen line, "$Magmo: ,<Scale>,<MapStep>",
// the grid records, then the 1280 profile records. progress gets each grid column begun.
std::string demFileText(const Model& m, const std::function<void(int column)>& progress = {});

// What a DEM brings in: the plan-view grid, the profile, and the scale and map step it holds.
struct DemData {
  std::vector<float> grid = std::vector<float>(static_cast<size_t>(kColumns + 1) * (kMapRows + 1), 0.0f);
  PerColumn<float> profile{};
  float scale = 20;
  int step = 6;
};

// Reads a DEM into `into`: the own variant when a "$Magmo:" field is found, otherwise a foreign
// file after the import questions (asked through host), which keeps into.step. Grid cells the
// file does not cover keep their values. Throws SimError on bad data and DemImportAbandoned
// when the user gives the import up.
void readDemText(std::istream& in, Host& host, DemData& into, const std::function<void(int percent)>& progress = {});

}  // namespace magmo
