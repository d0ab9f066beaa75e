#pragma once
// Manual phases driven the way the user drives them, for recording and replaying histories.
#include "control/Params.h"
#include "control/RecordMenu.h"
#include "support/SimFixture.h"

namespace magmo::test {

class RecordTest : public SimTest {
 protected:
  // Selection toggles an already chosen style off, so the panels are cleared first.
  void choose(Style s) {
    clearParams(sim, "");
    selectStyle(sim, s);
  }
  void erupt(Style s, const char* strength, int bursts, const char* km = "12.80") {
    choose(s);
    ui().txtStr.text = strength;
    ui().txtLoc.text = km;
    changeOk(sim);
    stopDuringBurst(bursts);
    cmdEruptClick(sim);
    host.onYield = nullptr;
  }
  void faultAt(const char* km, const char* magnitude, const char* dip, const char* down) {
    choose(Style::Tectonic);
    opFaultClick(sim);
    ui().txtTloc.text = km;
    ui().txtMag.text = magnitude;
    ui().txtDip.text = dip;
    ui().Down.text = down;
    tectonicOk(sim);
    cmdEruptClick(sim);
  }
  void erode(int cycles) {
    choose(Style::Tectonic);
    opErodeClick(sim);
    tectonicOk(sim);
    host.onYield = [this, cycles] {
      if (m().ErodeCycles >= cycles && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    cmdEruptClick(sim);
    host.onYield = nullptr;
  }
  void startRecording() {
    if (!ui().mnuRecRec.checked) mnuRecRecClick(sim);
  }
};

}  // namespace magmo::test
