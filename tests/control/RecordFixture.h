#pragma once
// Phases driven the way the user drives them, for recording and replaying histories.
#include <functional>

#include "control/Params.h"
#include "control/RecordMenu.h"
#include "support/FileTestSupport.h"
#include "support/SimFixture.h"

namespace magmo::test {

class RecordTest : public SimTest {
 protected:
  // Selection toggles an already chosen style off, so the panels are cleared first.
  void choose(Style s) {
    clearParams(sim, "");
    selectStyle(sim, s);
  }
  // Chooses the style, types the strength and location, lets `extra` fill the rest of the panel,
  // presses OK and Erupt, and stops during the given burst.
  void erupt(Style s, const char* strength, int bursts, const std::function<void()>& extra = {},
             const char* km = "12.80") {
    choose(s);
    ui().txtStr.text = strength;
    txtStrCommit(sim);  // the strength opens or closes the boxes `extra` may tick
    ui().txtLoc.text = km;
    if (extra) extra();
    changeOk(sim);
    stopDuringBurst(bursts);
    cmdEruptClick(sim);
    host.onYield = nullptr;
  }
  void faultAt(const char* km, const char* magnitude, const char* dip, const char* down) {
    choose(Style::Tectonic);
    opFaultClick(sim);
    ui().txtTloc.text = km, ui().txtMag.text = magnitude, ui().txtDip.text = dip, ui().Down.text = down;
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
  void startRecording() { if (!ui().mnuRecRec.checked) mnuRecRecClick(sim); }
  void play() {
    if (!ui().mnuRecPlay.checked) mnuRecPlayClick(sim);
    cmdEruptClick(sim);
  }

  TempDir dir;  // for the files a test writes
};

}  // namespace magmo::test
