// Any bytes as a stratigraphic file: the reader may refuse them, never crash.
#include "FuzzSim.h"
#include "files/StratFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  magmo::fuzz::FuzzSim& f = magmo::fuzz::fuzzSim();
  std::istringstream in = magmo::fuzz::inputStream(data, size);
  try {
    magmo::readStratStream(f.sim, "fuzz.str", in);
  } catch (const magmo::SimError&) {
  }
  return 0;
}
