#pragma once
// One simulation kept for a whole fuzzing run: a Model is several megabytes, too costly to
// build for every input. Its host answers the import questions as the input's first byte says.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>

#include "NullHost.h"
#include "model/Sim.h"

namespace magmo::fuzz {

class FuzzHost : public bench::NullHost {
 public:
  uint8_t choice = 0;
  std::function<void()> onYield;

  void yield() override {
    if (onYield) onYield();
  }
  void pauseTurn() override { yield(); }

  bool askYesNo(std::string_view, MsgIcon, std::string_view) override { return (choice & 1) != 0; }
  Answer askYesNoCancel(std::string_view, MsgIcon, std::string_view) override {
    static constexpr Answer answers[] = {Answer::Yes, Answer::No, Answer::Cancel, Answer::Cancel};
    return answers[(choice >> 1) & 3];
  }
  // Raster layouts small enough to keep every input quick: up to 16 rows and 16 columns.
  std::optional<std::string> inputBox(std::string_view prompt, std::string_view, std::string_view) override {
    if (prompt.find("rows") != std::string_view::npos) return std::to_string(1 + (choice >> 4));
    if (prompt.find("columns") != std::string_view::npos) return std::to_string(1 + ((choice >> 3) & 15));
    return std::to_string(10 * (1 + (choice & 7)));
  }
};

struct FuzzSim {
  FuzzHost host;
  MemorySettings settings;
  Sim sim{host, settings};
};

inline FuzzSim& fuzzSim() {
  static FuzzSim* s = new FuzzSim;  // never destroyed: the fuzzer may exit from anywhere
  return *s;
}

inline std::istringstream inputStream(const uint8_t* data, size_t size) {
  return std::istringstream(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
}

}  // namespace magmo::fuzz
