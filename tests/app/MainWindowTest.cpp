// The main window driven the way a user drives it: menus, the parameter, tectonic and Advanced
// panels, Erupt, Pause, Stop, close, the profile, the eruption chart; and the record editor's
// window. The windows must show what the Controls say and pass each edit to the core's handler;
// the rules are the core's tests.
#include <gtest/gtest.h>
#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtWidgets>

#include "app/DesktopSim.h"
#include "app/EruptionChart.h"
#include "app/MainWindow.h"
#include "app/QtSettings.h"
#include "app/RecordEditWindow.h"
#include "app/StatisticsPanel.h"
#include "app/PicturePrint.h"
#include "app/ProfileWidget.h"
#include "control/ProfileCommands.h"
#include "model/Vent.h"
#include "support/SimFixture.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }  // readable failures

namespace magmo {
namespace {
template <typename T = QWidget>
T* child(const QObject* parent, const QString& name) {
  T* w = parent->findChild<T*>(name);
  if (!w) ADD_FAILURE() << "no " << name.toStdString();
  return w;
}
// A window started as the program starts it, on fast animation and a fixed seed, driven
// through its widgets by their control names.
class MainWindowTest : public ::testing::Test {
 protected:
  explicit MainWindowTest(unsigned seed = 7) : settings(dir.filePath("settings.ini")), desk(settings), window(desk) {
    settings.save(kSettingsSection, "Speed", "5");  // fast animation keeps the test short
    desk.sim.rnd.fixSeed(seed);
    window.resize(1000, 760);
    window.startUp({}, dir.filePath("Documents"));
    window.show();
    settle();
  }

  template <typename T = QWidget>
  T* find(const QString& name) { return child<T>(&window, name); }
  static void settle() { for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(); }
  bool shown(const char* name) { return find(name)->isVisible(); }
  bool enabled(const char* name) { return find(name)->isEnabled(); }
  bool checked(const char* name) { return find<QAbstractButton>(name)->isChecked(); }
  bool ticked(const char* menuItem) { return find<QAction>(menuItem)->isChecked(); }
  QString text(const QString& name) { return find<QLineEdit>(name)->text(); }
  QString label(const QString& name) { return find<QLabel>(name)->text(); }
  void choose(const char* menuItem) { find<QAction>(menuItem)->trigger(); }
  void click(const char* name) { find<QAbstractButton>(name)->click(); }
  // Types the text one key at a time, then leaves the field.
  void type(const char* name, const QString& t) {
    for (qsizetype n = 1; n <= t.size(); ++n) {
      find<QLineEdit>(name)->setText(t.left(n));
      emit find<QLineEdit>(name)->textEdited(t.left(n));
    }
    emit find<QLineEdit>(name)->editingFinished();
  }
  void pick(const char* combo, const QString& item) {
    find<QComboBox>(combo)->setCurrentText(item);
    emit find<QComboBox>(combo)->textActivated(item);
  }
  const QImage& picture() const { return desk.canvas.image(); }
  // The next message box that appears is answered with this button; its text is kept.
  void answerNext(QMessageBox::StandardButton button) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [this, poll, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      question = box->text();
      poll->deleteLater();
      box->button(button)->click();
    });
    poll->start(10);
  }
  QString question;
  QSlider* slider(int k) { return find<QSlider>(QString("Slider%1").arg(k)); }
  Model& m() { return desk.sim.m; }
  Controls& ui() { return desk.sim.ui; }
  // As once the profile holds a stratum: collapse and tectonics have something to act on.
  void allowEveryStyle() {
    ui().mnuParCol.enabled = ui().mnuParTec.enabled = ui().toolbar["collapse"].enabled = ui().toolbar["tectonic"].enabled =
        true;
    window.syncFromControls();
  }
  // Every widget bound to the Controls shows its entry: text, caption, tip, shown, enabled,
  // ticked. Menu items are looked at where a test chooses them.
  void expectWindowMirrorsControls() {
    auto qs = [](const std::string& s) { return QString::fromStdString(s).replace("\r\n", "\n").replace('\r', '\n'); };
    // Own states: a hidden or disabled parent must not count against its children.
    auto same = [this, qs](const QString& name, bool visible, bool on, const std::string* tip) {
      QWidget* w = find(name);
      EXPECT_EQ(!w->isHidden(), visible) << name.toStdString() << " shown";
      EXPECT_EQ(!w->testAttribute(Qt::WA_ForceDisabled), on) << name.toStdString() << " enabled";
      EXPECT_EQ(w->toolTip(), tip ? qs(*tip) : w->toolTip()) << name.toStdString();
    };
    for (int i = 3; i <= 8; ++i) EXPECT_EQ(label(QString("StatusBar1_%1").arg(i)), qs(ui().statusBar1[i])) << i;
    for (int i = 1; i <= 2; ++i) EXPECT_EQ(label(QString("StatusBar2_%1").arg(i)), qs(ui().statusBar2[i])) << i;
    EXPECT_EQ(find<StatisticsPanel>("labVei")->text(), qs(ui().labVei));
    for (int k = -1; k <= 8; ++k) {  // the run buttons, then the panels' buttons with their own captions
      const QString name = k < 1 ? (k ? "cmdErupt" : "cmdHalt") : QString("Command%1").arg(k);
      const Button& b = k < 1 ? (k ? ui().cmdErupt : ui().cmdHalt) : ui().Command[k];
      same(name, true, b.enabled, &b.tooltip);
      EXPECT_EQ(find<QPushButton>(name)->isDefault(), b.isDefault) << name.toStdString();
      EXPECT_EQ(find<QPushButton>(name)->text(), k < 1 ? qs(b.caption) : find<QPushButton>(name)->text());
    }
    const std::pair<const char*, const Panel*> panels[] = {
        {"Change", &ui().Change}, {"Tectonic", &ui().Tectonic}, {"Advanced", &ui().Advanced}, {"Legend", &ui().Legend},
        {"panTephra", &ui().panTephra}, {"panCol", &ui().panCol}, {"panFault", &ui().panFault}};
    for (const auto& [name, p] : panels) same(name, p->visible, p->enabled, nullptr);
    const QString title = find<QGroupBox>("Change")->title();
    EXPECT_EQ(title, ui().Change.caption.empty() ? title : qs(ui().Change.caption));
    const std::pair<const char*, const Field*> fields[] = {
        {"txtLoc", &ui().txtLoc}, {"txtStr", &ui().txtStr}, {"txtPart", &ui().txtPart}, {"txtWind", &ui().txtWind},
        {"txtCtop", &ui().txtCtop}, {"txtCbase", &ui().txtCbase}, {"txtTloc", &ui().txtTloc}, {"txtMag", &ui().txtMag},
        {"txtDip", &ui().txtDip}, {"CaldStyle", &ui().CaldStyle}, {"Down", &ui().Down}};
    for (const auto& [name, f] : fields) {
      same(name, f->visible, f->enabled, &f->tooltip);
      auto* combo = window.findChild<QComboBox*>(name);
      EXPECT_EQ(combo ? combo->currentText() : text(name), qs(f->text)) << name;
    }
    const std::pair<const char*, const CheckBox*> boxes[] = {{"chkCaldDiat", &ui().chkCaldDiat},
        {"chkDirected", &ui().chkDirected}, {"chkFumex", &ui().chkFumex}, {"opFault", &ui().opFault},
        {"opErode", &ui().opErode}};
    for (const auto& [name, c] : boxes) {
      same(name, c->visible, c->enabled, &c->tooltip);
      EXPECT_EQ(checked(name), c->checked) << name;
    }
    EXPECT_EQ(find<QAbstractButton>("chkCaldDiat")->text(), qs(ui().chkCaldDiat.caption));
    for (int k = 1; k <= 6; ++k) {
      same(QString("Slider%1").arg(k), true, ui().Slider[k].enabled, &ui().Slider[k].tooltip);
      EXPECT_EQ(find<QSlider>(QString("Slider%1").arg(k))->value(), ui().Slider[k].value) << k;
      same(QString("Label%1").arg(k), ui().Label[k].visible, ui().Label[k].enabled, nullptr);
    }
  }
  QTemporaryDir dir;
  QtSettings settings;
  DesktopSim desk;
  MainWindow window;
};

TEST_F(MainWindowTest, StartsIdleAndMenuChoicesCarryCheckMarksThatCommandsLack) {
  expectWindowMirrorsControls();
  allowEveryStyle();
  for (const char* item : {"mnuParPfs", "mnuParStrom", "mnuParPlin", "mnuParLava", "mnuParFum", "mnuParDome",
                           "mnuParCol", "mnuParTec", "mnuParAuto", "mnuParAuto", "mnuParStatic"}) {
    choose(item);
    expectWindowMirrorsControls();
    EXPECT_TRUE(ticked(item) || std::string(item) == "mnuParAuto") << item;
  }
  EXPECT_FALSE(ticked("mnuParAuto"));  // the ticked item chosen again is unticked
  EXPECT_FALSE(find<QAction>("mnuParLava")->isEnabled());  // no lava in static mode
  choose("mnuOptScaleSmall");
  choose("mnuOptScaleSmall");  // chosen again: Qt unticks the item, the Controls keep it ticked
  EXPECT_TRUE(ticked("mnuOptScaleSmall"));
  choose("mnuViewLedg");
  EXPECT_FALSE(shown("Legend") || ticked("mnuViewLedg"));
  for (const char* command : {"mnuFileSave", "mnuFileSaveAsDem", "mnuParUndo", "mnuRecEdit"})
    EXPECT_FALSE(find<QAction>(command)->isCheckable()) << command;
}

// Full refreshes start from a black picture: nothing of the last one may show through.
TEST_F(MainWindowTest, AnEruptionPausedThenStoppedBuildsALayerAndFullRefreshesStartClean) {
  choose("mnuParStrom");
  click("Command1");
  const QImage before = picture().copy();
  int pausedAtBurst = 0;
  bool pauseSeen = false;
  desk.host.setYieldHook([&] {
    if (m().RunStop == RunState::Running && m().BurstCount >= 3 && pausedAtBurst == 0) {
      pausedAtBurst = m().BurstCount;
      click("cmdHalt");  // Pause
    } else if (m().RunStop == RunState::Paused && !pauseSeen) {
      pauseSeen = true;
      expectWindowMirrorsControls();  // the window follows the core while the phase waits
      click("cmdHalt");  // Stop
    }
  });
  click("cmdErupt");
  desk.host.setYieldHook(nullptr);
  ASSERT_TRUE(pauseSeen && pausedAtBurst >= 3);
  EXPECT_EQ(std::pair(m().BurstCount, m().LayerCount), std::pair(pausedAtBurst, 1));  // ends after the running burst
  EXPECT_TRUE(picture() != before);
  expectWindowMirrorsControls();
  answerNext(QMessageBox::Cancel);  // the cone is kept
  choose("mnuFileNew");
  EXPECT_EQ(std::pair(question, m().LayerCount), std::pair(QString("Save changes to the new section?"), 1));
  answerNext(QMessageBox::No);
  choose("mnuFileNew");  // the same window size: only the refresh can clear the cone
  EXPECT_EQ(m().LayerCount, 0);
  EXPECT_TRUE(picture() == before);
  desk.canvas.setPenWidth(20);
  desk.canvas.point(300, 200, Rgb{255, 0, 0});  // as a plume left in the sky
  choose("mnuViewRef");
  EXPECT_TRUE(picture() == before);
}

TEST_F(MainWindowTest, ClosingDuringAnEruptionStopsThePhaseAndThenCloses) {
  choose("mnuParStrom");
  click("Command1");
  bool stillOpenAfterClose = false;
  answerNext(QMessageBox::No);
  desk.host.setYieldHook([&] {
    if (m().BurstCount >= 2 && m().RunStop == RunState::Running) {
      window.close();
      stillOpenAfterClose = window.isVisible();
    }
  });
  click("cmdErupt");
  desk.host.setYieldHook(nullptr);
  EXPECT_TRUE(stillOpenAfterClose && m().RunStop == RunState::Stopping);
  EXPECT_EQ(ui().statusBar2[2], "Dormant   ");  // the phase finished its end-of-phase work
  settle();  // the close the user asked for follows the phase
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, RecordMenuOffersPlaybackOnlyWithARecordAndNewLeavesIt) {
  emit find<QMenu>("mnuRec")->aboutToShow();
  EXPECT_FALSE(find<QAction>("mnuRecPlay")->isEnabled());
  choose("mnuRecRec");
  ui().RecLoaded = true;
  emit find<QMenu>("mnuRec")->aboutToShow();
  EXPECT_TRUE(find<QAction>("mnuRecPlay")->isEnabled());
  choose("mnuRecPlay");
  EXPECT_FALSE(ticked("mnuRecRec"));  // playback and recording exclude each other
  EXPECT_EQ(find<QPushButton>("cmdErupt")->toolTip(), "Click to start playback");
  choose("mnuFileNew");
  EXPECT_FALSE(ticked("mnuRecPlay"));
  expectWindowMirrorsControls();
}

// The Options menu's own switches act on the window: the toolbar, every tooltip, and with Use
// Options Panel an item opens the Options window at its option instead of acting.
TEST_F(MainWindowTest, OptionItemsDriveTheToolbarTheTooltipsAndTheOptionsPanel) {
  choose("mnuOptTB");
  EXPECT_TRUE(find("Toolbar1")->isHidden());
  struct Probe : QWidget {
    using QWidget::QWidget;
    bool event(QEvent* e) override { return e->type() == QEvent::ToolTip ? (tipAsked = true) : QWidget::event(e); }
    bool tipAsked = false;
  } probe(&window);
  auto tipShows = [&probe] {
    probe.tipAsked = false;
    QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), probe.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&probe, &e);
    return probe.tipAsked;
  };
  ASSERT_TRUE(tipShows());
  choose("mnuOptHtips");
  EXPECT_FALSE(tipShows());
  choose("mnuOptOptions");
  choose("mnuOptScaleLarge");
  EXPECT_TRUE(find("Options")->isVisible() && ticked("mnuOptScaleNorm"));
  EXPECT_EQ(find<QTabWidget>("tabOptions")->currentIndex(), 1);
  click("cmdCancel");
  choose("mnuOptOptions");  // never redirected: the panel could not be switched off otherwise
  EXPECT_FALSE(ui().mnuOptOptions.checked);
}

// Settings are written at exit only with Save Settings checked; a stored place off every
// screen is not used.
TEST_F(MainWindowTest, ClosingSavesSettingsOnlyWhenAskedAndAPlaceOffScreenIsIgnored) {
  choose("mnuOptScaleSmall");
  choose("mnuOptAdSave");  // unchecked: the settings as they stand are written, and nothing at exit
  choose("mnuOptScaleLarge");
  window.close();
  EXPECT_EQ(settings.read(kSettingsSection, "SaveSet", "") + settings.read(kSettingsSection, "Scale", ""), "0Small");
  EXPECT_EQ(settings.read("Magmo3/Topo3D", "NewFile", ""), "False");
  choose("mnuOptAdSave");
  choose("mnuOptScaleNorm");
  settings.save(kSettingsSection, "Max", "2");
  window.show();
  window.close();
  EXPECT_EQ(settings.read(kSettingsSection, "Scale", "") + settings.read(kSettingsSection, "Max", ""), "Normal0");
  for (auto [key, value] : {std::pair{"Left", "-9000"}, {"Top", "-9000"}, {"Width", "900"}, {"Height", "700"}})
    settings.save(kSettingsSection, key, value);
  DesktopSim otherDesk(settings);
  MainWindow other(otherDesk);
  other.startUp({}, dir.filePath("Documents"));
  EXPECT_NE(other.pos(), QPoint(-9000, -9000));
}

// A toolbar button is its menu item's action: one enabled state, greyed with the rest while a
// phase runs except the halt button; the stored layout chooses the buttons; a right click
// on the profile opens the help at the profile's page.
TEST_F(MainWindowTest, TheToolbarSharesTheMenusActionsAndKeepsItsStoredLayout) {
  const QList<QAction*> buttons = find<QToolBar>("Toolbar1")->actions();
  for (const char* item : {"mnuParStrom", "mnuFileNew", "mnuViewCap", "mnuHContents"})
    EXPECT_TRUE(buttons.contains(find<QAction>(item))) << item;
  EXPECT_EQ(find<QAction>("mnuFilePrint")->isEnabled(), printerAvailable());
  choose("mnuParStrom");
  click("Command1");
  bool greyedWhileRunning = false;
  desk.host.setYieldHook([&] {
    if (m().BurstCount < 2 || m().RunStop != RunState::Running) return;
    window.syncFromControls();
    greyedWhileRunning = !find<QAction>("mnuParStrom")->isEnabled() && !find<QAction>("tbPlay")->isEnabled() &&
                         find<QAction>("tbHalt")->isEnabled();
    find<QAction>("tbHalt")->trigger();
    find<QAction>("tbHalt")->trigger();
  });
  find<QAction>("tbPlay")->trigger();
  desk.host.setYieldHook(nullptr);
  EXPECT_TRUE(greyedWhileRunning && find<QAction>("mnuParStrom")->isEnabled() && m().LayerCount == 1);

  settings.save("Magmo3", "Toolbar1", "play,halt,|,exit,nonsense");
  DesktopSim otherDesk(settings);
  MainWindow other(otherDesk);
  QStringList shown;
  for (QAction* a : child<QToolBar>(&other, "Toolbar1")->actions()) shown << (a->isSeparator() ? "|" : a->objectName());
  EXPECT_EQ(shown, QStringList({"tbPlay", "tbHalt", "|", "mnuFileExit"}));

  emit find<ProfileWidget>("Plot")->released(MouseButton::Right, 100, 100);
  ASSERT_TRUE(window.findChild<QWidget*>("frmHelp") && find("frmHelp")->isVisible());
  auto page = [this] {
    const QUrl shown = find<QTextBrowser>("txtHelp")->source();
    return shown.fileName() + (shown.hasFragment() ? "#" + shown.fragment() : "");
  };
  EXPECT_EQ(page(), "profile.html");
  choose("mnuParPlin");  // a right click on a panel: the help of what it is for
  for (const auto& [place, expected] : {std::pair{"Slider1", "plinian.html"}, {"Legend", "profile.html#colours"}}) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), find(place)->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(find(place), &e);
    EXPECT_EQ(page(), expected);
  }
}

using ParamPanelsTest = MainWindowTest;

// The panels take turns in one place: neither the window nor the profile changes size (which
// would redraw the profile) whichever of them shows, and none is squeezed.
TEST_F(ParamPanelsTest, SwitchingPanelsKeepsTheWindowAndTheProfileSize) {
  allowEveryStyle();
  const QSize windowSize = window.size(), profileSize = find("Plot")->size();
  // The widest parameter panel, the Advanced one and back, the tallest panel (fault), the legend.
  for (const char* step : {"mnuParCol", "Command5", "Command7", "mnuParTec", "opFault", "Command4"}) {
    QString(step).startsWith("mnu") ? choose(step) : click(step);
    settle();
    EXPECT_EQ(window.size(), windowSize) << step;
    EXPECT_EQ(find("Plot")->size(), profileSize) << step;
    for (const char* panel : {"Change", "Tectonic", "Advanced", "Legend"})
      if (shown(panel)) {
        EXPECT_GE(find(panel)->height(), find(panel)->minimumSizeHint().height()) << step;
      }
  }
}

TEST_F(ParamPanelsTest, ProfileClicksAndTypedValuesReachTheirHandlers) {
  allowEveryStyle();
  choose("mnuParStrom");
  auto* plot = find("Plot");
  const QPointF at(500.0 * plot->width() / 1280, 300.0 * plot->height() / 690);  // column 500
  QMouseEvent up(QEvent::MouseButtonRelease, at, plot->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(plot, &up);
  EXPECT_NEAR(text("txtLoc").toDouble(), 10.0, 0.05);
  type("txtPart", "40");
  type("txtWind", "-12");
  QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
  QCoreApplication::sendEvent(find("txtPart"), &in);
  EXPECT_EQ(ui().ActiveField, "Flux");
  // Each field as its handler leaves it: the locations cut to the profile, the fault's values to their limits.
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"mnuParStrom", "txtLoc", "30", "25.60"}, {"mnuParCol", "txtCtop", "-2", "0.00"},
      {"mnuParCol", "txtCbase", "99", "25.60"}, {"mnuParTec", "txtTloc", "40", "25.60"},
      {"mnuParTec", "txtMag", "30", "20"},      {"mnuParTec", "txtDip", "-99", "-10"}};
  for (const auto& [item, field, typed, left] : cases) {
    if (!ticked(item)) choose(item);
    if (std::string(item) == "mnuParTec" && !checked("opFault")) click("opFault");
    type(field, typed);
    EXPECT_EQ(text(field), left);
    if (std::string(field) == "txtLoc") click("Command1");
  }
  EXPECT_EQ(std::tuple(m().VentX, m().PartCount, m().Wind), std::tuple(1230, 40, -12.0f));
  expectWindowMirrorsControls();
  click("opFault");  // an option button stays selected when clicked again
  EXPECT_TRUE(checked("opFault") && ui().opFault.checked);
  type("txtDip", "0");
  pick("Down", "Left side down");
  EXPECT_EQ(ui().Down.text, "Left side down");
  click("Command2");
  EXPECT_EQ(label("StatusBar2_1"), "Faulting Interval");
  click("opErode");
  EXPECT_FALSE(checked("opFault") || ui().opFault.checked);
  expectWindowMirrorsControls();
}

TEST_F(ParamPanelsTest, TypedStrengthOpensTheStyleBoxesAndTheCalderaTypeReachesTheTitle) {
  choose("mnuParPfs");
  click("chkDirected");
  EXPECT_TRUE(ui().chkDirected.checked);
  choose("mnuParFum");
  type("txtStr", "0.7");
  click("chkFumex");
  EXPECT_TRUE(ui().chkFumex.checked);
  expectWindowMirrorsControls();
  choose("mnuParPlin");
  type("txtStr", "0.6");
  click("chkCaldDiat");
  pick("CaldStyle", "Mazama Type");
  type("txtStr", "0.9");  // on its way to 0.9 the field reads "0" and "0.": the box stays
  EXPECT_TRUE(checked("chkCaldDiat") && ui().chkCaldDiat.checked);
  EXPECT_EQ(ui().CaldStyle.text, "Mazama Type");
  EXPECT_FALSE(enabled("cmdErupt"));  // the pick disarmed the run
  click("Command1");
  EXPECT_EQ(label("StatusBar2_1"), "Caldera Plinian Eruption (Mazama Type)");
  expectWindowMirrorsControls();
  click("Command3");  // cancel
  EXPECT_FALSE(ticked("mnuParPlin"));
}

TEST_F(ParamPanelsTest, SliderDragsAndTheAdvancedButtonsReachTheControls) {
  choose("mnuParStrom");
  click("Command1");
  click("Command5");
  slider(2)->setValue(9);  // as a drag reports it
  EXPECT_EQ(ui().Slider[2].value, 9);
  expectWindowMirrorsControls();
  click("Command6");  // accept
  EXPECT_TRUE(shown("Change") && !enabled("cmdErupt"));
  click("Command5");
  click("Command8");  // defaults
  EXPECT_NE(slider(2)->value(), 9);
  click("Command7");  // cancel: back to what was accepted
  EXPECT_EQ(slider(2)->value(), 9);
  expectWindowMirrorsControls();
}

// The eruption chart's series show the layers' statistics as the model holds them, through
// phases, Undo, New and an opened file, and stay still while hidden.
class EruptionChartTest : public MainWindowTest {
 protected:
  // On seed 11 a value comes close enough to its axis top that a thinner margin above it shows.
  EruptionChartTest() : MainWindowTest(11) { choose("mnuViewChart"); }
  QChartView* view() { return find<QChartView>("chartView"); }
  QAbstractSeries* series(int i) { return view()->chart()->series().at(i); }  // bars, total, summit
  QList<QBarSet*> sets() { return static_cast<QStackedBarSeries*>(series(0))->barSets(); }
  QList<QPointF> points(int i) { return static_cast<QLineSeries*>(series(i))->points(); }

  // A phase of the style, stopped (Pause, Stop) once the bursts have landed; gives the chart's
  // bar of the phase at that moment.
  double erupt(const char* style, int bursts) {
    choose(style);
    click("Command1");
    double live = -1;
    desk.host.setYieldHook([&] {
      if (m().RunStop == RunState::Running && m().BurstCount >= bursts && live < 0) {
        live = barOf(m().LayerCount);
        click("cmdHalt");
      } else if (m().RunStop == RunState::Paused) {
        click("cmdHalt");
      }
    });
    click("cmdErupt");
    desk.host.setYieldHook(nullptr);
    return live;
  }
  double barOf(int phase) {
    double sum = 0;
    for (QBarSet* set : sets()) sum += phase < set->count() ? set->at(phase) : 0;
    return sum;
  }
  // What resting the pointer on a phase's bar shows.
  QString tipOf(int phase) {
    emit static_cast<QStackedBarSeries*>(series(0))->hovered(true, phase, sets().front());
    QHelpEvent rest(QEvent::ToolTip, QPoint(20, 20), view()->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(view()->viewport(), &rest);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }

  // Each phase is one bar in the set of its explosivity index, the lines give the total volume
  // and the summit, and every value lies below the top the program set on its axis.
  void expectChartFollowsModel() {
    const std::vector<LayerSummary> rows = layerSummaries(m());
    const QList<QPointF> total = points(1), summit = points(2);
    ASSERT_TRUE(total.size() == static_cast<qsizetype>(rows.size()) && summit.size() == total.size());
    double sum = 0;
    for (const LayerSummary& row : rows) {
      SCOPED_TRACE(row.layer);
      sum += row.volume;
      int holding = 0;
      for (QBarSet* set : sets()) {
        if (set->count() != total.size() + 1 || set->at(row.layer) == 0) continue;
        ++holding;
        EXPECT_EQ(set->label(), QString("VEI %1").arg(row.explosivityIndex));
        EXPECT_EQ(set->color(), explosivityColour(row.explosivityIndex));
        EXPECT_DOUBLE_EQ(set->at(row.layer), row.volume / 1e6);
      }
      EXPECT_EQ(holding, row.volume > 0 ? 1 : 0);
      EXPECT_EQ(total[row.layer - 1], QPointF(row.layer, sum / 1e9));
      EXPECT_EQ(summit[row.layer - 1], QPointF(row.layer, row.summit));
      const double values[] = {row.volume / 1e6, sum / 1e9, row.summit};
      for (int i = 0; i < 3; ++i)
        EXPECT_LT(values[i], static_cast<QValueAxis*>(series(i)->attachedAxes().at(1))->max()) << i;
    }
    for (QBarSet* set : sets()) EXPECT_EQ(set->count(), total.size() + 1) << set->label().toStdString();
  }
};

TEST_F(EruptionChartTest, SeriesFollowPhasesAsTheyGrowUndoAndNewButNotWhileHidden) {
  ASSERT_TRUE(sets().isEmpty() && points(1).isEmpty());
  const double live = erupt("mnuParStrom", 4);
  EXPECT_GT(live, 0) << "the phase's bar grows while it runs";
  EXPECT_LT(live, barOf(1));
  expectChartFollowsModel();
  erupt("mnuParLava", 3);
  choose("mnuViewChart");  // hidden: the next phase is not shown
  erupt("mnuParPlin", 3);
  ASSERT_EQ(m().LayerCount, 3);
  EXPECT_EQ(points(1).size(), 2);
  choose("mnuViewChart");
  expectChartFollowsModel();
  EXPECT_GE(sets().size(), 2) << "lava and an explosive phase take different colours";
  const QString tip = tipOf(1);
  EXPECT_TRUE(tip.contains(styleName(Style::Stromb)) &&
              tip.contains(QString::fromStdString(durationText(*layerSummaries(m())[0].hours))));
  EXPECT_TRUE(tipOf(2).startsWith("Phase 2: Hawaiian") && tipOf(2).contains("VEI): 0"));

  choose("mnuParUndo");
  ASSERT_EQ(m().LayerCount, 2);
  expectChartFollowsModel();
  answerNext(QMessageBox::No);
  choose("mnuFileNew");
  ASSERT_EQ(m().LayerCount, 0);
  expectChartFollowsModel();
}

// A file's layers have no phase statistics: they are measured as they stand.
TEST_F(EruptionChartTest, AnOpenedFileShowsItsLayers) {
  QTimer::singleShot(50, [] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->selectFile(MAGMO_TEST_DATA_DIR "/Files/MagmoDemo.str");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  choose("mnuFileOpenTopo");
  ASSERT_TRUE(m().LayerCount > 2 && !m().LayerStats[1].reported);
  expectChartFollowsModel();
  EXPECT_TRUE(tipOf(1).contains("not recorded") && tipOf(1).contains("not known"));
}

class RecordEditWindowTest : public test::SimTest {
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
  T* find(const char* name) { return child<T>(w.get(), name); }
  // As the user's edits arrive: field text typed, a phase type picked.
  void type(const char* name, const QString& text) { emit find<QLineEdit>(name)->textEdited(text); }
  void pick(const QString& kind) { emit find<QComboBox>("cmbType")->textActivated(kind); }
  std::unique_ptr<RecordEditWindow> w;
};

TEST_F(RecordEditWindowTest, EditsShowAndApplyThroughTheWidgetsAndTipsFollowTheOption) {
  open(true);
  EXPECT_NE(find("cmdAdd")->toolTip(), "");
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "6.40");
  EXPECT_EQ(find<QComboBox>("cmbPhase")->currentText(), "Phase 1");
  EXPECT_FALSE(find("Command2")->isEnabled());
  pick("Faulting");
  EXPECT_TRUE(find("txtMag")->isEnabled() && !find("txtStr")->isEnabled());
  pick("Strombolian");
  type("txtLoc", "7.5");
  type("txtStr", "1.5");
  host.yesNoAnswers = {false};
  find<QAbstractButton>("Command2")->click();
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_EQ(std::pair(m().RecTable[1].Location, m().RecTable[1].Strength), std::pair(7.5f, 1.5f));
  EXPECT_EQ(w->result(), QDialog::Accepted);
  open(false);
  for (QWidget* c : w->findChildren<QWidget*>()) EXPECT_EQ(c->toolTip(), "") << c->objectName().toStdString();
}
}  // namespace
}  // namespace magmo
