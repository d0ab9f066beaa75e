#pragma once
// The headless platform: no waiting, an off-screen profile, notices on stderr, error reports
// kept for the runner to end the run with, prompts answered from the command line.
#include <functional>
#include <string>

#include "app/QtCanvas.h"
#include "app/batch/BatchOptions.h"
#include "model/Host.h"

namespace magmo::batch {

class BatchHost : public Host {
 public:
  BatchHost() : canvas_(QSize(1280, 690)) {}

  void yield() override {
    if (onYield) onYield();
  }
  void pauseTurn() override { yield(); }
  void sleepMs(int) override {}
  double secondsSinceMidnight() override;
  Canvas& profile() override { return canvas_; }
  QtCanvas& canvas() { return canvas_; }

  void message(std::string_view text, MsgIcon icon, std::string_view title) override;
  bool askYesNo(std::string_view text, MsgIcon icon, std::string_view title) override;
  Answer askYesNoCancel(std::string_view text, MsgIcon icon, std::string_view title) override;
  std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                      std::string_view defaultText) override;
  std::optional<std::string> openFileName(const FileDialog& d) override;
  std::optional<std::string> saveFileName(const FileDialog& d) override;
  std::optional<TerrainGrid> readTerrain(const std::string& path) override;
  void writeTerrain(const std::string& path, const TerrainGrid& g, TerrainFormat format) override;
  // The --dem-line of the command line, else the proposal.
  std::optional<ProfileLine> chooseProfileLine(const TerrainGrid& g, const ProfileLine& proposal) override;

  // The first error reported since the last call, on one line; empty when there was none.
  std::string takeFailure();

  std::function<void()> onYield;
  std::string zoomAnswer = "3";
  std::string gravityAnswer;
  std::string fileAnswer;
  DemLayout dem;              // answers to a foreign DEM import
  bool demLayoutMissing = false;  // the import asked for a layout the command line did not give

 private:
  QtCanvas canvas_;
  std::string failure_;
};

}  // namespace magmo::batch
