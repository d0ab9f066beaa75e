#include "app/OptionsWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstring>
#include <iterator>

#include "model/Sim.h"

namespace magmo {

namespace {

enum Group { kCheck, kScale, kGravity, kSpeed, kPrecision, kGroupCount };

// Every option control and the menu item it stands for. A check box runs its item when it
// differs from the item's check mark, a radio button when it is selected and its item is not.
// The rows are in the order of applying: the main menus' order, but Enable Maps before the map
// options that need it. A gated row is usable only while its gate's box (and option) is on.
struct Option {
  const char* object;
  const char* item;
  MenuItem Controls::*member;
  Group group;
  const char* caption;
  const char* tip;
  const char* gate = nullptr;
};

constexpr char kOnlineTip[] = "Kept for the online update service, which this version does not have; does nothing yet";

const Option kOptions[] = {
    {"chkStat", "mnuParStatic", &Controls::mnuParStatic, kCheck, "Static Eruption",
     "Check to set  eruption mode (no deposition)"},
    {"chkSound", "mnuOptSound", &Controls::mnuOptSound, kCheck, "Sound ", ""},
    {"chkTB", "mnuOptTB", &Controls::mnuOptTB, kCheck, "Show ToolBar", "Check to display the toolbar"},
    {"chkHelp", "mnuOptHtips", &Controls::mnuOptHtips, kCheck, "Show Help Tips", "Check to display help tips"},
    {"chkLoad", "mnuOptTopoLoad", &Controls::mnuOptTopoLoad, kCheck, "Load Default Stratigraphy",
     "Check to load default topography when new is selected"},
    {"chkOpts", "mnuOptOptions", &Controls::mnuOptOptions, kCheck, "Use Options Panel",
     "Check to use this panel when selecting options from the menu"},
    {"chkVert", "mnuViewVert", &Controls::mnuViewVert, kCheck, "View Vertical Scale", ""},
    {"chkPart", "mnuOptPart", &Controls::mnuOptPart, kCheck, "Auto Mass Flux", ""},

    {"optScaleSmall", "mnuOptScaleSmall", &Controls::mnuOptScaleSmall, kScale, "Small", "Set small scale"},
    {"optScaleNorm", "mnuOptScaleNorm", &Controls::mnuOptScaleNorm, kScale, "Normal", "Set normal scale"},
    {"optScaleLarge", "mnuOptScaleLarge", &Controls::mnuOptScaleLarge, kScale, "Large", "Set large scale"},
    {"optG", "mnuOptG", &Controls::mnuOptG, kGravity, "Specified",
     "You will be asked to specify a value of gravity when you apply this option"},
    {"optGMoon", "mnuOptGMoon", &Controls::mnuOptGMoon, kGravity, "Moon", "Set gravity to  that of Moon"},
    {"optGMars", "mnuOptGMars", &Controls::mnuOptGMars, kGravity, "Mars", "Set gravity to  that of Mars"},
    {"optGVenus", "mnuOptGVenus", &Controls::mnuOptGVenus, kGravity, "Venus", "Set gravity to  that of Venus"},
    {"optGEarth", "mnuOptGEarth", &Controls::mnuOptGEarth, kGravity, "Earth", "Set gravity to  that of Earth"},
    {"optG2", "mnuOptG2", &Controls::mnuOptG2, kGravity, "2X Earth", "Set gravity to 2 times that of earth's"},
    {"optG4", "mnuOptG4", &Controls::mnuOptG4, kGravity, "4X Earth", "Set gravity to 4 times that of earth's"},
    {"optG8", "mnuOptG8", &Controls::mnuOptG8, kGravity, "8X Earth", "Set gravity to 8 times that of earth's"},
    {"optSpeedFast", "mnuOptSpeedFast", &Controls::mnuOptSpeedFast, kSpeed, "Fast", "Set fast simulation speed"},
    {"optSpeedNorm", "mnuOptSpeedNorm", &Controls::mnuOptSpeedNorm, kSpeed, "Normal",
     "Set intermediate simulation speed"},
    {"optSpeedSlow", "mnuOptSpeedSlow", &Controls::mnuOptSpeedSlow, kSpeed, "Slow", "Set slow simulation speed"},

    {"chkMapEn", "mnuOptMapEnable", &Controls::mnuOptMapEnable, kCheck, "Enable Maps", ""},
    {"chkMap3d", "mnuOptMap3dPosEnable", &Controls::mnuOptMap3dPosEnable, kCheck, "Enable Map 3D Position", "",
     "chkMapEn"},
    {"optMapLow", "mnuOptMapLow", &Controls::mnuOptMapLow, kPrecision, "Low", "Set low precision mapping (fastest)",
     "chkMapEn"},
    {"optMapNorm", "mnuOptMapNorm", &Controls::mnuOptMapNorm, kPrecision, "Normal", "Set normal precision mapping",
     "chkMapEn"},
    {"optMapHigh", "mnuOptMapHigh", &Controls::mnuOptMapHigh, kPrecision, "High",
     "Set high precision mapping (slowest)", "chkMapEn"},

    {"chkScreen", "mnuOptAdSaver", &Controls::mnuOptAdSaver, kCheck, "Disable Screen Saver",
     "Prevents screen saver from running while Magmo is running"},
    {"chkSave", "mnuOptAdSave", &Controls::mnuOptAdSave, kCheck, "Save Settings",
     "Saves options settings when exiting Magmo3"},
    {"chkPassive", "mnuOptAdPassive", &Controls::mnuOptAdPassive, kCheck, "Passive FTP", kOnlineTip},
    {"chkUpdateNote", "mnuOptAdUpdate", &Controls::mnuOptAdUpdate, kCheck, "Auto Update Notification", kOnlineTip},
};
constexpr size_t kOptionCount = std::size(kOptions);

size_t rowOf(const char* object) {
  for (size_t i = 0; i < kOptionCount; ++i)
    if (std::strcmp(kOptions[i].object, object) == 0) return i;
  return kOptionCount;
}

enum Tab { kGeneralTab, kScaleTab, kMappingTab, kAdvancedTab };
struct TabInfo {
  const char* title;
  const char* tip;
  int helpTopic;
};
// Help file topics of the tabs: 70 General, 71 Scale/Gravity/Speed, 72 Mapping, 73 Advanced.
constexpr TabInfo kTabs[] = {
    {"General", "General options tab (right click for help)", 70},
    {"Scale, Gravity, and Speed", "Scale, gravity, and speed options (right click for help)", 71},
    {"Mapping", "Mapping options tab (right click for help)", 72},
    {"Advanced", "Advanced options tab (right click for help)", 73}};

// Menu items without a control of their own, by name prefix: the submenus and the commands.
constexpr std::pair<const char*, Tab> kItemPrefixes[] = {
    {"mnuOptScale", kScaleTab}, {"mnuOptSpeed", kScaleTab}, {"mnuOptG", kScaleTab},
    {"mnuOptMap", kMappingTab},  {"mnuOptAd", kAdvancedTab}};

// The explanatory text a widget shows as its tooltip while help tips are on.
constexpr char kTipProperty[] = "optionTip";

template <typename W>
W* tipped(W* w, const char* tip) {
  w->setProperty(kTipProperty, QString(tip));
  return w;
}

QGroupBox* frame(const char* title, const char* name) {
  auto* f = new QGroupBox(title);
  f->setObjectName(name);
  return f;
}

}  // namespace

OptionsWindow::OptionsWindow(Sim& sim, std::function<void(const char*)> choose, std::function<void()> setDataPath,
                             std::function<void(int)> testSound, QWidget* parent)
    : QDialog(parent),
      sim_(sim),
      choose_(std::move(choose)),
      setDataPath_(std::move(setDataPath)),
      testSound_(std::move(testSound)) {
  setObjectName("Options");
  setWindowTitle("Options");
  setModal(true);
  buildControls();
  tabs_ = new QTabWidget;
  tabs_->setObjectName("tabOptions");
  QWidget* pages[] = {buildGeneralTab(), buildScaleTab(), buildMappingTab(), buildAdvancedTab()};
  for (int t = 0; t < 4; ++t) tabs_->addTab(pages[t], kTabs[t].title);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buildButtons());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(control("chkMapEn"), &QAbstractButton::toggled, this, &OptionsWindow::followGates);
}

void OptionsWindow::buildControls() {
  for (int g = 0; g < kGroupCount; ++g) groups_.push_back(g == kCheck ? nullptr : new QButtonGroup(this));
  for (const Option& o : kOptions) {
    QAbstractButton* b = o.group == kCheck ? static_cast<QAbstractButton*>(new QCheckBox(o.caption))
                                           : new QRadioButton(o.caption);
    b->setObjectName(o.object);
    tipped(b, o.tip);
    if (groups_[o.group]) groups_[o.group]->addButton(b);
    controls_.push_back(b);
  }
}

QAbstractButton* OptionsWindow::control(const char* objectName) const { return controls_.at(rowOf(objectName)); }

QPushButton* OptionsWindow::commandButton(const char* caption, const char* name, const char* tip) {
  auto* b = tipped(new QPushButton(caption), tip);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QWidget* OptionsWindow::buildGeneralTab() {
  auto* checks = new QVBoxLayout;
  for (const char* name : {"chkStat", "chkTB", "chkHelp", "chkLoad", "chkOpts", "chkVert", "chkPart"})
    checks->addWidget(control(name));
  checks->addStretch();

  QGroupBox* sound = frame("", "fraSound");
  auto* soundLayout = new QGridLayout(sound);
  volume_ = new QSlider(Qt::Horizontal);
  volume_->setObjectName("sldrVol");
  volume_->setRange(0, 100);
  volume_->setTickPosition(QSlider::TicksBelow);
  volume_->setTickInterval(10);
  volumeLabel_ = new QLabel("Soft----------------Volume--------------Loud");
  volumeLabel_->setBuddy(volume_);
  test_ = commandButton("Test", "cmdTest", "");
  connect(test_, &QPushButton::clicked, this, [this] { testSound_(volume_->value()); });
  soundLayout->addWidget(control("chkSound"), 0, 0, 1, 2);
  soundLayout->addWidget(volumeLabel_, 1, 0);
  soundLayout->addWidget(volume_, 2, 0);
  soundLayout->addWidget(test_, 2, 1);

  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(checks);
  layout->addSpacing(12);
  layout->addWidget(sound, 0, Qt::AlignTop);
  return page;
}

QWidget* OptionsWindow::buildScaleTab() {
  auto radios = [this](QGroupBox* f, std::initializer_list<const char*> names) {
    auto* v = new QVBoxLayout(f);
    for (const char* name : names) v->addWidget(control(name));
    return v;
  };
  QGroupBox* scale = frame("Scale", "fraScale");
  radios(scale, {"optScaleSmall", "optScaleNorm", "optScaleLarge"})->addStretch();
  QGroupBox* gravity = frame("Gravity", "fraGravity");
  radios(gravity, {"optG", "optGMoon", "optGMars", "optGVenus", "optGEarth", "optG2", "optG4", "optG8"})->addStretch();

  QGroupBox* speed = frame("Speed", "fraSpeed");
  QVBoxLayout* speedLayout = radios(speed, {"optSpeedFast", "optSpeedNorm", "optSpeedSlow"});
  speed_ = new QSlider(Qt::Horizontal);
  speed_->setObjectName("sldrSpeed");
  speed_->setRange(1, 11);
  speed_->setPageStep(1);
  speed_->setTickPosition(QSlider::TicksBelow);
  auto* adjust = new QLabel("Adjust");
  adjust->setBuddy(speed_);
  speedLayout->addSpacing(6);
  speedLayout->addWidget(adjust);
  speedLayout->addWidget(speed_);
  speedLayout->addStretch();
  QPushButton* calibrate = commandButton("Calibrate", "cmdCal", "Calibrate Magmo simulation speed for your computer");
  connect(calibrate, &QPushButton::clicked, this, [this] { choose_("mnuOptSpeedCal"); });
  speedLayout->addWidget(calibrate, 0, Qt::AlignHCenter);

  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(scale);
  layout->addWidget(gravity);
  layout->addWidget(speed);
  return page;
}

QWidget* OptionsWindow::buildMappingTab() {
  QGroupBox* precision = frame("Map Precision", "fraMapPrec");
  auto* precisionLayout = new QVBoxLayout(precision);
  for (const char* name : {"optMapLow", "optMapNorm", "optMapHigh"}) precisionLayout->addWidget(control(name));

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(control("chkMapEn"));
  layout->addWidget(control("chkMap3d"));
  layout->addWidget(precision, 0, Qt::AlignLeft);
  layout->addStretch();
  return page;
}

QWidget* OptionsWindow::buildAdvancedTab() {
  QPushButton* data = commandButton("Set Data Path...", "cmdData", "Select the folder for saving Magmo3 data files");
  connect(data, &QPushButton::clicked, this, [this] { setDataPath_(); });

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(control("chkScreen"));
  layout->addWidget(control("chkSave"));
  layout->addWidget(control("chkPassive"));
  layout->addWidget(control("chkUpdateNote"));
  layout->addSpacing(6);
  layout->addWidget(data, 0, Qt::AlignLeft);
  layout->addStretch();
  return page;
}

QWidget* OptionsWindow::buildButtons() {
  QPushButton* ok = commandButton("OK", "cmdOK", "Apply options changes and close panel");
  ok->setDefault(true);
  QPushButton* applyButton = commandButton("&Apply", "cmdApply", "Apply option changes");
  QPushButton* cancel =
      commandButton("&Cancel", "cmdCancel", "Ignore option changes not applied and close the options panel");
  QPushButton* helpButton = commandButton("&Help", "cmdHelp", "");
  connect(ok, &QPushButton::clicked, this, [this] {
    apply();
    accept();
  });
  connect(applyButton, &QPushButton::clicked, this, &OptionsWindow::apply);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(helpButton, &QPushButton::clicked, this, [this] { help(tabs_->currentIndex()); });

  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch();
  for (QPushButton* b : {ok, applyButton, cancel, helpButton}) layout->addWidget(b);
  return row;
}

void OptionsWindow::openAt(const QString& menuItemName) {
  showState();
  if (const int tab = tabOf(menuItemName); tab >= 0) tabs_->setCurrentIndex(tab);
  show();
  raise();
  activateWindow();
}

int OptionsWindow::tabOf(const QString& menuItemName) const {
  if (menuItemName.isEmpty()) return -1;
  for (size_t i = 0; i < kOptionCount; ++i)
    if (menuItemName == kOptions[i].item)
      for (int t = 0; t < tabs_->count(); ++t)
        if (tabs_->widget(t)->isAncestorOf(controls_[i])) return t;
  for (const auto& [prefix, tab] : kItemPrefixes)
    if (menuItemName.startsWith(prefix)) return tab;
  return -1;
}

void OptionsWindow::apply() {
  Controls& ui = sim_.ui;
  // The choices are read first: a chosen item may bring the window up to date on the way.
  std::vector<bool> wanted;
  for (const QAbstractButton* b : controls_) wanted.push_back(b->isChecked());
  const int volume = volume_->value(), speed = speed_->value();
  const bool speedMoved = speed != shownSpeed_;

  for (size_t i = 0; i < kOptionCount; ++i) {
    const Option& o = kOptions[i];
    const MenuItem& item = ui.*o.member;
    // A gate is judged by its option as applied just before, so a refused Enable Maps stops the rest.
    const bool usable = o.gate ? (ui.*kOptions[rowOf(o.gate)].member).checked : item.enabled;
    if (!usable) continue;
    if (o.group == kCheck ? wanted[i] != item.checked : wanted[i] && !item.checked) choose_(o.item);
  }
  ui.SoundVolume = volume;
  sim_.host.setSoundVolume(volume);
  // Untouched, the slider leaves the value a chosen speed item restored, as the menu would.
  if (speedMoved) ui.Slider[6].value = speed;
  showState();
}

void OptionsWindow::showState() {
  const Controls& ui = sim_.ui;
  for (QButtonGroup* g : groups_)
    if (g) g->setExclusive(false);  // so a group may show none selected
  for (size_t i = 0; i < kOptionCount; ++i) {
    const MenuItem& item = ui.*kOptions[i].member;
    controls_[i]->setChecked(item.checked);
    controls_[i]->setEnabled(item.enabled);
  }
  for (QButtonGroup* g : groups_)
    if (g) g->setExclusive(true);
  followGates();

  const bool sound = ui.mnuOptSound.enabled;
  for (QWidget* w : std::initializer_list<QWidget*>{volume_, volumeLabel_, test_}) w->setEnabled(sound);
  volume_->setValue(ui.SoundVolume);
  speed_->setValue(ui.Slider[6].value);
  shownSpeed_ = speed_->value();

  const bool tips = ui.mnuOptHtips.checked;
  for (QWidget* w : findChildren<QWidget*>()) {
    const QVariant tip = w->property(kTipProperty);
    if (tip.isValid()) w->setToolTip(tips ? tip.toString() : QString());
  }
  for (int t = 0; t < tabs_->count(); ++t) tabs_->setTabToolTip(t, tips ? kTabs[t].tip : "");
}

// A gated control follows its gate's box as the user clicks it; a radio button's whole frame does.
void OptionsWindow::followGates() {
  for (size_t i = 0; i < kOptionCount; ++i) {
    const Option& o = kOptions[i];
    if (!o.gate) continue;
    QWidget* target = o.group == kCheck ? controls_[i] : controls_[i]->parentWidget();
    target->setEnabled(control(o.gate)->isChecked());
  }
}

void OptionsWindow::help(int tab) {
  if (tab >= 0 && tab < tabs_->count()) sim_.host.eruptHelp(kTabs[tab].helpTopic);
}

void OptionsWindow::contextMenuEvent(QContextMenuEvent* e) {
  QTabBar* bar = tabs_->tabBar();
  const int hit = bar->tabAt(bar->mapFrom(this, e->pos()));
  help(hit >= 0 ? hit : tabs_->currentIndex());
}

}  // namespace magmo
