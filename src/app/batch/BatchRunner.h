#pragma once
// Runs the actions of a magmo-batch command line on one simulation, as a user would at the
// desktop; a run that fails leaves no output file behind.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/batch/BatchHost.h"
#include "app/batch/BatchOptions.h"
#include "app/batch/BatchOutputs.h"
#include "model/Settings.h"
#include "model/Sim.h"

namespace magmo::batch {

class BatchRunner {
 public:
  BatchRunner(const Paths& paths, std::ostream& report);
  ~BatchRunner();
  // Throws BatchError; output files are kept only when the whole run succeeds.
  void run(const Options& options);
  const Sim& sim() const { return sim_; }

 private:
  void act(const Action& a, const Options& options);
  void load(const std::string& path, const DemLayout& dem);
  void loadDem(const std::string& path, const DemLayout& dem);
  [[noreturn]] void refuseInput(const std::string& path, const std::string& kind);
  void play(const std::string& path, int loops);
  void writeRecord(const std::string& target);
  void undo();
  void erupt(const Phase& p);
  void autoCycles(int cycles);
  void fillPanel(const Phase& p);
  void fillTectonicPanel(const Phase& p);
  void setSliders(const Phase& p);
  void write(const std::string& target, const std::function<std::string()>& text);
  void requireMaps(const std::string& option) const;
  void reliefPng(const std::string& target, const PlanView& view);
  void columnPng(const std::string& target, const std::string& at);

  BatchHost host_;
  MemorySettings settings_;
  Sim sim_;
  std::ostream& report_;
  std::string reportText_;
  BatchOutputs outputs_;
  std::vector<std::string> recordTargets_;  // written when every action is done
};

}  // namespace magmo::batch
