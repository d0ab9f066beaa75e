#include "app/MainWindow.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QMimeData>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <tuple>

#include "app/AdvancedPanel.h"
#include "app/AppPaths.h"
#include "app/ClosingWindow.h"
#include "app/ContextHelp.h"
#include "app/EruptionChart.h"
#include "app/HelpWindow.h"
#include "app/PicturePrint.h"
#include "app/LegendPanel.h"
#include "app/MapViewWindow.h"
#include "app/ParamPanel.h"
#include "app/ProfileWidget.h"
#include "app/SmallMapWidget.h"
#include "app/StatisticsPanel.h"
#include "app/StratColumnWindow.h"
#include "app/ToolbarLayout.h"
#include "app/TectonicPanel.h"
#include "control/ColumnCommands.h"
#include "control/MapCommands.h"
#include "control/OptionCommands.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "control/NewFile.h"
#include "formats/StratFile.h"
#include "model/Numeric.h"
#include "control/Reset.h"
#include "control/ProfileCommands.h"
#include "control/UnsavedChanges.h"
#include "views/Profile.h"

namespace magmo {

namespace {

// Calls back when the watched widget receives the focus.
class FocusWatcher : public QObject {
 public:
  FocusWatcher(QObject* watched, std::function<void()> onFocus) : QObject(watched), onFocus_(std::move(onFocus)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FocusIn) onFocus_();
    return false;
  }

 private:
  std::function<void()> onFocus_;
};

QLabel* statusPanel(QStatusBar* bar, const QString& name, const char* tip, int stretch) {
  auto* l = new QLabel;
  l->setObjectName(name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setToolTip(tip);
  bar->addWidget(l, stretch);
  return l;
}

}  // namespace

MainWindow::MainWindow(DesktopSim& desktop, QWidget* parent)
    : QMainWindow(parent), desk_(desktop), sim_(desktop.sim), ui_(desktop.sim.ui) {
  setWindowTitle("Magmo");
  setObjectName("Magmo");
  chart_ = new EruptionChart(sim_.m, this);
  addDockWidget(Qt::BottomDockWidgetArea, chart_);
  chart_->hide();
  buildMenus();
  buildToolBar();
  setShortcuts();
  setCentralWidget(buildCentre());
  fitControlsRow();
  bindControls();
  resize(1000, 760);

  const auto runner = [this](std::function<void()> handler) { run(handler); };
  mapWindow_ = new MapViewWindow(sim_, runner, this);
  stratWindow_ = new StratColumnWindow(sim_, runner, this);
  desk_.host.setDialogParent(this);
  desk_.host.setOnYield([this] { syncFromControls(); });
  desk_.host.setOnRepaint([this] {
    profile_->update();
    chart_->sync(false);
  });
  desk_.host.setOnHelp([this](int topic) { showHelp(topic); });
  new ContextHelp(this, [this](const QWidget* w) { return helpTopicOf(w); }, [this](int topic) { showHelp(topic); });
  new ContextHelp(chart_, [](const QWidget*) { return kChartHelpTopic; }, [this](int topic) { showHelp(topic); });  // floating

  auto* clock = new QTimer(this);
  connect(clock, &QTimer::timeout, this, &MainWindow::showClock);
  clock->start(1000);
  showClock();
  auto* viewerPoller = new QTimer(this);
  connect(viewerPoller, &QTimer::timeout, this, [this] {
    if (ui_.View3DOpen) run([this] { viewerPoll(sim_); });
  });
  viewerPoller->start(1000);
}

void MainWindow::run(const std::function<void()>& handler, const std::string& name) {
  ++handlerDepth_;
  try {
    handler();
  } catch (const std::exception& e) {
    sim_.reportError(name, e);  // the core reports its own errors; this is the last resort
  }
  --handlerDepth_;
  syncFromControls();
  profile_->update();
  chart_->sync(true);  // the action may have reshaped any layer
  if (handlerDepth_ == 0 && closePending_) QTimer::singleShot(0, this, &QWidget::close);
}

QAction* MainWindow::menuItem(QMenu* menu, const char* caption, const char* name, MenuItem* mirrored,
                              std::function<void()> handler) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (mirrored) {
    // Commands mirror only their enabled state; the others are options with a check mark.
    const bool command = mirrored == &ui_.mnuFileSave || mirrored == &ui_.mnuFileSaveAsDem || mirrored == &ui_.mnuFilePrint ||
                         mirrored == &ui_.mnuViewMap || mirrored == &ui_.mnuViewTopo ||
                         mirrored == &ui_.mnuParUndo || mirrored == &ui_.mnuRecEdit;
    a->setCheckable(!command);
  }
  // A toolbar button shares the item's action: one enabled state, one check mark.
  const ToolbarButton* button = toolbarButtonOf(name);
  if (button) a->setToolTip(button->tip);
  ToolButton* state = button ? &ui_.toolbar[button->key] : nullptr;
  if (mirrored)
    mirror_.action(a, mirrored, state);
  else if (state)
    mirror_.toolButton(a, state);
  commands_[name] = std::move(handler);
  connect(a, &QAction::triggered, this, [this, name] { activate(name); });
  return a;
}

// With Use Options Panel checked, an Options item opens the Options window at its option
// instead of acting.
void MainWindow::activate(const char* name) {
  const std::string_view item(name);
  if (ui_.mnuOptOptions.checked && item.starts_with("mnuOpt") && item != "mnuOptOptions")
    openOptions(name);
  else
    choose(name);
}

void MainWindow::choose(const char* name) {
  const auto command = commands_.find(name);
  if (command != commands_.end()) run(command->second, name);
}

void MainWindow::buildMenus() {
  auto menu = [this](const char* caption, const char* name, MenuItem& mirrored) {
    QMenu* m = menuBar()->addMenu(caption);
    m->setObjectName(name);
    mirror_.menu(m, &mirrored);
    return m;
  };

  buildFileMenu(menu("&File", "mnuFile", ui_.mnuFile));
  buildParametersMenu(menu("&Parameters", "mnuPar", ui_.mnuPar));

  buildOptionsMenu(menu("&Options", "mnuOpt", ui_.mnuOpt));

  buildRecordMenu(menu("&Record", "mnuRec", ui_.mnuRec));
  // Opening a ready-made history is an Open: it is there when the File menu is.
  buildScenariosMenu(menu("&Scenarios", "mnuScenarios", ui_.mnuFile));

  buildViewMenu(menu("&View", "mnuView", ui_.mnuView));
  buildHelpMenu(menuBar()->addMenu("&Help"));
}

void MainWindow::buildViewMenu(QMenu* view) {
  menuItem(view, "&Refresh", "mnuViewRef", nullptr, [this] { screenRefresh(sim_); });
  menuItem(view, "&Vertical Scale", "mnuViewVert", &ui_.mnuViewVert, [this] { mnuViewVertClick(sim_); });
  menuGroup<int>(view->addMenu("Vertical E&xaggeration"), {
      {"×&1", "mnuViewExag1", &ui_.mnuViewExag1, 1},
      {"×&2", "mnuViewExag2", &ui_.mnuViewExag2, 2},
      {"×&5", "mnuViewExag5", &ui_.mnuViewExag5, 5},
      {"×1&0", "mnuViewExag10", &ui_.mnuViewExag10, 10}}, selectExaggeration);
  menuItem(view, "&Legend", "mnuViewLedg", &ui_.mnuViewLedg, [this] { mnuViewLedgClick(sim_); });
  menuItem(view, "&Stratigraphy", "mnuViewStrat", &ui_.mnuViewStrat, [this] { mnuViewStratClick(sim_); });
  view->addSeparator();
  menuItem(view, "&Map", "mnuViewMap", &ui_.mnuViewMap, [this] { mnuViewMapClick(sim_); });
  menuItem(view, "&Topography", "mnuViewTopo", &ui_.mnuViewTopo, [this] { mnuViewTopoClick(sim_); });
  menuItem(view, "Magmo&3D", "mnuView3D", &ui_.mnuView3D, [this] { mnuView3DClick(sim_); });
  QAction* chart = chart_->toggleViewAction();
  chart->setText("&Eruption Chart");
  chart->setObjectName("mnuViewChart");
  view->addAction(chart);
  view->addSeparator();
  menuItem(view, "Screen &Capture", "mnuViewCap", &ui_.mnuViewCap, [this] { mnuViewCapClick(sim_); });
  menuItem(view, "Customise &Toolbar...", "mnuViewToolbar", nullptr, [this] { customiseToolbar(); });
}

QWidget* MainWindow::buildCentre() {
  profile_ = new ProfileWidget(desk_.canvas);
  connect(profile_, &ProfileWidget::resized, this, &MainWindow::refreshSoon);
  connect(profile_, &ProfileWidget::pointerMoved, this, &MainWindow::showPointerText);
  connect(profile_, &ProfileWidget::released, this,
          [this](MouseButton b, float x, float y) { run([&] { plotMouseUp(sim_, b, x, y); }); });

  params_ = new ParamPanel;
  tectonic_ = new TectonicPanel;
  advanced_ = new AdvancedPanel;
  legend_ = new LegendPanel;
  pan3D_ = new QGroupBox("3-D Position");
  pan3D_->setObjectName("pan3D");
  smallMap_ = new SmallMapWidget(sim_, [this](std::function<void()> handler) { run(handler); });
  (new QVBoxLayout(pan3D_))->addWidget(smallMap_);

  labVei_ = new StatisticsPanel;
  labVei_->setObjectName("labVei");
  labVei_->setMinimumWidth(200);

  cmdErupt_ = new QPushButton;
  cmdErupt_->setObjectName("cmdErupt");
  cmdHalt_ = new QPushButton;
  cmdHalt_->setObjectName("cmdHalt");
  connect(cmdErupt_, &QPushButton::clicked, this, &MainWindow::erupt);
  connect(cmdHalt_, &QPushButton::clicked, this, [this] { run([this] { cmdHaltClick(sim_); }); });
  auto* runButtons = new QVBoxLayout;
  runButtons->addWidget(cmdErupt_);
  runButtons->addWidget(cmdHalt_);
  runButtons->addStretch();

  controlsRow_ = new QWidget;
  auto* controls = new QHBoxLayout(controlsRow_);
  controls->setContentsMargins(0, 0, 0, 0);
  for (QWidget* panel : panels()) controls->addWidget(panel);
  controls->addWidget(pan3D_);
  controls->addStretch();
  controls->addWidget(labVei_);
  controls->addLayout(runButtons);

  auto* bar2 = new QStatusBar;
  bar2->setObjectName("StatusBar2");
  bar2->setSizeGripEnabled(false);
  auto* bar1 = new QStatusBar;
  bar1->setObjectName("StatusBar1");
  setStatusBar(bar1);
  buildStatusBars(bar1, bar2);

  auto* centre = new QWidget;
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(2, 2, 2, 0);
  layout->addWidget(profile_, 1);
  layout->addWidget(controlsRow_);
  layout->addWidget(bar2);
  return centre;
}

std::array<QWidget*, 4> MainWindow::panels() const { return {params_, tectonic_, advanced_, legend_}; }

// The row keeps its height whichever panel shows, so switching panels never resizes (and
// redraws) the profile. Each panel is measured with all its parts and a title.
void MainWindow::fitControlsRow() {
  int height = 110;
  for (QWidget* panel : panels()) height = std::max(height, panel->sizeHint().height());
  controlsRow_->setFixedHeight(height);
}

void MainWindow::buildStatusBars(QStatusBar* bar1, QStatusBar* bar2) {
  static constexpr std::pair<const char*, int> panels1[] = {
      {"Current Date", 2},      {"Current Time", 2}, {"File opened", 3},    {"Simulation speed", 3},
      {"Simulated gravity", 3}, {"Record option", 2}, {"Mapping option", 3}, {"Erupt mode", 4}};
  for (int i = 1; i <= 8; ++i) {
    const auto& [tip, stretch] = panels1[i - 1];
    statusPanels1_[i] = statusPanel(bar1, QString("StatusBar1_%1").arg(i), tip, stretch);
    if (i >= 3) mirror_.label(statusPanels1_[i], &ui_.statusBar1[i]);
    if (i == 5) scalePanel_ = statusPanel(bar1, "StatusBarScale", "Simulated scale (metres per profile column)", 2);
  }
  statusPanels2_[1] = statusPanel(bar2, "StatusBar2_1", "Current eruption type", 3);
  statusPanels2_[2] = statusPanel(bar2, "StatusBar2_2", "Current eruptive state", 2);
  for (int i = 1; i <= 2; ++i) mirror_.label(statusPanels2_[i], &ui_.statusBar2[i]);
}

void MainWindow::bindControls() {
  bindParamPanel();
  bindTectonicPanel();
  bindAdvancedPanel();
  mirror_.panel(legend_, &ui_.Legend);
  mirror_.panel(pan3D_, &ui_.pan3D);

  mirror_.button(cmdErupt_, &ui_.cmdErupt);
  mirror_.button(cmdHalt_, &ui_.cmdHalt);
  mirror_.text(&ui_.labVei, [this](const std::string& t) { labVei_->setText(QString::fromStdString(t)); });
}

void MainWindow::connectField(QLineEdit* edit, Field& field, std::function<void()> onChange, const char* focusName) {
  mirror_.field(edit, &field);
  connect(edit, &QLineEdit::textEdited, this, [this, &field, onChange = std::move(onChange)](const QString& text) {
    field.text = text.toStdString();
    run(onChange);
  });
  new FocusWatcher(edit, [this, edit, focusName] {
    run([this, focusName] { fieldGotFocus(sim_, focusName); });
    QTimer::singleShot(0, edit, &QLineEdit::selectAll);
  });
}

void MainWindow::connectCheck(QAbstractButton* box, CheckBox& check, std::function<void()> onClick, bool withCaption) {
  mirror_.check(box, &check, withCaption);
  connect(box, &QAbstractButton::clicked, this, [this, &check, onClick = std::move(onClick)](bool on) {
    check.checked = on;
    run(onClick);
  });
}

void MainWindow::connectOption(QAbstractButton* option, CheckBox& check, CheckBox& other,
                               std::function<void()> onClick) {
  mirror_.check(option, &check, false);
  connect(option, &QAbstractButton::clicked, this, [this, &check, &other, onClick = std::move(onClick)] {
    check.checked = true;
    other.checked = false;
    run(onClick);
  });
}

void MainWindow::connectCombo(QComboBox* combo, Field& field, std::function<void()> onChange) {
  mirror_.combo(combo, &field);
  connect(combo, &QComboBox::textActivated, this, [this, &field, onChange = std::move(onChange)](const QString& text) {
    field.text = text.toStdString();
    run(onChange);
  });
}

void MainWindow::connectButton(QPushButton* button, const Button& mirrored, std::function<void()> onClick) {
  mirror_.button(button, &mirrored, false);
  connect(button, &QPushButton::clicked, this, [this, onClick = std::move(onClick)] { run(onClick); });
}

void MainWindow::syncFromControls() {
  mirror_.sync();
  if (shownScale_ != sim_.m.Scale) {  // this runs on every yield: only a change is formatted
    shownScale_ = sim_.m.Scale;
    scalePanel_->setText(QString("Scale %1 m").arg(shownScale_));
  }
  if (smallMap_->isVisible()) smallMap_->update();
  mapWindow_->sync();
  stratWindow_->sync();
}

void MainWindow::erupt() {
  ++eruptDepth_;
  run([this] { cmdEruptClick(sim_); });
  --eruptDepth_;
}

// Stop the running operation the way the user would: Cancel a load, or Pause then Stop a phase.
void MainWindow::requestStop() {
  if (ui_.cmdHalt.caption == "&Cancel") {
    run([this] { cmdHaltClick(sim_); });
    return;
  }
  if (eruptDepth_ == 0) return;
  for (int click = 0; click < 2 && sim_.m.RunStop != RunState::Stopping; ++click) run([this] { cmdHaltClick(sim_); });
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (handlerDepth_ > 0) {
    // The core is inside a handler further up the stack: end it first, close afterwards.
    e->ignore();
    closePending_ = true;
    requestStop();
    return;
  }
  if (!confirmDiscard(sim_)) {
    e->ignore();
    return;
  }
  // Only a picture Magmo put there is taken away; what the user copied elsewhere stays.
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard->ownsClipboard() && clipboard->mimeData() && clipboard->mimeData()->hasImage()) clipboard->clear();
  deleteWorkingImages(sim_);
  closeViewerAtExit(sim_);
  if (help_) help_->close();
  if (ui_.mnuOptAdSave.checked) {
    storeSettings();
    showClosingWindow(this, sim_);
  }
  desk_.host.inhibitScreenSaver(false);
  e->accept();
}

void MainWindow::changeEvent(QEvent* e) {
  // Coming back from the task bar shows the last refresh, as a repaint of the picture does.
  if (e->type() == QEvent::WindowStateChange &&
      (static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized) && !isMinimized()) {
    desk_.canvas.restore();
    profile_->update();
  }
  QMainWindow::changeEvent(e);
}

void MainWindow::refreshSoon() {
  if (!started_ || refreshQueued_) return;
  refreshQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    refreshQueued_ = false;
    if (desk_.canvas.persistent()) {
      // A refresh is drawing further up the stack; redraw once it is done.
      QTimer::singleShot(20, this, &MainWindow::refreshSoon);
      return;
    }
    run([this] { screenRefresh(sim_); });
  });
}

void MainWindow::showPointerText(float x, float y, QPoint globalPos) {
  if (QApplication::overrideCursor()) return;  // the read-out belongs to the cross-hair pointer
  const std::string text = plotPointerText(sim_, x, y);
  if (text.empty())
    QToolTip::hideText();
  else
    QToolTip::showText(globalPos, QString::fromStdString(text), profile_);
}

void MainWindow::showClock() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale;
  const QString date = locale.toString(now.date(), QLocale::ShortFormat);
  const QString time = locale.toString(now.time(), QLocale::ShortFormat);
  if (statusPanels1_[1]->text() != date) statusPanels1_[1]->setText(date);
  if (statusPanels1_[2]->text() != time) statusPanels1_[2]->setText(time);
}

void MainWindow::startUp(const Switches& switches, const QString& documents, bool calibrate) {
  try {
    loadSettings(sim_, switches, desk_.host.soundAvailable());
    desk_.host.setSoundVolume(ui_.SoundVolume);
    restorePlacement();
    setWindowTitle("Loading...");
    sim_.reseed();
    if (calibrate) cpuSpeedTest(sim_);
  } catch (const std::exception& e) {
    sim_.reportError("Main", e);  // start-up goes on with what it has
  }
  const QString viewer = QCoreApplication::applicationDirPath() + "/magmo3dview";
  ui_.Viewer3DAvailable = QFileInfo(viewer).isExecutable();
  ui_.PrinterAvailable = ui_.mnuFilePrint.enabled = ui_.toolbar["print"].enabled = printerAvailable();
  Paths& paths = sim_.paths;
  paths.resources = findResources(QCoreApplication::applicationDirPath());
  paths.dataPath = paths.resources + "Files/";
  paths.work = paths.dataPath;
  documents_ = documents;
  try {
    paths.work = workFolder();
    paths.dataPath = prepareDataFolder(sim_.settings, paths.resources, documents);
  } catch (const std::exception& e) {
    sim_.reportError("Path", e);
  }
  desk_.host.setStartFolder(QString::fromStdString(paths.dataPath));
  desk_.host.setViewer(viewer, QString::fromStdString(paths.work + "Magmo3D.ebm"));
  ui_.statusBar1[3] = "No File";
  started_ = true;
  run([this, &switches] {
    clearVar(sim_);
    if (switches.autoErupt && !ui_.mnuParAuto.checked) selectAuto(sim_);
    if (ui_.modeText().empty()) showIdleModeText(sim_);
  });
  setWindowTitle("Magmo");
}

void MainWindow::restorePlacement() {
  auto number = [this](const char* key) { return val(sim_.settings.read(kSettingsSection, key, "")); };
  const QRect stored(static_cast<int>(number("Left")), static_cast<int>(number("Top")),
                     static_cast<int>(number("Width")), static_cast<int>(number("Height")));
  if (QGuiApplication::screenAt(stored.topLeft()) && stored.width() > 0 && stored.height() > 0) {
    move(stored.topLeft());
    resize(stored.size());
  }
  const std::string state = sim_.settings.read(kSettingsSection, "Max", "0");
  if (state == "1") setWindowState(Qt::WindowMinimized);
  if (state == "2") setWindowState(Qt::WindowMaximized);
  const auto area = static_cast<Qt::DockWidgetArea>(number("ChartArea"));
  if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea || area == Qt::TopDockWidgetArea)
    addDockWidget(area, chart_);
  chart_->setVisible(sim_.settings.read(kSettingsSection, "Chart", "0") == "1");
}

void MainWindow::storeSettings() {
  savePlacement();
  saveSettings(sim_);
}

void MainWindow::savePlacement() {
  auto save = [this](const char* key, const std::string& v) { sim_.settings.save(kSettingsSection, key, v); };
  save("Chart", chart_->isHidden() ? "0" : "1");
  save("ChartArea", std::to_string(static_cast<int>(dockWidgetArea(chart_))));
  if (isMinimized()) {
    save("Max", "1");
  } else if (isMaximized()) {
    save("Max", "2");
  } else {
    save("Max", "0");
    save("Top", std::to_string(y()));
    save("Left", std::to_string(x()));
    save("Height", std::to_string(height()));
    save("Width", std::to_string(width()));
  }
}

}  // namespace magmo
