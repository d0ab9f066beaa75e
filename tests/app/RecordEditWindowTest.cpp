// The record editor window: its tips, and edits that reach the history.
#include "app/RecordEditWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class RecordEditWindowTest : public SimTest {
 protected:
  RecordEditWindowTest() {
    ui().RecFileName = "/data/history.rec";
    m().RecTable[1] = PhaseRecord{.Location = 6.4f, .Style = Style::Stromb, .Strength = 1, .Bursts = 10};
    m().RecCount = 1;
  }
  void open(bool tips) {
    ui().mnuOptHtips.checked = tips;
    w = std::make_unique<RecordEditWindow>(sim);
    w->start();
  }
  template <typename T = QWidget>
  T* find(const char* name) {
    T* found = w->findChild<T*>(name);
    if (!found) ADD_FAILURE() << "no " << name;
    return found;
  }
  // As the user's edits arrive: field text typed, a phase type picked.
  void type(const char* name, const QString& text) { emit find<QLineEdit>(name)->textEdited(text); }
  void pick(const QString& kind) { emit find<QComboBox>("cmbType")->textActivated(kind); }

  std::unique_ptr<RecordEditWindow> w;
};

TEST_F(RecordEditWindowTest, ControlsCarryTipsOnlyWhileTipsAreOn) {
  open(true);
  EXPECT_EQ(find("cmdAdd")->toolTip(), "Add a new phase after the currently selected phase");
  EXPECT_EQ(find("Frame4")->toolTip(), "Numerical values set to zero for random calculation, otherwise specify");
  open(false);
  for (QWidget* c : w->findChildren<QWidget*>()) EXPECT_EQ(c->toolTip(), "") << c->objectName().toStdString();
}

TEST_F(RecordEditWindowTest, EditsShowAndApplyThroughTheWidgets) {
  open(true);
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "6.40");
  EXPECT_EQ(find<QComboBox>("cmbPhase")->currentText(), "Phase 1");
  EXPECT_FALSE(find("Command2")->isEnabled());
  pick("Faulting");
  EXPECT_TRUE(find("txtMag")->isEnabled() && !find("txtStr")->isEnabled());
  pick("Strombolian");
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "0.00");  // cleared coming from a fault
  type("txtLoc", "7.5");
  type("txtStr", "1.5");
  host.yesNoAnswers = {false};
  find<QAbstractButton>("Command2")->click();
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_FLOAT_EQ(m().RecTable[1].Location, 7.5f);
  EXPECT_FLOAT_EQ(m().RecTable[1].Strength, 1.5f);
  EXPECT_EQ(w->result(), QDialog::Accepted);
}

}  // namespace
}  // namespace magmo::test
