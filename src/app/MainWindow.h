#pragma once
// The main window "Magmo": a mirror of the Controls. User edits go into the Controls and run
// the core's handler; afterwards, and on every yield of the core, the window re-reads them.
#include <QMainWindow>
#include <QString>

#include "app/ControlMirror.h"
#include "app/DesktopSim.h"
#include "app/UserSettings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace magmo {

class ParamPanel;
class ProfileWidget;
enum class MouseButton;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(DesktopSim& desktop, QWidget* parent = nullptr);

  // Settings, placement, folders, reset and the default terrain; documents is the user's
  // documents folder (empty when there is none).
  void startUp(const Switches& switches, const QString& documents);
  void syncFromControls();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  // Runs one core handler as a user action, then brings the window up to date.
  template <typename Handler>
  void run(Handler&& handler);
  void erupt();
  void requestStop();
  void refreshSoon();

  void buildMenus();
  QWidget* buildCentre();
  void buildStatusBars(QStatusBar* bar1, QStatusBar* bar2);
  void bindControls();
  void connectField(QLineEdit* edit, Field& field, void (*onChange)(Sim&), const char* focusName);
  void showPointerText(float x, float y, QPoint globalPos);
  void restorePlacement();
  void savePlacement();
  void showClock();

  DesktopSim& desk_;
  Sim& sim_;
  Controls& ui_;
  ControlMirror mirror_;
  ProfileWidget* profile_ = nullptr;
  ParamPanel* params_ = nullptr;
  QLabel* labVei_ = nullptr;
  QPushButton *cmdErupt_ = nullptr, *cmdHalt_ = nullptr;
  QLabel* statusPanels1_[9] = {};
  QLabel* statusPanels2_[3] = {};
  int handlerDepth_ = 0;  // user actions on the stack (the core yields inside them)
  int eruptDepth_ = 0;    // of which Erupt clicks
  bool closePending_ = false;
  bool refreshQueued_ = false;
  bool started_ = false;
};

}  // namespace magmo
