// Any bytes as a DEM file; the first byte answers the import questions (vector or raster,
// scale or not, which part to keep, the raster layout), the rest is the file. One grid serves
// every input; cells a file leaves alone keep the last input's values.
#include <memory>

#include "FuzzSim.h"
#include "formats/DemFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static magmo::fuzz::FuzzHost host;
  static auto dem = std::make_unique<magmo::DemData>();
  host.choice = data[0];
  dem->step = 6;
  std::istringstream in = magmo::fuzz::inputStream(data + 1, size - 1);
  try {
    magmo::readDemText(in, host, *dem);
    if (!magmo::isStoredScale(dem->scale) || dem->step < 4 || dem->step > 8) __builtin_trap();
  } catch (const magmo::SimError&) {
  }
  return 0;
}
