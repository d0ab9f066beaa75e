// The main window's toolbar (its buttons share the menus' actions), the Help menu, the
// standard shortcuts, and printing of the profile.
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWhatsThis>

#include "app/AboutDialog.h"
#include "app/EruptionChart.h"
#include "app/HelpTopics.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/PicturePrint.h"
#include "app/ToolbarDialog.h"
#include "app/ToolbarIcons.h"
#include "app/ToolbarLayout.h"
#include "app/WindowPlacement.h"
#include "control/RunControl.h"

namespace magmo {

namespace {
const char* const kLayoutSection = "Magmo3";
const char* const kLayoutKey = "Toolbar1";
constexpr int kContentsTopic = 1, kToolbarTopic = 95, kAboutTopic = 90;
}  // namespace

void MainWindow::buildToolBar() {
  toolbar_ = addToolBar("Toolbar");
  toolbar_->setObjectName("Toolbar1");
  toolbar_->setMovable(false);
  toolbar_->setIconSize({20, 20});
  toolbar_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(toolbar_, &QToolBar::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu;
    menu.addAction("Customise Toolbar...", this, [this] { customiseToolbar(); });
    menu.exec(toolbar_->mapToGlobal(at));
  });

  // The toolbar's own commands; the others are menu items.
  const std::pair<const char*, std::function<void()>> own[] = {
      {"tbOptions", [this] { openOptions({}); }},
      {"tbPlay", [this] { erupt(); }},
      {"tbHalt", [this] { run([this] { cmdHaltClick(sim_); }); }},
      {"tbHelp", [this] { showHelp(kToolbarTopic); }}};
  for (const auto& [name, command] : own) {
    auto* a = new QAction(this);
    a->setObjectName(name);
    a->setText(toolbarButtonOf(name)->tip);
    a->setToolTip(toolbarButtonOf(name)->tip);
    connect(a, &QAction::triggered, this, command);
  }
  for (const ToolbarButton& b : toolbarButtons()) toolbarAction(b)->setIcon(toolbarIcon(b.key));
  // Open and Save offer the three kinds of file, as the File menu does.
  for (const char* submenu : {"mnuFileOpen", "mnuFileSaveAs"})
    toolbarAction(*toolbarButtonOf(submenu))->setToolTip(toolbarButtonOf(submenu)->tip);
  for (const char* name : {"tbOptions", "tbPlay", "tbHelp", "mnuFileOpen", "mnuFileSaveAs"})
    mirror_.toolButton(toolbarAction(*toolbarButtonOf(name)), &ui_.toolbar[toolbarButtonOf(name)->key]);
  QAction* halt = findChild<QAction*>("tbHalt");
  mirror_.toolButton(halt, &ui_.toolbar["halt"],
                     [halt](const std::string& face) { halt->setIcon(toolbarIcon(face == "stop" ? "stop" : "pause")); });
  layOutToolbar(parseToolbarLayout(QString::fromStdString(sim_.settings.read(kLayoutSection, kLayoutKey, ""))));
  mirror_.flag(&ui_.mnuOptTB.checked, [this](bool on) { toolbar_->setVisible(on); });
}

// A menu item's action, or for Open and Save the action of their submenu.
QAction* MainWindow::toolbarAction(const ToolbarButton& b) const {
  if (QAction* a = findChild<QAction*>(b.action)) return a;
  return findChild<QMenu*>(b.action)->menuAction();
}

void MainWindow::layOutToolbar(const QStringList& layout) {
  toolbarLayout_ = layout;
  toolbar_->clear();
  for (const QString& key : layout) {
    if (key == kToolbarSeparator) {
      toolbar_->addSeparator();
      continue;
    }
    QAction* a = toolbarAction(*toolbarButtonByKey(key));
    toolbar_->addAction(a);
    if (a->menu()) qobject_cast<QToolButton*>(toolbar_->widgetForAction(a))->setPopupMode(QToolButton::InstantPopup);
  }
}

void MainWindow::customiseToolbar() {
  const auto chosen = magmo::customiseToolbar(this, toolbarLayout_, [](const QString& key) {
    const char* tip = toolbarButtonByKey(key)->tip;
    // The halt button has two faces; the list shows the one it rests with.
    return std::pair(toolbarIcon(key == "halt" ? "pause" : key), QString(*tip ? tip : "Undo the last eruption"));
  });
  if (!chosen) return;
  layOutToolbar(*chosen);
  sim_.settings.save(kLayoutSection, kLayoutKey, formatToolbarLayout(*chosen).toStdString());
}

void MainWindow::buildHelpMenu(QMenu* help) {
  help->setObjectName("mnuHelp");
  menuItem(help, "&Contents", "mnuHContents", nullptr, [this] { showHelp(kContentsTopic); });
  QAction* whatsThis = QWhatsThis::createAction(this);
  whatsThis->setObjectName("mnuHWhatsThis");
  help->addAction(whatsThis);
  menuItem(help, "Magmo on the &Web", "mnuHWeb", nullptr, [this] {
    // The program has no web page: its About page opens in the system browser, or here.
    const QString page = QString::fromStdString(sim_.paths.work) + helpUrl(kAboutTopic).fileName();
    initHelpResources();
    bool copied = true;
    for (const QString& file : {helpUrl(kAboutTopic).fileName(), QString("help.css")}) {
      const QString to = QString::fromStdString(sim_.paths.work) + file;
      QFile::remove(to);
      copied = QFile::copy(":/help/" + file, to) && copied;
    }
    if (!copied || !QDesktopServices::openUrl(QUrl::fromLocalFile(page))) showHelp(kAboutTopic);
  });
  help->addSeparator();
  menuItem(help, "&About Magmo", "mnuHAbout", nullptr, [this] { showAboutMagmo(this); });
}

void MainWindow::setShortcuts() {
  const std::pair<const char*, QKeySequence> keys[] = {
      {"mnuFileNew", QKeySequence::New},         {"mnuFileOpenTopo", QKeySequence::Open},
      {"mnuFileSave", QKeySequence::Save},       {"mnuFilePrint", QKeySequence::Print},
      {"mnuParUndo", QKeySequence::Undo},        {"mnuFileExit", QKeySequence::Quit},
      {"mnuHContents", QKeySequence::HelpContents}, {"tbPlay", Qt::Key_F5},
      {"tbHalt", Qt::Key_F6}};
  for (const auto& [name, key] : keys) {
    QAction* a = findChild<QAction*>(name);
    a->setShortcut(key);
    addAction(a);  // shortcuts of toolbar-only actions work with the toolbar hidden too
  }
}

void MainWindow::printProfile() {
  showPrintPreview(this, desk_.canvas.image(), printCaptionOf(sim_, "Magmo"), QString::fromStdString(sim_.paths.dataPath));
}

// The help topic of a control of the main window: the page of what its panel is for.
int MainWindow::helpTopicOf(const QWidget* w) const {
  static constexpr std::pair<MenuItem Controls::*, int> kStyleTopics[] = {
      {&Controls::mnuParLava, 10}, {&Controls::mnuParDome, 11}, {&Controls::mnuParStrom, 12},
      {&Controls::mnuParPlin, 13}, {&Controls::mnuParPfs, 14},  {&Controls::mnuParFum, 15},
      {&Controls::mnuParCol, 16},  {&Controls::mnuParAuto, 20}};
  for (; w; w = w->parentWidget()) {
    const QString name = w->objectName();
    if (name == "Change" || name == "Advanced") {
      for (const auto& [item, topic] : kStyleTopics)
        if ((ui_.*item).checked) return topic;
      return kContentsTopic;
    }
    if (name == "Tectonic") return ui_.opErode.checked ? 18 : 17;
    const std::pair<const char*, int> kPlaces[] = {{"Legend", 31},      {"labVei", 32},     {"StatusBar1_5", 33},
                                                   {"StatusBar1", 30},  {"StatusBar2", 30}, {"pan3D", 42},
                                                   {"cmdErupt", 2},     {"cmdHalt", 2},
                                                   {"EruptionChart", kChartHelpTopic}};
    for (const auto& [place, topic] : kPlaces)
      if (name == place) return topic;
  }
  return 0;
}

void MainWindow::showHelp(int topic) {
  if (!help_) {
    help_ = new HelpWindow(this);
    help_->resize(900, 640);
    placeBesideParent(help_);
  }
  help_->showTopic(topic);
}

}  // namespace magmo
