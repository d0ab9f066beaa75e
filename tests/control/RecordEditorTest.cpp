// The record editor works on its own copy: the checks of each eruption type, the phase list,
// and what reaches RecTable only on apply.
#include "control/RecordEditor.h"

#include <set>
#include <sstream>

#include "formats/RecordFile.h"
#include "support/FileTestSupport.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

PhaseRecord strombolian(float km) {
  return {.Location = km, .Style = Style::Stromb, .Strength = 1, .Particles = 25, .Bursts = 10};
}

class RecordEditorTest : public SimTest {
 protected:
  // Three valid Strombolian phases at 4, 6 and 8 km on the normal scale.
  RecordEditorTest() {
    ui().RecFileName = "/data/history.rec", ui().StrFileName = "/data/start.str", m().RecCount = 3;
    for (int n = 1; n <= 3; ++n) m().RecTable[size_t(n)] = strombolian(2.0f + 2.0f * n);
  }
  void openEditor() {
    ed.open();
    original = m().RecTable;
  }
  void edit(int phase, EditField f, const std::string& text) {
    ed.phaseChosen(phase - 1);
    ed.fieldEdited(f, text);
  }
  std::string lastMessage() { return host.messages.empty() ? "" : host.messages.back(); }
  std::set<std::string> enabledFields() {
    const auto& u = ed.ui;
    std::vector<std::pair<std::string, bool>> all = {
        {"Loc", u.txtLoc.enabled},     {"Str", u.txtStr.enabled},     {"Wind", u.txtWind.enabled},
        {"Part", u.txtPart.enabled},   {"Burst", u.txtBurst.enabled}, {"Ctop", u.txtCtop.enabled},
        {"Cbase", u.txtCbase.enabled}, {"Mag", u.txtMag.enabled},     {"Dip", u.txtDip.enabled},
        {"Erode", u.txtErode.enabled}, {"Style", u.cmbStyle.enabled}, {"Down", u.cmbDown.enabled},
        {"Cald", u.chkCald.enabled},   {"Directed", u.chkDirected.enabled}, {"Explosion", u.chkBurst.enabled},
        {"Flow", u.cmbFlow.enabled}};
    for (int k = 1; k <= 6; ++k) all.emplace_back("S" + std::to_string(k), u.txtSlide[size_t(k)].enabled);
    for (int k = 1; k <= 4; ++k) all.emplace_back("M" + std::to_string(k), u.txtMap[size_t(k)].enabled);
    std::set<std::string> on;
    for (const auto& [name, enabled] : all)
      if (enabled) on.insert(name);
    return on;
  }

  RecordEditor ed{sim};
  PhaseTable original{};
  TempDir dir;
};

// The rules themselves are PhaseCheck's; the editor shows the first phase that breaks one and
// applies nothing until every phase passes.
TEST_F(RecordEditorTest, ARefusedApplyShowsTheFirstBrokenPhaseAndAppliesNothing) {
  openEditor();
  edit(3, EditField::Loc, "0.5");
  edit(2, EditField::Str, "2.5");
  ed.phaseChosen(0);
  ed.command2();
  EXPECT_EQ(std::tuple(lastMessage(), ed.EditPhase, ed.ui.cmbPhase.index, ed.ui.txtStr.text, ed.ui.closed),
            std::tuple("Phase 2 Maximum Strength (2.00) exceeded.", 2, 1, "2.50", false));
  EXPECT_TRUE(m().RecTable == original);
  edit(2, EditField::Str, "2");
  ed.command2();
  EXPECT_EQ(lastMessage(), "Phase 3 Location too small");
  ed.scaleChosen(4);  // 0.5 km is column 125 at 4 m per column
  EXPECT_TRUE(ed.ui.optSmall.checked && !ed.ui.optNormal.checked);
  ed.command2();
  EXPECT_EQ(lastMessage(), "Phase 2 Location too large");  // 6 km: column 1500
  ed.scaleChosen(20);
  edit(3, EditField::Loc, "3");
  ed.typeChosen("Sector Collapse");
  edit(3, EditField::Ctop, "0.4");  // column 20: pulled back to column 50
  edit(3, EditField::Cbase, "3");
  host.yesNoAnswers = {false};
  ed.command2();
  EXPECT_EQ(std::pair(lastMessage(), ed.ui.txtCtop.text), std::pair(std::string("Phase 3 Scarp top reset"), std::string("1.00")));
  ed.command2();
  EXPECT_EQ(std::tuple(ed.ui.closed, m().RecTable[2].Strength, m().RecTable[3].ScarpTop), std::tuple(true, 2.0f, 1.0f));
}

TEST_F(RecordEditorTest, DeletingAndAddingRenumberThePhases) {
  m().RecTable[3].Style = Style::Lava, m().RecTable[3].Bursts = 2, m().RecBurst(3, 2) = 77;
  openEditor();
  ed.phaseChosen(1);
  ed.cmdAdd();
  EXPECT_EQ(std::tuple(ed.EditCount, ed.EditPhase, ed.ui.cmbPhase.items.back(), ed.EditBurst(4, 2)),
            std::tuple(4, 3, "Phase 4", 77.0f));
  EXPECT_TRUE(ed.EditTable[3] == original[2] && ed.EditTable[4] == original[3]);
  for (int i = 0; i < 4; ++i) ed.cmdDelete();
  EXPECT_EQ(std::tuple(ed.EditCount, ed.ui.cmbPhase.items, ed.ui.labPhases, ed.ui.cmbType.enabled),
            std::tuple(0, std::vector<std::string>{"Add Phase"}, "0", false));
  ed.cmdAdd();
  EXPECT_EQ(ed.ui.cmbPhase.items, std::vector<std::string>{"Phase 1"});
  ed.command1();  // Close applies nothing
  EXPECT_TRUE(ed.ui.closed && m().RecTable == original && m().RecCount == 3);
}

// Every field shows the chosen phase as recorded, and an Apply of what is shown changes nothing.
TEST_F(RecordEditorTest, TheChosenPhaseIsShownAsRecordedAndAppliesUnchanged) {
  m().RecTable[2] = {.Location = 7.5f, .Style = Style::Plinian, .Strength = 0.9f, .Wind = 12, .Particles = 30,
                     .CalderaFlag = 1, .CalderaStyle = CalderaStyle::Valles, .Bursts = 8,
                     .Slider = {0, 2, 3, 15, 5, 1, 9}, .MapA = 1.5f};
  openEditor();
  ed.phaseChosen(1);
  const auto& u = ed.ui;
  EXPECT_EQ(std::vector<std::string>({u.txtLoc.text, u.txtStr.text, u.txtWind.text, u.txtPart.text, u.txtBurst.text,
                                      u.txtSlide[1].text, u.txtSlide[3].text, u.txtSlide[6].text, u.txtMap[1].text,
                                      u.cmbStyle.text}),
            std::vector<std::string>({"7.50", "0.90", "12", "30", "8", "2", "15", "9", "1.50", "Valles Type"}));
  EXPECT_TRUE(u.chkCald.checked && !u.chkDirected.checked && ed.applyParams() && m().RecTable == original);
}

TEST_F(RecordEditorTest, EachTypeEnablesItsFields) {
  using S = std::set<std::string>;
  openEditor();
  const std::pair<const char*, S> expected[] = {
      {"Faulting", {"Loc", "Mag", "Dip", "Down"}},
      {"Erosion", {"Erode"}},
      {"Vulcanian/Surtseyan",
       {"Loc", "Str", "Wind", "Part", "Burst", "Directed", "Cald", "Style", "S2", "S3", "S5", "M1", "M2"}},
      {"Strombolian", {"Loc", "Str", "Wind", "Part", "Burst", "Cald", "S2", "S3", "S5", "M1", "M2"}},
      {"Hawaiian", {"Loc", "Wind", "Burst", "Flow", "S1", "S3", "M1", "M3", "M4"}},
      {"Plinian", {"Loc", "Str", "Wind", "Part", "Burst", "Cald", "Style", "S2", "S3", "S5", "M1", "M2"}},
      {"Sector Collapse", {"Str", "Burst", "Ctop", "Cbase", "S3", "M1", "M2"}},
      {"Fumarolic/Phreatic", {"Loc", "Str", "Wind", "Part", "Burst", "Explosion", "S3", "S5", "M1", "M2"}}};
  for (const auto& [type, fields] : expected) {
    ed.typeChosen(type);
    EXPECT_EQ(std::pair(ed.ui.cmbType.text, enabledFields()), std::pair(std::string(type), fields));
  }
  ed.burstChecked(true);
  EXPECT_TRUE(ed.ui.txtSlide[2].enabled && ed.ui.txtSlide[4].enabled && ed.ui.labSlide4.text == "Burst Frequency");
  ed.typeChosen("Vulcanian/Surtseyan");
  ed.caldChecked(true);
  ed.styleChosen("Valles Type");
  EXPECT_TRUE(ed.ui.txtSlide[4].enabled && ed.ui.labSlide4.text == "Vent Position");
  ed.typeChosen("Faulting");
  ed.fieldEdited(EditField::Dip, "30");
  EXPECT_FALSE(ed.ui.cmbDown.enabled);
}

TEST_F(RecordEditorTest, TypeChangesClearOrFillWhatTheNewTypeNeeds) {
  PhaseRecord& p = m().RecTable[1];
  p.Style = Style::Tectonic, p.TectonicKind = TectonicKind::Fault, p.Location = 5;
  openEditor();
  ed.fieldEdited(EditField::Str, "abc");  // not a number: read as 0, like a blank
  EXPECT_EQ(ed.EditTable[1].Strength, 0.0f);
  ed.typeChosen("Strombolian");  // from a fault: the eruption values start from zero
  EXPECT_EQ(std::tuple(ed.EditTable[1].Location, ed.ui.txtLoc.text, ed.EditTable[1].TectonicKind),
            std::tuple(0.0f, "0.00", TectonicKind::None));
  ed.fieldEdited(EditField::Loc, "5");
  ed.fieldEdited(EditField::Str, "1");
  // Phases turned into lava phases get flow durations that pass the checks, even on the
  // tightest flow-length setting.
  edit(2, EditField::Slide1, "1");
  ed.typeChosen("Peléean");
  edit(3, EditField::Slide1, "11");
  ed.typeChosen("Hawaiian");
  EXPECT_EQ(std::pair(ed.ui.cmbFlow.items.size(), ed.ui.cmbFlow.items.front()), std::pair(size_t(10), std::string("Flow 1 Duration")));
  host.yesNoAnswers = {false};
  ed.command2();
  EXPECT_TRUE(host.messages.empty() && m().RecTable[2].Style == Style::Dome && m().RecBurst(2, 10) > 0) << lastMessage();
}

TEST_F(RecordEditorTest, FlowDurationsAreEditedPerBurstAndApplied) {
  m().RecTable[2].Style = Style::Dome, m().RecTable[2].Bursts = 3;
  for (int b = 1; b <= 3; ++b) m().RecBurst(2, b) = 100;
  openEditor();
  ed.phaseChosen(1);
  ed.flowChosen(1);
  EXPECT_EQ(ed.ui.txtLava.text, "100");
  ed.fieldEdited(EditField::Lava, "9");
  ed.command2();
  EXPECT_EQ(lastMessage(), "Phase 2 Flow Duration too short.");
  ed.flowChosen(1);  // a refused Apply shows the phase afresh, from its first flow
  ed.fieldEdited(EditField::Lava, "300");
  ed.fieldEdited(EditField::Slide1, "11");  // longer flows: (10 * 2 + 200) * 1.5 for burst 2
  host.yesNoAnswers = {false};
  ed.command2();
  EXPECT_TRUE(ui().RecLoaded && host.dialogs.empty());
  EXPECT_EQ(host.questions, std::vector<std::string>{"Do you wish to save these changes to file?\nIf you choose 'no' the "
                                                     "changes will still apply to this session."});
  EXPECT_EQ(std::tuple(m().RecBurst(2, 2), m().RecBurst(2, 1), m().RecTable[2].Slider[1]), std::tuple(300.0f, 100.0f, 11));
}

TEST_F(RecordEditorTest, ApplySetsTheCountAndCanSaveTheHistory) {
  const std::string file = dir.path("edit.rec");
  openEditor();
  ed.phaseChosen(2);
  ed.cmdAdd();
  edit(4, EditField::Loc, "20");
  host.yesNoAnswers = {true};
  host.fileAnswers = {file};
  ed.command2();
  EXPECT_EQ(std::pair(m().RecCount, m().RecTable[4].Location), std::pair(4, 20.0f));
  std::istringstream in(slurp(file));
  RecordHeader header;
  PhaseTable table{};
  BurstTable bursts;
  int read = 0;
  readRecordText(in, header, table, bursts, read);
  // The saved history starts from the current stratigraphic file.
  EXPECT_EQ(std::tuple(read, header.strFileName, ui().RecFileName, table[4], ui().recordFlag),
            std::tuple(4, "/data/start.str", file, m().RecTable[4], true));
}

// An unreadable file keeps the working copy; a read one becomes the editor's own history.
TEST_F(RecordEditorTest, OpenedFileBecomesTheEditorsOwnHistory) {
  PhaseTable table{};
  BurstTable bursts;
  table[1] = strombolian(9), table[2] = strombolian(3);
  spit(dir.path("open.rec"), recordFileText({"/data/other.str", 40, 2}, table, bursts));
  openEditor();
  edit(1, EditField::Wind, "12");
  host.fileAnswers = {std::string("/nonexistent/none.rec")};
  ed.cmdOpen();
  EXPECT_EQ(lastMessage().rfind("Error reading record file '/nonexistent/none.rec':\n", 0), 0u);
  EXPECT_EQ(std::tuple(ed.EditCount, ed.EditTable[1].Wind, ed.EditOwnFile), std::tuple(3, 12.0f, 0));
  host.messages.clear(), host.fileAnswers = {dir.path("open.rec")};
  ed.cmdOpen();  // the older large scale is read as 100 m per column
  EXPECT_EQ(std::tuple(host.messages.size(), ed.EditOwnFile, ed.EditCount, ed.EditScale, ed.EditStrName, ed.ui.txtLoc.text,
                       ed.ui.optLarge.checked), std::tuple(0u, -1, 2, 100, "/data/other.str", "9.00", true));
  edit(2, EditField::Wind, "7");
  ed.cmdReset();  // back to the file as opened, not to the main record
  EXPECT_TRUE(ed.EditTable[2] == table[2] && ed.EditCount == 2);
}

}  // namespace
}  // namespace magmo::test
