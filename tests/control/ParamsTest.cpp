#include "control/Params.h"
#include "model/Numeric.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ParamsTest : public SimTest {
 protected:
  void okWith(const char* loc, const char* str, const char* wind, const char* part) {
    ui().txtLoc.text = loc, ui().txtStr.text = str, ui().txtWind.text = wind, ui().txtPart.text = part;
    changeOk(sim);
  }
  // A fresh panel of the style, as a second selection would close it.
  void reopen(Style s) {
    clearParams(sim, "");
    selectStyle(sim, s);
  }
};

TEST_F(ParamsTest, SelectingAStyleLaysOutItsPanelAndASecondClickCloses) {
  ui().txtStr.text = "3";
  selectStyle(sim, Style::Stromb);
  EXPECT_TRUE(ui().mnuParStrom.checked && ui().toolbar["strombolian"].pressed && ui().Change.visible &&
              ui().panTephra.visible && !ui().Legend.visible && !ui().chkDirected.enabled);
  // Strength clamped to 0.1..1.0, so the diatreme (up to 0.31) is closed; particles CInt(1.0 * 25 + 25).
  EXPECT_EQ(std::tuple(ui().txtStr.text, ui().chkCaldDiat.enabled, ui().txtPart.text, ui().statusBar2[1], ui().ActiveField),
            std::tuple("1.00", false, "50", "Choose Strombolian Parameters", "Location"));
  EXPECT_TRUE(ui().Command[1].enabled && ui().Command[1].isDefault && !ui().cmdErupt.enabled);
  selectStyle(sim, Style::Stromb);
  EXPECT_TRUE(!ui().mnuParStrom.checked && ui().Legend.visible && ui().statusBar2[1] == "Select Erupt Parameters");
  // A flow/surge strength opens within 0.2..1.0 through StrengthC.
  for (auto [typed, shown, c] : {std::tuple{"0.05", "0.20", 0.83f}, {"1.5", "1.00", 0.03f}}) {
    ui().txtStr.text = typed;
    selectStyle(sim, Style::Pfs);
    EXPECT_TRUE(ui().txtStr.text == shown && std::abs(m().StrengthC - c) < 1e-6 && ui().chkDirected.enabled) << typed;
    selectStyle(sim, Style::Pfs);
  }
  ui().txtStr.text = "3";  // lava has no strength: its panel leaves the field as it was
  selectStyle(sim, Style::Lava);
  EXPECT_EQ(ui().txtStr.text, "3");
}

// OK limits every value to its range and writes it back in the panel's format.
TEST_F(ParamsTest, OkLimitsAndEchoesEveryValuePerStyle) {
  struct Case {
    Style style;
    const char *loc, *str, *wind, *part;
    float scale;
    int vent;
    const char *shownLoc, *shownStr;
    float strengthC;  // 1.03 - strength, limited to 0.03..0.83
    const char* shownWind;
    int particles;
  };
  const Case cases[] = {
      {Style::Stromb, "0", "2.5", "-80", "99", 20, 50, "1.00", "2.00", 0.03f, "-50", 50},
      {Style::Stromb, "abc", "x", "", "0", 20, 50, "1.00", "0.10", 0.83f, "0", 1},
      {Style::Stromb, "0", "0.5", "7.6", "25", 4, 50, "0.20", "0.50", 0.53f, "8", 25},
      {Style::Stromb, "1e12", "0.5", "50", "25", 100, 1230, "123.00", "0.50", 0.53f, "50", 25},
      {Style::Plinian, "10", "2.5", "0", "25", 20, 500, "10.00", "1.00", 0.03f, "0", 25},
      {Style::Fumarole, "10", "0.05", "0", "25", 20, 500, "10.00", "0.10", 0.83f, "0", 25},
      {Style::Pfs, "10", "0.05", "0", "25", 20, 500, "10.00", "0.20", 0.83f, "0", 25},
      {Style::Pfs, "10", "1.5", "0", "25", 20, 500, "10.00", "1.00", 0.03f, "0", 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.loc) + " " + c.str + " " + c.wind + " " + c.part);
    reopen(c.style);
    m().Scale = c.scale;
    okWith(c.loc, c.str, c.wind, c.part);
    EXPECT_EQ(std::tuple(m().VentX, ui().txtLoc.text, ui().txtStr.text, ui().txtWind.text, m().PartCount, m().EruptType),
              std::tuple(c.vent, c.shownLoc, c.shownStr, c.shownWind, c.particles, c.style));
    EXPECT_TRUE(std::abs(m().StrengthC - c.strengthC) < 1e-6 && ui().cmdErupt.enabled && ui().cmdErupt.isDefault &&
                !ui().Command[1].enabled) << m().StrengthC;
  }
  EXPECT_EQ(std::pair(ui().EruptTitle, ui().statusBar2[1]), std::pair(std::string("Pyroclastic Flow/Surge Eruption"), ui().EruptTitle));
  // Plinian below 0.5 is subplinian, and on the small scale everything below 1.0.
  reopen(Style::Plinian);
  okWith("10", "0.6", "0", "25");
  EXPECT_EQ(ui().EruptTitle, "Plinian (Pumice) Eruption");
  ui().mnuOptScaleSmall.checked = true;
  changeOk(sim);
  EXPECT_EQ(ui().EruptTitle, "Subplinian Eruption");
}

// A value OK replaced is named in the status line with what it became.
TEST_F(ParamsTest, OkSaysWhichTypedValuesItReplaced) {
  const std::pair<std::array<const char*, 3>, const char*> cases[] = {
      {{"12.5", "-80", "25"}, "   (Wind -80 is outside -50 to 50 m/s: set to -50)"},
      {{"abc", "0", "60"},
       "   (Location \"abc\" is not a number: set to 1.00; Particles 60 is outside 1 to 50: set to 50)"},
      {{"30", "7.6", "25"}, "   (Location 30 is outside 1.00 to 24.60 km: set to 24.60)"},
      {{"24.6", " 49.6", "+50"}, ""}};  // within range: only rounded
  for (const auto& [typed, note] : cases) {
    reopen(Style::Stromb);
    okWith(typed[0], "0.5", typed[1], typed[2]);
    EXPECT_EQ(ui().statusBar2[1], ui().EruptTitle + note) << typed[0];
  }
}

TEST_F(ParamsTest, EditsDisarmAndLimitTheLocationWhileTyping) {
  selectStyle(sim, Style::Stromb);
  changeOk(sim);
  ASSERT_TRUE(ui().cmdErupt.enabled);
  ui().txtLoc.text = "99";
  txtLocChange(sim);
  EXPECT_EQ(std::tuple(ui().cmdErupt.enabled, ui().Command[1].enabled, ui().txtLoc.text, m().NewVentX),
            std::tuple(false, true, "25.60", 1280));
  changeOk(sim);
  EXPECT_EQ(m().VentX, 1230);
  ui().txtLoc.text = "-3";
  txtLocChange(sim);
  EXPECT_EQ(ui().txtLoc.text, "0.00");
}

// The strength the user commits opens or closes the style's box; a closed box is unticked.
TEST_F(ParamsTest, CommittedStrengthOpensTheStylesBox) {
  const std::tuple<Style, const char*, bool, std::string> cases[] = {  // style, strength, open, caption
      {Style::Stromb, "0.30", true, "Diatreme"},  {Style::Stromb, "0.31", false, "Diatreme"},
      {Style::Pfs, "0.29", true, "Diatreme"},     {Style::Pfs, "0.45", false, ""},
      {Style::Pfs, "0.60", true, "Caldera"},      {Style::Plinian, "0.50", true, "Caldera"},
      {Style::Plinian, "0.49", false, "Caldera"}, {Style::Fumarole, "0.70", true, ""},
      {Style::Fumarole, "0.69", false, ""},
  };
  for (const auto& [style, strength, open, caption] : cases) {
    SCOPED_TRACE(std::string(strength) + " for style " + std::to_string(int(style)));
    reopen(style);
    CheckBox& box = style == Style::Fumarole ? ui().chkFumex : ui().chkCaldDiat;
    box.checked = true, ui().txtStr.text = strength;
    txtStrChange(sim);
    EXPECT_TRUE(box.checked);  // typing alone decides nothing
    txtStrCommit(sim);
    EXPECT_EQ(std::tuple(box.enabled, box.checked, caption.empty() ? "" : box.caption), std::tuple(open, open, caption));
  }
  ui().mnuParStatic.checked = true;  // no caldera or explosions in static mode
  selectStyle(sim, Style::Plinian);
  ui().txtStr.text = "0.9";
  txtStrCommit(sim);
  EXPECT_FALSE(ui().chkCaldDiat.enabled);
  // The default particle count follows the typed strength.
  reopen(Style::Stromb);
  ui().txtStr.text = "0.25";
  txtStrChange(sim);
  EXPECT_EQ(ui().txtPart.text, "31");  // CInt(0.25 * 25 + 25) = CInt(31.25)
  reopen(Style::Pfs);  // a flow's count follows the typed value, not the strength last accepted
  ui().txtStr.text = "0.25";
  txtStrChange(sim);
  EXPECT_EQ(ui().txtPart.text, "45");  // CInt((1.05 - 0.25) * 25 + 25)
}

TEST_F(ParamsTest, CollapseScarpIsLengthenedAwayFromItsTopAndWeakOnesWarn) {
  selectStyle(sim, Style::Collapse);
  EXPECT_TRUE(!ui().Command[1].enabled && !ui().txtLoc.enabled && ui().ActiveField == "ColTop");
  auto accept = [this](const char* top, const char* base, const char* strength) {
    ui().txtCtop.text = top, ui().txtCbase.text = base, ui().txtStr.text = strength;
    changeOk(sim);
    return std::pair(m().VentX, m().CollapseBase);
  };
  // Top column 50 is raised to 75; the base (55) lies 20 columns left of it and moves 20 further.
  EXPECT_EQ(accept("1.00", "1.10", "0.7"), std::pair(75, 35));
  EXPECT_EQ(std::tuple(ui().txtCtop.text, ui().txtCbase.text, m().CollapseBasePrev, m().EruptType),
            std::tuple("1.50", "0.70", 35, Style::Collapse));
  EXPECT_EQ(accept("10.00", "10.30", "0.7"), std::pair(500, 530));  // 15 columns right: moved 15 further
  EXPECT_EQ(accept("10.00", "10.00", "0.7"), std::pair(500, 500));  // a base on the top stays there
  EXPECT_EQ(accept("25.00", "30.00", "0.7"), std::pair(1205, 1280));
  EXPECT_TRUE(host.messages.empty());
  accept("10", "12", "0.3");
  EXPECT_EQ(std::pair(host.messages, ui().cmdErupt.enabled),
            std::pair(std::vector<std::string>{"If Strength <= 0.5, avalanche may unrealistic"}, true));
  accept("10", "12", "0.5");  // 0.5 itself is not below it
  ui().mnuParStatic.checked = true;
  accept("10", "12", "0.3");
  EXPECT_EQ(host.messages.size(), 1u);
}

class TectonicParamsTest : public ParamsTest {
 protected:
  void SetUp() override { selectStyle(sim, Style::Tectonic); }
};

TEST_F(TectonicParamsTest, PanelFollowsTheChosenOperation) {
  EXPECT_TRUE(ui().Tectonic.visible && ui().Tectonic.enabled && ui().Command[2].enabled && ui().Command[4].enabled);
  // Neither option chosen yet: erosion.
  EXPECT_TRUE(!ui().Change.visible && !ui().cmdErupt.enabled && !ui().panFault.visible && ui().cmdErupt.caption == "&Erode");
  opFaultClick(sim);
  EXPECT_TRUE(ui().opFault.checked && !ui().opErode.checked && ui().panFault.visible && ui().cmdErupt.caption == "&Fault");
  selectStyle(sim, Style::Tectonic);
  selectStyle(sim, Style::Tectonic);  // reopened with the fault chosen
  EXPECT_TRUE(ui().panFault.visible);
  ui().pan3D.visible = true;
  opErodeClick(sim);
  EXPECT_TRUE(ui().opErode.checked && !ui().opFault.checked && !ui().panFault.visible && !ui().pan3D.visible &&
              ui().cmdErupt.caption == "&Erode");
}

TEST_F(TectonicParamsTest, FieldsAreLimitedWhileTypingAndAgainAtOk) {
  auto typed = [this](Field& f, const char* text, void (*changed)(Sim&)) {
    f.text = text;
    changed(sim);
    return f.text;
  };
  EXPECT_EQ(typed(ui().txtMag, "30", txtMagChange) + " " + typed(ui().txtMag, "0", txtMagChange), "20 1");
  EXPECT_EQ(typed(ui().txtDip, "-3", txtDipChange), "-3");
  EXPECT_EQ(std::pair(ui().Down.enabled, ui().Down.text), std::pair(false, std::string("Left side down")));
  EXPECT_EQ(typed(ui().txtDip, "1", txtDipChange) + " " + ui().Down.text, "1 Right side down");
  EXPECT_EQ(typed(ui().txtDip, "25", txtDipChange), "10");
  EXPECT_EQ(typed(ui().txtDip, "-", txtDipChange), "-");  // the start of a negative dip
  EXPECT_TRUE(ui().Down.enabled);                          // reads as 0: a vertical fault
  opFaultClick(sim);
  m().LayerCount = 12, ui().mnuRecRec.checked = true;
  ui().txtTloc.text = "0.1", ui().txtMag.text = "-4", ui().txtDip.text = "-12.5";
  tectonicOk(sim);
  EXPECT_EQ(std::pair(m().FaultX, ui().txtTloc.text + " " + ui().txtMag.text + " " + ui().txtDip.text),
            std::pair(40, std::string("0.80 0 -10")));
  EXPECT_EQ(std::tuple(ui().EruptTitle, ui().statusBar2[2], ui().cmdErupt.tooltip, m().EruptType),
            std::tuple("Faulting Interval", "Phase: 12  (Dormant)   ", "Click to start faulting/recording", Style::Tectonic));
  EXPECT_TRUE(ui().cmdErupt.enabled && ui().cmdErupt.isDefault && !ui().Command[2].enabled);
  ui().txtTloc.text = "1e9", ui().txtMag.text = "7.9";  // far beyond the profile: the last fault column, no overflow
  changeTecOk(sim);
  EXPECT_EQ(std::pair(m().FaultX, ui().txtMag.text), std::pair(1240, std::string("7")));
  opErodeClick(sim);
  ui().mnuRecRec.checked = false;
  tectonicOk(sim);
  EXPECT_EQ(std::tuple(ui().EruptTitle, ui().statusBar2[2], ui().cmdErupt.tooltip),
            std::tuple("Erosion Interval", "Phase: 12  (Dormant)  Cycle:   ", "Click to start erosion"));
  EXPECT_TRUE(host.messages.empty());
}

// Cancel restores the sliders as the panel opened; each style enables the sliders it reads.
TEST_F(ParamsTest, AdvancedPanelEnablesTheSlidersTheStyleReadsAndCancelRestoresThem) {
  auto opened = [this] {
    openAdvanced(sim);
    std::string on;
    for (int k = 1; k <= 6; ++k)
      if (ui().Slider[k].enabled) on += char('0' + k);
    return on;
  };
  selectStyle(sim, Style::Stromb);
  ui().Slider[2].value = 9;
  EXPECT_EQ(opened(), "25");
  EXPECT_TRUE(ui().Advanced.visible && !ui().Change.visible);
  ui().Slider[2].value = 2;
  sliderChange(sim, 2);
  defaultSliders(sim);
  cancelAdvanced(sim);
  EXPECT_TRUE(ui().Slider[2].value == 9 && ui().Change.visible && !ui().Advanced.visible);
  openAdvanced(sim);
  acceptAdvanced(sim);
  ASSERT_FALSE(ui().Command[6].enabled);
  changeOk(sim);
  openAdvanced(sim);
  defaultSliders(sim);
  EXPECT_TRUE(ui().Command[6].enabled);  // as if the user had moved them
  acceptAdvanced(sim);
  std::vector<int> values;
  for (int k = 1; k <= 6; ++k) values.push_back(ui().Slider[k].value);
  EXPECT_EQ(values, (std::vector<int>{6, 6, 20, 6, 0, 6}));
  // Accepted sliders need the panel's OK again.
  EXPECT_TRUE(!ui().cmdErupt.enabled && !ui().Command[6].enabled && ui().Command[1].enabled);
  ui().txtStr.text = "0.8";
  selectStyle(sim, Style::Plinian);
  ui().chkCaldDiat.checked = true, ui().CaldStyle.text = "VALLES Type";
  EXPECT_EQ(opened() + " " + ui().Label[4].text, "245 Left------Vent------Right");
  ui().CaldStyle.text = "Mazama Type", ui().mnuOptMap3dPosEnable.checked = true;
  EXPECT_EQ(opened(), "235");
  selectStyle(sim, Style::Lava);
  EXPECT_EQ(opened(), "136");
  ui().mnuOptMap3dPosEnable.checked = false;
  selectStyle(sim, Style::Fumarole);
  EXPECT_EQ(opened(), "");  // without explosions the phreatic style reads no slider
  ui().chkFumex.checked = true;
  EXPECT_EQ(opened() + " " + ui().Label[4].text, "245 Burst Frequency");
}

}  // namespace
}  // namespace magmo::test
