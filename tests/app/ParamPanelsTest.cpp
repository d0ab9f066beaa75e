// The parameter, tectonic and Advanced panels driven through their widgets: each shows what
// the Controls say, and each edit reaches the Controls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <set>
#include <string>

#include "WindowFixture.h"

namespace magmo {
namespace {

class ParamPanelsTest : public WindowTest {
 protected:
  ParamPanelsTest() {
    // As once the profile holds a stratum: collapse and tectonics have something to act on.
    ui().mnuParCol.enabled = ui().mnuParTec.enabled = true;
    window.syncFromControls();
  }

  QWidget* widget(const char* name) { return find<QWidget>(name); }
  bool shown(const char* name) { return widget(name)->isVisible(); }
  bool enabled(const char* name) { return widget(name)->isEnabled(); }
  bool checked(const char* name) { return find<QAbstractButton>(name)->isChecked(); }
  QString text(const char* name) { return find<QLineEdit>(name)->text(); }
  void choose(const char* menuItem) { find<QAction>(menuItem)->trigger(); }
  void click(const char* name) { find<QAbstractButton>(name)->click(); }
  // Types the text one key at a time, then leaves the field.
  void type(const char* name, const QString& t) {
    auto* edit = find<QLineEdit>(name);
    for (qsizetype n = 1; n <= t.size(); ++n) {
      edit->setText(t.left(n));
      emit edit->textEdited(t.left(n));
    }
    emit edit->editingFinished();
  }
  void pick(const char* combo, const QString& item) {
    auto* c = find<QComboBox>(combo);
    c->setCurrentText(item);
    emit c->textActivated(item);
  }
  static std::string numbered(const char* name, int k) { return name + std::to_string(k); }
  QSlider* sliderWidget(int k) { return find<QSlider>(numbered("Slider", k).c_str()); }
  int slider(int k) { return sliderWidget(k)->value(); }
  void moveSlider(int k, int v) { sliderWidget(k)->setValue(v); }  // as a drag reports it
  std::set<int> enabledSliders() {
    std::set<int> on;
    for (int k = 1; k <= 6; ++k) {
      EXPECT_EQ(sliderWidget(k)->isEnabled(), enabled(numbered("Label", k).c_str()))
          << "slider " << k << " and its caption";
      if (sliderWidget(k)->isEnabled()) on.insert(k);
    }
    return on;
  }

  // Each widget's own shown/enabled/checked state and text equal its Controls entry.
  void expectPanelsMirrorControls() {
    auto same = [this](const char* name, bool visible, bool isEnabled) {
      QWidget* w = widget(name);
      EXPECT_EQ(!w->isHidden(), visible) << name << " shown";
      EXPECT_EQ(!w->testAttribute(Qt::WA_ForceDisabled), isEnabled) << name << " enabled";
    };
    const std::pair<const char*, const Panel*> panels[] = {{"Change", &ui().Change},       {"Tectonic", &ui().Tectonic},
                                                           {"Advanced", &ui().Advanced},   {"Legend", &ui().Legend},
                                                           {"panTephra", &ui().panTephra}, {"panCol", &ui().panCol},
                                                           {"panFault", &ui().panFault}};
    for (const auto& [name, p] : panels) same(name, p->visible, p->enabled);
    const std::pair<const char*, const Field*> fields[] = {
        {"txtLoc", &ui().txtLoc},   {"txtStr", &ui().txtStr},   {"txtPart", &ui().txtPart},
        {"txtWind", &ui().txtWind}, {"txtCtop", &ui().txtCtop}, {"txtCbase", &ui().txtCbase},
        {"txtTloc", &ui().txtTloc}, {"txtMag", &ui().txtMag},   {"txtDip", &ui().txtDip}};
    for (const auto& [name, f] : fields) {
      same(name, f->visible, f->enabled);
      EXPECT_EQ(text(name).toStdString(), f->text) << name;
    }
    for (const auto& [name, f] : {std::pair{"CaldStyle", &ui().CaldStyle}, std::pair{"Down", &ui().Down}}) {
      same(name, f->visible, f->enabled);
      EXPECT_EQ(find<QComboBox>(name)->currentText().toStdString(), f->text) << name;
    }
    const std::pair<const char*, const CheckBox*> boxes[] = {{"chkCaldDiat", &ui().chkCaldDiat},
                                                             {"chkDirected", &ui().chkDirected},
                                                             {"chkFumex", &ui().chkFumex},
                                                             {"opFault", &ui().opFault},
                                                             {"opErode", &ui().opErode}};
    for (const auto& [name, c] : boxes) {
      same(name, c->visible, c->enabled);
      EXPECT_EQ(checked(name), c->checked) << name;
    }
    EXPECT_EQ(find<QAbstractButton>("chkCaldDiat")->text().toStdString(), ui().chkCaldDiat.caption);
    for (int k = 1; k <= 8; ++k)
      EXPECT_EQ(!widget(numbered("Command", k).c_str())->testAttribute(Qt::WA_ForceDisabled), ui().Command[k].enabled)
          << "Command" << k;
    for (int k = 1; k <= 6; ++k) {
      EXPECT_EQ(slider(k), ui().Slider[k].value) << "Slider" << k;
      EXPECT_EQ(sliderWidget(k)->toolTip().toStdString(), ui().Slider[k].tooltip) << "Slider" << k;
      EXPECT_EQ(!sliderWidget(k)->testAttribute(Qt::WA_ForceDisabled), ui().Slider[k].enabled) << "Slider" << k;
    }
  }
};

// The layout table of the style panels, at the strength the panel opens with (0.40 at the
// normal scale: no caldera, diatreme or explosion box is available there).
struct StyleLayout {
  const char* item;
  const char* caption;
  bool tephra, scarp, fumex;
  bool location, strength, particles, wind;
  bool directedEnabled;
  const char* boxCaption;  // nullptr: depends on the strength
  bool staticAllowed;
  const char* eruptCaption;
  bool okEnabled;
};

constexpr StyleLayout kLayouts[] = {
    {"mnuParPfs", "Vulcanian/Surtseyan Parameters", true, false, false, true, true, true, true, true, nullptr, true,
     "&Erupt", true},
    {"mnuParStrom", "Strombolian Parameters", true, false, false, true, true, true, true, false, "Diatreme", true,
     "&Erupt", true},
    {"mnuParPlin", "Plinian Parameters", true, false, false, true, true, true, true, false, "Caldera", true, "&Erupt",
     true},
    {"mnuParLava", "Hawaiian Parameters", false, false, false, true, false, false, true, false, nullptr, true, "&Erupt",
     true},
    {"mnuParFum", "Fumarolic/Phreatic Parameters", false, false, true, true, true, true, true, false, "Diatreme", false,
     "&Erupt", true},
    {"mnuParDome", "Peléean Parameters", false, false, false, true, false, false, true, false, nullptr, true, "&Erupt",
     true},
    {"mnuParCol", "Sector Collapse Parameters", false, true, false, false, true, false, false, false, nullptr, true,
     "&Collapse", false},
};

TEST_F(ParamPanelsTest, EachStyleLaysOutItsPanelOverTheLastOne) {
  for (const StyleLayout& s : kLayouts) {
    SCOPED_TRACE(s.item);
    // Leave a ticked directed-blast box behind: the next style must clear it.
    if (enabled("chkDirected") && !checked("chkDirected")) click("chkDirected");
    choose(s.item);
    EXPECT_TRUE(find<QAction>(s.item)->isChecked());
    EXPECT_TRUE(shown("Change") && enabled("Change"));
    EXPECT_EQ(find<QGroupBox>("Change")->title(), QString(s.caption));
    EXPECT_FALSE(shown("Legend") || shown("Tectonic") || shown("Advanced"));
    EXPECT_EQ(shown("panTephra"), s.tephra);
    EXPECT_EQ(shown("panCol"), s.scarp);
    EXPECT_EQ(shown("chkFumex"), s.fumex);
    EXPECT_EQ(enabled("txtLoc"), s.location);
    EXPECT_EQ(enabled("txtStr"), s.strength);
    EXPECT_EQ(enabled("txtPart"), s.particles);
    EXPECT_EQ(enabled("txtWind"), s.wind);
    if (s.tephra || s.fumex) {
      EXPECT_EQ(enabled("chkDirected"), s.directedEnabled);
      EXPECT_FALSE(checked("chkDirected"));
      EXPECT_FALSE(enabled("chkCaldDiat"));
      EXPECT_FALSE(shown("CaldStyle"));
    }
    if (s.boxCaption) { EXPECT_EQ(find<QAbstractButton>("chkCaldDiat")->text(), QString(s.boxCaption)); }
    if (s.fumex) { EXPECT_FALSE(enabled("chkFumex")); }
    EXPECT_EQ(find<QAction>("mnuParStatic")->isEnabled(), s.staticAllowed);
    EXPECT_EQ(enabled("Command1"), s.okEnabled);
    EXPECT_TRUE(enabled("Command3") && enabled("Command5"));
    EXPECT_EQ(find<QAbstractButton>("cmdErupt")->text(), QString(s.eruptCaption));
    EXPECT_FALSE(enabled("cmdErupt"));
    expectPanelsMirrorControls();
  }
  // The checked style chosen again deselects it.
  choose("mnuParCol");
  EXPECT_FALSE(find<QAction>("mnuParCol")->isChecked());
  EXPECT_TRUE(shown("Legend"));
  EXPECT_FALSE(shown("Change"));
  EXPECT_EQ(find<QLabel>("StatusBar2_1")->text(), "Select Erupt Parameters");
  expectPanelsMirrorControls();
}

// The panels take turns in one place: neither the window nor the profile changes size (which
// would redraw the profile) whichever of them shows, and none is squeezed.
TEST_F(ParamPanelsTest, SwitchingPanelsKeepsTheWindowAndTheProfileSize) {
  const QSize windowSize = window.size(), profileSize = widget("Plot")->size();
  auto expectSameSizes = [&](const char* step) {
    settle();
    EXPECT_EQ(window.size(), windowSize) << step;
    EXPECT_EQ(widget("Plot")->size(), profileSize) << step;
    for (const char* panel : {"Change", "Tectonic", "Advanced", "Legend"})
      if (shown(panel)) { EXPECT_GE(widget(panel)->height(), widget(panel)->minimumSizeHint().height()) << step; }
  };
  choose("mnuParCol");  // the widest parameter panel
  expectSameSizes("collapse");
  click("Command5");
  expectSameSizes("advanced");
  click("Command7");
  expectSameSizes("back from advanced");
  choose("mnuParTec");
  click("opFault");  // the tallest panel
  expectSameSizes("fault");
  click("Command4");
  expectSameSizes("legend");
}

TEST_F(ParamPanelsTest, AutoAndStaticFromTheMenu) {
  choose("mnuParAuto");
  EXPECT_TRUE(find<QAction>("mnuParAuto")->isChecked());
  EXPECT_FALSE(shown("Change") || shown("Tectonic"));
  EXPECT_EQ(find<QAbstractButton>("cmdErupt")->text(), "Auto&Erupt");
  EXPECT_TRUE(enabled("cmdErupt"));
  for (int k = 1; k <= 5; ++k) EXPECT_FALSE(enabled(numbered("Command", k).c_str())) << k;

  choose("mnuParStatic");
  EXPECT_TRUE(find<QAction>("mnuParStatic")->isChecked());
  EXPECT_FALSE(find<QAction>("mnuParAuto")->isChecked());
  for (const char* item : {"mnuParLava", "mnuParDome", "mnuParTec", "mnuParCol"})
    EXPECT_FALSE(find<QAction>(item)->isEnabled()) << item;
  EXPECT_TRUE(find<QAction>("mnuParStrom")->isEnabled());
  choose("mnuParStatic");
  EXPECT_FALSE(find<QAction>("mnuParStatic")->isChecked());
  EXPECT_TRUE(find<QAction>("mnuParLava")->isEnabled());
}

TEST_F(ParamPanelsTest, TypedStrengthOpensTheStyleBoxesAndTheCalderaTypeReachesTheTitle) {
  choose("mnuParStrom");
  type("txtStr", "0.3");
  EXPECT_TRUE(enabled("chkCaldDiat"));
  click("chkCaldDiat");
  EXPECT_TRUE(ui().chkCaldDiat.checked);
  EXPECT_FALSE(shown("CaldStyle"));  // a diatreme has no caldera type
  type("txtStr", "0.35");
  EXPECT_FALSE(enabled("chkCaldDiat") || checked("chkCaldDiat"));

  choose("mnuParPlin");
  type("txtStr", "0.6");
  ASSERT_TRUE(enabled("chkCaldDiat"));
  click("chkCaldDiat");
  EXPECT_TRUE(shown("CaldStyle"));
  pick("CaldStyle", "Mazama Type");
  type("txtStr", "0.9");  // on its way to 0.9 the field reads "0" and "0.": the box stays
  EXPECT_TRUE(checked("chkCaldDiat"));
  EXPECT_EQ(ui().CaldStyle.text, "Mazama Type");
  EXPECT_EQ(ui().CaldStyle.text, "Mazama Type");
  EXPECT_FALSE(enabled("cmdErupt"));  // the pick disarmed the run
  click("Command1");
  EXPECT_EQ(find<QLabel>("StatusBar2_1")->text(), "Caldera Plinian Eruption (Mazama Type)");
  EXPECT_TRUE(enabled("cmdErupt"));
  expectPanelsMirrorControls();

  choose("mnuParFum");
  type("txtStr", "0.7");
  ASSERT_TRUE(enabled("chkFumex"));
  click("chkFumex");
  EXPECT_TRUE(ui().chkFumex.checked);
  type("txtStr", "0.69");
  EXPECT_FALSE(enabled("chkFumex") || checked("chkFumex"));
  expectPanelsMirrorControls();
}

TEST_F(ParamPanelsTest, EveryFieldReportsItsFocusName) {
  const std::pair<const char*, const char*> focus[] = {
      {"txtStr", "Strength"},  {"txtLoc", "Location"},  {"txtPart", "Flux"},
      {"txtCtop", "ColTop"},   {"txtWind", "Wind"},     {"txtCbase", "ColBase"},
      {"txtMag", "Magnitude"}, {"txtTloc", "Location"}, {"txtDip", "Dip"}};
  for (const auto& [field, name] : focus) {
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(widget(field), &in);
    EXPECT_EQ(ui().ActiveField, name) << field;
  }
}

TEST_F(ParamPanelsTest, TectonicPanelFaultAndErosion) {
  choose("mnuParTec");
  EXPECT_TRUE(shown("Tectonic"));
  EXPECT_FALSE(shown("Change") || shown("Legend"));
  EXPECT_EQ(find<QGroupBox>("Tectonic")->title(), "Tectonic Parameters");
  EXPECT_TRUE(enabled("Command2") && enabled("Command4"));
  EXPECT_FALSE(enabled("cmdErupt"));

  click("opFault");
  EXPECT_TRUE(checked("opFault"));
  EXPECT_FALSE(checked("opErode"));
  EXPECT_TRUE(shown("panFault"));
  EXPECT_EQ(find<QAbstractButton>("cmdErupt")->text(), "&Fault");
  click("opFault");  // an option button stays selected when clicked again
  EXPECT_TRUE(checked("opFault") && ui().opFault.checked);
  type("txtMag", "30");
  EXPECT_EQ(text("txtMag"), "20");
  type("txtDip", "-3");
  EXPECT_FALSE(enabled("Down"));
  EXPECT_EQ(find<QComboBox>("Down")->currentText(), "Left side down");
  type("txtDip", "4");
  EXPECT_EQ(find<QComboBox>("Down")->currentText(), "Right side down");
  type("txtDip", "0");
  ASSERT_TRUE(enabled("Down"));
  pick("Down", "Left side down");
  EXPECT_EQ(ui().Down.text, "Left side down");
  expectPanelsMirrorControls();
  click("Command2");
  EXPECT_EQ(find<QLabel>("StatusBar2_1")->text(), "Faulting Interval");
  EXPECT_TRUE(enabled("cmdErupt"));
  EXPECT_FALSE(enabled("Command2"));

  click("opErode");
  EXPECT_TRUE(checked("opErode"));
  EXPECT_FALSE(checked("opFault") || shown("panFault"));
  EXPECT_EQ(find<QAbstractButton>("cmdErupt")->text(), "&Erode");
  click("Command2");
  EXPECT_EQ(find<QLabel>("StatusBar2_1")->text(), "Erosion Interval");
  expectPanelsMirrorControls();

  click("Command4");
  EXPECT_FALSE(shown("Tectonic"));
  EXPECT_TRUE(shown("Legend"));
  EXPECT_FALSE(find<QAction>("mnuParTec")->isChecked());
  expectPanelsMirrorControls();
}

TEST_F(ParamPanelsTest, AdvancedOffersTheSlidersOfTheStyle) {
  struct Case {
    const char* item;
    const char* strength;  // typed before opening; nullptr: as selected
    const char* box;       // ticked before opening
    const char* caldera;   // caldera type picked before opening
    std::set<int> sliders;
    const char* label4;
  };
  const Case cases[] = {
      {"mnuParStrom", nullptr, nullptr, nullptr, {2, 5}, nullptr},
      {"mnuParPfs", nullptr, nullptr, nullptr, {2, 5}, nullptr},
      {"mnuParLava", nullptr, nullptr, nullptr, {1, 6}, nullptr},
      {"mnuParDome", nullptr, nullptr, nullptr, {1, 6}, nullptr},
      {"mnuParCol", nullptr, nullptr, nullptr, {}, nullptr},
      {"mnuParFum", nullptr, nullptr, nullptr, {}, nullptr},
      {"mnuParFum", "0.8", "chkFumex", nullptr, {2, 4, 5}, "Burst Frequency"},
      {"mnuParPlin", "0.8", "chkCaldDiat", "Mazama Type", {2, 5}, nullptr},
      {"mnuParPlin", "0.8", "chkCaldDiat", "Valles Type", {2, 4, 5}, "Left------Vent------Right"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + (c.box ? c.box : "") + (c.caldera ? c.caldera : ""));
    choose(c.item);
    if (c.strength) type("txtStr", c.strength);
    if (c.box && !checked(c.box)) click(c.box);  // a box may still be ticked from the last case
    if (c.caldera) pick("CaldStyle", c.caldera);
    click("Command5");
    EXPECT_TRUE(shown("Advanced"));
    EXPECT_FALSE(shown("Change"));
    EXPECT_EQ(enabledSliders(), c.sliders);
    if (c.label4) { EXPECT_EQ(find<QLabel>("Label4")->text(), QString(c.label4)); }
    click("Command7");
    EXPECT_TRUE(shown("Change"));
    EXPECT_FALSE(shown("Advanced"));
    choose(c.item);  // deselect, so the next case selects afresh
  }
  // The 3-D vent position belongs to every style while 3-D positioning is on.
  ui().mnuOptMap3dPosEnable.checked = true;
  choose("mnuParLava");
  click("Command5");
  EXPECT_EQ(enabledSliders(), (std::set<int>{1, 3, 6}));
}

TEST_F(ParamPanelsTest, AdvancedAcceptCancelAndDefaultsRoundTripThroughTheSliders) {
  const int defaults[] = {0, 6, 6, 20, 6, 0, 6};
  choose("mnuParStrom");
  click("Command1");
  click("Command5");
  moveSlider(2, 9);
  moveSlider(5, 4);
  EXPECT_EQ(ui().Slider[2].value, 9);
  EXPECT_EQ(ui().Slider[5].value, 4);
  EXPECT_TRUE(enabled("Command6"));
  EXPECT_EQ(widget("Slider2")->toolTip(), "Crater size = 9");
  expectPanelsMirrorControls();
  click("Command7");  // cancel: back to the values the panel opened with
  EXPECT_EQ(slider(2), defaults[2]);
  EXPECT_EQ(slider(5), defaults[5]);
  EXPECT_TRUE(shown("Change"));
  EXPECT_TRUE(enabled("cmdErupt"));  // nothing changed, the accepted panel stays armed

  click("Command5");
  moveSlider(2, 3);
  moveSlider(5, 7);
  click("Command6");  // accept
  EXPECT_EQ(ui().Slider[2].value, 3);
  EXPECT_EQ(ui().Slider[5].value, 7);
  EXPECT_TRUE(shown("Change"));
  EXPECT_FALSE(shown("Advanced"));
  EXPECT_TRUE(enabled("Command1"));
  EXPECT_FALSE(enabled("cmdErupt") || enabled("Command6"));

  click("Command5");
  click("Command8");  // defaults
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(slider(k), defaults[k]) << "Slider" << k;
  expectPanelsMirrorControls();
  click("Command7");  // the defaults are not accepted: cancel keeps what was accepted
  EXPECT_EQ(slider(2), 3);
  EXPECT_EQ(slider(5), 7);
  expectPanelsMirrorControls();
}

}  // namespace
}  // namespace magmo
