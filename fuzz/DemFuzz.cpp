// Any bytes as a DEM file; the first byte answers the import questions (vector or raster,
// scale or not, which part to keep, the raster layout), the rest is the file.
#include "FuzzSim.h"
#include "files/DemFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  magmo::fuzz::FuzzSim& f = magmo::fuzz::fuzzSim();
  f.host.choice = data[0];
  std::istringstream in = magmo::fuzz::inputStream(data + 1, size - 1);
  try {
    magmo::readDemStream(f.sim, in);
  } catch (const magmo::SimError&) {
  }
  return 0;
}
