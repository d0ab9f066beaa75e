// Any bytes as a record file.
#include <memory>

#include "FuzzSim.h"
#include "formats/RecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto table = std::make_unique<magmo::PhaseTable>();
  static auto bursts = std::make_unique<magmo::BurstTable>();
  std::istringstream in = magmo::fuzz::inputStream(data, size);
  magmo::RecordHeader header;
  int phasesRead = 0;
  try {
    magmo::readRecordText(in, header, *table, *bursts, phasesRead);
  } catch (const magmo::SimError&) {
  }
  if (phasesRead < 0 || phasesRead > magmo::kRecPhases) __builtin_trap();
  return 0;
}
