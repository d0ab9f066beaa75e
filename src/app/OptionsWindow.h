#pragma once
// The "Options" window: the Options menu's settings (and a few of Parameters and View) on four
// tabs, offered instead of the menu when "Use Options Panel" is checked. Its controls are a
// draft: nothing changes until OK or Apply, which run the menu item of every changed control
// through `choose`, so the panel and the menu always do the same thing.
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QContextMenuEvent;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;

namespace magmo {
struct Sim;

class OptionsWindow : public QDialog {
 public:
  // choose(name): runs the Options/Parameters/View menu item of that object name exactly as the
  //   menu does (it toggles check items, selects group items, runs commands), bypassing the
  //   options-panel redirect.
  // setDataPath(): runs Options > Advanced > Set Data Path (asks for the folder).
  // testSound(percent): plays the test sound at that volume.
  OptionsWindow(Sim& sim, std::function<void(const char* name)> choose, std::function<void()> setDataPath,
                std::function<void(int percent)> testSound, QWidget* parent = nullptr);
  // Shows the window with every control showing the current state of its option (read from
  // sim.ui / sim.m), on the tab that holds the given menu item's option (empty: the first tab,
  // or the tab last shown).
  void openAt(const QString& menuItemName = {});

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  void buildControls();
  QWidget* buildGeneralTab();
  QWidget* buildScaleTab();
  QWidget* buildMappingTab();
  QWidget* buildAdvancedTab();
  QWidget* buildButtons();
  QAbstractButton* control(const char* objectName) const;
  QPushButton* commandButton(const char* caption, const char* name, const char* tip);
  int tabOf(const QString& menuItemName) const;
  void apply();
  void showState();
  void followGates();
  void help(int tab);

  Sim& sim_;
  std::function<void(const char*)> choose_;
  std::function<void()> setDataPath_;
  std::function<void(int)> testSound_;
  QTabWidget* tabs_ = nullptr;
  std::vector<QAbstractButton*> controls_;  // one per row of the option table, in its order
  std::vector<QButtonGroup*> groups_;       // by radio group number (index 0 unused)
  QSlider* volume_ = nullptr;
  QSlider* speed_ = nullptr;
  QLabel* volumeLabel_ = nullptr;
  QPushButton* test_ = nullptr;
  int shownSpeed_ = 0;  // the speed slider as last shown, to tell whether the user moved it
};

}  // namespace magmo
