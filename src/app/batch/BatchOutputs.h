#pragma once
// The files a batch run writes. Each is written in place at once, so a later option reads what
// an earlier one wrote; the file it replaced is kept aside until the run ends. A run that fails
// or is interrupted puts every original back, so an error leaves no output behind.
#include <string>
#include <string_view>
#include <vector>

namespace magmo::batch {

class BatchOutputs {
 public:
  BatchOutputs() = default;
  BatchOutputs(const BatchOutputs&) = delete;
  BatchOutputs& operator=(const BatchOutputs&) = delete;
  ~BatchOutputs();

  // Throws BatchError when target cannot be written, before the run touches anything.
  static void check(const std::string& target);
  void write(const std::string& target, std::string_view content);
  // The run succeeded: the originals go.
  void keep();
  // The run failed: the originals come back and new files go. Returns the outputs that could
  // not be taken back.
  std::vector<std::string> restore();

 private:
  struct Output {
    std::string asked;     // the name on the command line
    std::string written;   // the file it names, links followed
    std::string original;  // where the replaced file waits; empty when there was none
    int pending;
  };
  const Output& keepAside(const std::string& target);

  std::vector<Output> outputs_;
};

}  // namespace magmo::batch
