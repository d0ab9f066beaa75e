// The record editor window: its controls with their tips, and edits that reach the history.
#include "app/RecordEditWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "record/RecordEditor.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class RecordEditWindowTest : public SimTest {
 protected:
  RecordEditWindowTest() {
    ui().RecFileName = "/data/history.rec";
    PhaseRecord& p = m().RecTable[1];
    p.Style = 2;
    p.Location = 6.4f;
    p.Strength = 1;
    p.Bursts = 10;
    m().RecCount = 1;
  }
  template <typename T>
  T* find(RecordEditWindow& w, const char* name) {
    T* found = w.findChild<T*>(name);
    if (!found) ADD_FAILURE() << "no " << name;
    return found;
  }
  void type(RecordEditWindow& w, const char* name, const QString& text) {
    auto* edit = find<QLineEdit>(w, name);
    edit->setText(text);
    emit edit->textEdited(text);
  }
};

TEST_F(RecordEditWindowTest, EveryControlCarriesItsTipWhileTipsAreOn) {
  const std::pair<const char*, const char*> tips[] = {
      {"labRecfile", "Currently opened recorder file"},
      {"txtTopFile", "Stratigraphic file, delete to remove"},
      {"labPhases", "Number of recorded phases"},
      {"cmdOpen", "Open a record file for editing"},
      {"cmdChange", "Select another stratigraphic file"},
      {"cmbPhase", "Select record phase to edit"},
      {"cmdAdd", "Add a new phase after the currently selected phase"},
      {"cmdDelete", "Remove the currently selected phase"},
      {"cmdReset", "Go back to original settings"},
      {"cmbType", "Select a new eruption type for current phase"},
      {"cmbStyle", "Select the caldera style"},
      {"cmbDown", "Select the fault side to be thrown down"},
      {"chkBurst", "Edit the number of bursts"},
      {"chkDirected", "Check to make a directed blast"},
      {"chkCald", "Check to make a caldera"},
      {"txtLoc", "Edit the vent location"},
      {"txtStr", "Edit the eruption strength"},
      {"txtWind", "Edit the wind direction (+/-) and speed"},
      {"txtPart", "Edit the number of erupted particles"},
      {"txtBurst", "Edit the number of bursts in this phase"},
      {"txtCtop", "Edit the top location of the collapse scarp"},
      {"txtCbase", "Edit the base location of the collapse scarp"},
      {"txtMag", "Edit the fault magnitude (0-5)"},
      {"txtDip", "Edit the dip direction (+/-) and slope (0 = vertical)"},
      {"txtErode", "Edit the number of erosive cycles"},
      {"txtSlide1", "Edit the average length of lava flows (1-11)"},
      {"txtSlide2", "Edit the crater size (1-11)"},
      {"txtSlide3", "Edit the 3D position (0-40)"},
      {"txtSlide4", "Edit the caldera vent position/phreatic explosion frequency (1-11)"},
      {"txtSlide5", "Edit the period over which the explosive eruption grows"},
      {"txtSlide6", "Edit the simulation speed for this phase"},
      {"txtMap1", "Edit the average deposit radius"},
      {"txtMap2", "Edit the pyroclastic deposit skewness"},
      {"txtMap3", "Edit the lava flow left skewness"},
      {"txtMap4", "Edit the lava flow right skewness"},
      {"Command1", "Close editor without any changes applied"},
      {"Command2", "Apply/save changes"},
      {"Frame1", "Select record, associated topographic file, and scale"},
      {"Frame2", "Primary parameter value ranges dependent upon eruption type"},
      {"Frame3", "Numerical values of advanced parameter sliders"},
      {"Frame4", "Numerical values set to zero for random calculation, otherwise specify"}};
  ui().mnuOptHtips.checked = true;
  RecordEditWindow tipped(sim);
  tipped.start();
  ui().mnuOptHtips.checked = false;
  RecordEditWindow plain(sim);
  plain.start();
  for (auto [name, tip] : tips) {
    if (QWidget* w = find<QWidget>(tipped, name)) {
      EXPECT_EQ(w->toolTip().toStdString(), tip) << name;
    }
    if (QWidget* w = find<QWidget>(plain, name)) {
      EXPECT_TRUE(w->toolTip().isEmpty()) << name;
    }
  }
  for (const char* name : {"cmbFlow", "txtLava", "optLarge", "optNormal", "optSmall"}) find<QWidget>(plain, name);
}

TEST_F(RecordEditWindowTest, EditsShowAndApplyThroughTheWidgets) {
  RecordEditWindow w(sim);
  w.start();
  EXPECT_EQ(find<QLineEdit>(w, "txtLoc")->text(), "6.40");
  EXPECT_EQ(find<QComboBox>(w, "cmbPhase")->currentText(), "Phase 1");
  EXPECT_FALSE(find<QWidget>(w, "Command2")->isEnabled());

  auto* types = find<QComboBox>(w, "cmbType");
  types->setCurrentText("Faulting");
  emit types->textActivated("Faulting");
  EXPECT_TRUE(find<QWidget>(w, "txtMag")->isEnabled());
  EXPECT_FALSE(find<QWidget>(w, "txtStr")->isEnabled());
  types->setCurrentText("Strombolian");
  emit types->textActivated("Strombolian");
  EXPECT_EQ(find<QLineEdit>(w, "txtLoc")->text(), "0.00");  // cleared coming from a fault

  type(w, "txtLoc", "7.5");
  type(w, "txtStr", "1.5");
  host.yesNoAnswers = {false};
  find<QAbstractButton>(w, "Command2")->click();
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_FLOAT_EQ(m().RecTable[1].Location, 7.5f);
  EXPECT_FLOAT_EQ(m().RecTable[1].Strength, 1.5f);
  EXPECT_EQ(w.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace magmo::test
