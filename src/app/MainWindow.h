#pragma once
// The main window "Magmo": a mirror of the Controls. User edits go into the Controls and run
// the core's handler; afterwards, and on every yield of the core, the window re-reads them.
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "app/ControlMirror.h"
#include "app/DesktopSim.h"
#include "app/UserSettings.h"

class QAbstractButton;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace magmo {

class AdvancedPanel;
class EruptionChart;
class LegendPanel;
class MapViewWindow;
class HelpWindow;
class OptionsWindow;
struct ToolbarButton;
class SmallMapWidget;
class StatisticsPanel;
class StratColumnWindow;
class ParamPanel;
class ProfileWidget;
class TectonicPanel;
enum class MouseButton;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(DesktopSim& desktop, QWidget* parent = nullptr);

  // Settings, placement, folders, reset and the default terrain; documents is the user's
  // documents folder (empty when there is none). calibrate: time this computer's drawing
  // for the animation speed (the program does, tests keep the reference speed).
  void startUp(const Switches& switches, const QString& documents, bool calibrate = false);
  void syncFromControls();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  // Runs one core handler as a user action, then brings the window up to date. An error the
  // handler did not report itself is reported under the command's name.
  void run(const std::function<void()>& handler, const std::string& name = "Magmo");
  std::function<void()> core(void (*handler)(Sim&));
  void erupt();
  void requestStop();
  void refreshSoon();

  void buildMenus();
  void buildFileMenu(QMenu* file);
  void buildParametersMenu(QMenu* par);
  void buildRecordMenu(QMenu* rec);
  void buildScenariosMenu(QMenu* menu);
  void buildOptionsMenu(QMenu* opt);
  void buildToolBar();
  void buildViewMenu(QMenu* view);
  void buildHelpMenu(QMenu* help);
  void setShortcuts();
  // The toolbar's buttons as the stored layout ("Toolbar1") says.
  void layOutToolbar(const QStringList& layout);
  QAction* toolbarAction(const ToolbarButton& b) const;
  void customiseToolbar();
  void printProfile();
  void showHelp(int topic);
  int helpTopicOf(const QWidget* w) const;
  // A menu item whose command runs by its name: from the menu, the toolbar or the Options window.
  QAction* menuItem(QMenu* menu, const char* caption, const char* name, MenuItem* mirrored,
                    std::function<void()> handler);
  // One item per choice of a group, each running act(sim, choice).
  template <typename Choice>
  using GroupItem = std::tuple<const char*, const char*, MenuItem*, Choice>;
  template <typename Choice>
  void menuGroup(QMenu* menu, std::initializer_list<GroupItem<Choice>> items,
                 std::function<void(Sim&, Choice)> act) {
    for (const auto& [caption, name, mirrored, choice] : items)
      menuItem(menu, caption, name, mirrored, [this, act, c = choice] { act(sim_, c); });
  }
  void activate(const char* name);
  void choose(const char* name);
  // The Options window, on the tab of the given Options item (empty: as last shown).
  void openOptions(const QString& itemName);
  void setDataPath();
  QWidget* buildCentre();
  // The panels that take turns beside the profile.
  std::array<QWidget*, 4> panels() const;
  void fitControlsRow();
  void buildStatusBars(QStatusBar* bar1, QStatusBar* bar2);
  void bindControls();
  void bindParamPanel();
  void bindTectonicPanel();
  void bindAdvancedPanel();
  // A user edit writes the widget's state into the Controls, then runs the core's handler.
  void connectField(QLineEdit* edit, Field& field, std::function<void()> onChange, const char* focusName);
  void connectCheck(QAbstractButton* box, CheckBox& check, std::function<void()> onClick, bool withCaption);
  // One of a pair of option buttons: a click selects it and clears the other.
  void connectOption(QAbstractButton* option, CheckBox& check, CheckBox& other, std::function<void()> onClick);
  void connectCombo(QComboBox* combo, Field& field, std::function<void()> onChange);
  void connectButton(QPushButton* button, const Button& mirrored, std::function<void()> onClick);
  void showPointerText(float x, float y, QPoint globalPos);
  void restorePlacement();
  void savePlacement();
  // The window's placement and every setting, as they stand.
  void storeSettings();
  void showClock();

  DesktopSim& desk_;
  Sim& sim_;
  Controls& ui_;
  ControlMirror mirror_;
  ProfileWidget* profile_ = nullptr;
  ParamPanel* params_ = nullptr;
  TectonicPanel* tectonic_ = nullptr;
  AdvancedPanel* advanced_ = nullptr;
  LegendPanel* legend_ = nullptr;
  MapViewWindow* mapWindow_ = nullptr;
  EruptionChart* chart_ = nullptr;
  QGroupBox* pan3D_ = nullptr;
  SmallMapWidget* smallMap_ = nullptr;
  StratColumnWindow* stratWindow_ = nullptr;
  QWidget* controlsRow_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QStringList toolbarLayout_;  // as shown, "Toolbar1"'s form
  OptionsWindow* options_ = nullptr;
  HelpWindow* help_ = nullptr;
  std::map<std::string, std::function<void()>> commands_;  // every menu item's command by its name
  QString documents_;
  StatisticsPanel* labVei_ = nullptr;
  QPushButton *cmdErupt_ = nullptr, *cmdHalt_ = nullptr;
  QLabel* statusPanels1_[9] = {};
  QLabel* scalePanel_ = nullptr;  // beside the gravity
  float shownScale_ = -1;
  QLabel* statusPanels2_[3] = {};
  int handlerDepth_ = 0;  // user actions on the stack (the core yields inside them)
  int eruptDepth_ = 0;    // of which Erupt clicks
  bool closePending_ = false;
  bool refreshQueued_ = false;
  bool started_ = false;
};

}  // namespace magmo
