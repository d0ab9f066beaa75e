// The record editor window: its controls with their tips, and edits that reach the history.
#include "app/RecordEditWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "control/RecordEditor.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class RecordEditWindowTest : public SimTest {
 protected:
  RecordEditWindowTest() {
    ui().RecFileName = "/data/history.rec";
    PhaseRecord& p = m().RecTable[1];
    p.Style = Style::Stromb;
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
  // A few of the texts as the user reads them; every other control must carry one too.
  const std::pair<const char*, const char*> tips[] = {
      {"cmdAdd", "Add a new phase after the currently selected phase"},
      {"txtDip", "Edit the dip direction (+/-) and slope (0 = vertical)"},
      {"Command1", "Close editor without any changes applied"},
      {"Frame4", "Numerical values set to zero for random calculation, otherwise specify"}};
  const char* controls[] = {"labRecfile", "txtTopFile", "labPhases", "cmdOpen", "cmdChange", "cmbPhase", "cmdDelete",
                            "cmdReset", "cmbType", "cmbStyle", "cmbDown", "chkBurst", "chkDirected", "chkCald",
                            "txtLoc", "txtStr", "txtWind", "txtPart", "txtBurst", "txtCtop", "txtCbase", "txtMag",
                            "txtErode", "txtSlide1", "txtSlide2", "txtSlide3", "txtSlide4", "txtSlide5", "txtSlide6",
                            "txtMap1", "txtMap2", "txtMap3", "txtMap4", "Command2", "Frame1", "Frame2", "Frame3"};
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
  }
  for (const char* name : controls) {
    if (QWidget* w = find<QWidget>(tipped, name)) {
      EXPECT_FALSE(w->toolTip().isEmpty()) << name;
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
