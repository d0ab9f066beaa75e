// Any bytes as a stratigraphic file: the reader may refuse them, never crash. One staging
// section serves every input; the reader overwrites what it reads.
#include <memory>

#include "FuzzSim.h"
#include "formats/StratFile.h"
#include "model/Model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto section = std::make_unique<magmo::Section>();
  std::istringstream in = magmo::fuzz::inputStream(data, size);
  try {
    const magmo::StratReadResult r = magmo::readStratText(in, *section, {false, size % 2 == 0});
    if (section->LayerCount < 0 || section->LayerCount > magmo::kMaxLayers) __builtin_trap();
    if (r.scale && !magmo::isStoredScale(*r.scale)) __builtin_trap();
  } catch (const magmo::SimError&) {
  }
  return 0;
}
