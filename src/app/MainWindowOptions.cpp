// The Options menu of the main window, the Options window that can stand in for it, the
// toolbar it shows or hides, and the switch of every tooltip.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>

#include "app/AppPaths.h"
#include "app/MainWindow.h"
#include "app/OptionsWindow.h"
#include "control/MapCommands.h"
#include "control/MapPrecision.h"
#include "control/OptionCommands.h"
#include "control/Reset.h"
#include "model/SimError.h"

namespace magmo {

namespace {

// With pointer captions off no tooltip of the program's windows shows; the texts stay in
// place, so switching back on needs nothing rebuilt.
class TipSwitch : public QObject {
 public:
  TipSwitch(QObject* parent, const bool* tipsOn) : QObject(parent), tipsOn_(tipsOn) {
    qApp->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::ToolTip && !*tipsOn_; }

 private:
  const bool* tipsOn_;
};

}  // namespace

void MainWindow::buildOptionsMenu(QMenu* opt) {
  const auto toggle = [](MenuItem& item) { return [&item] { item.checked = !item.checked; }; };
  menuItem(opt, "&Use Options Panel", "mnuOptOptions", &ui_.mnuOptOptions, toggle(ui_.mnuOptOptions));
  menuItem(opt, "Show Tool&Bar", "mnuOptTB", &ui_.mnuOptTB, toggle(ui_.mnuOptTB));
  menuItem(opt, "Show Pointer &Captions", "mnuOptHtips", &ui_.mnuOptHtips, toggle(ui_.mnuOptHtips));
  menuItem(opt, "&Auto Mass Flux", "mnuOptPart", &ui_.mnuOptPart, toggle(ui_.mnuOptPart));
  menuItem(opt, "&Load Default Stratigraphy", "mnuOptTopoLoad", &ui_.mnuOptTopoLoad, toggle(ui_.mnuOptTopoLoad));
  menuItem(opt, "&Sound", "mnuOptSound", &ui_.mnuOptSound, [this] { mnuOptSoundClick(sim_); });
  opt->addSeparator();

  menuItem(opt, "&Enable Maps", "mnuOptMapEnable", &ui_.mnuOptMapEnable, [this] { mnuOptMapEnableClick(sim_); });
  menuItem(opt, "Enable Map &3D Position", "mnuOptMap3dPosEnable", &ui_.mnuOptMap3dPosEnable,
             [this] { mnuOptMap3dPosClick(sim_); });
  QMenu* precision = opt->addMenu("&Map Precision");
  mirror_.menu(precision, &ui_.mnuOptMapPrec);
  const auto choosePrecision = [](Sim& sim, MapPrecision p) {
    selectMapPrecision(sim, p);
    redrawPlanPictures(sim);
  };
  menuGroup<MapPrecision>(precision, {
      {"&Low", "mnuOptMapLow", &ui_.mnuOptMapLow, MapPrecision::Low},
      {"&Normal", "mnuOptMapNorm", &ui_.mnuOptMapNorm, MapPrecision::Normal},
      {"&High", "mnuOptMapHigh", &ui_.mnuOptMapHigh, MapPrecision::High}}, choosePrecision);

  QMenu* scale = opt->addMenu("S&cale");
  menuGroup<ScaleItem>(scale, {
      {"&Small", "mnuOptScaleSmall", &ui_.mnuOptScaleSmall, ScaleItem::Small},
      {"&Normal", "mnuOptScaleNorm", &ui_.mnuOptScaleNorm, ScaleItem::Normal},
      {"&Large", "mnuOptScaleLarge", &ui_.mnuOptScaleLarge, ScaleItem::Large}}, changeScale);

  QMenu* gravity = opt->addMenu("&Gravity");
  menuGroup<GravityItem>(gravity, {
      {"&Specified...", "mnuOptG", &ui_.mnuOptG, GravityItem::User},
      {"&8 Earth", "mnuOptG8", &ui_.mnuOptG8, GravityItem::X8},
      {"&4 Earth", "mnuOptG4", &ui_.mnuOptG4, GravityItem::X4},
      {"&2 Earth", "mnuOptG2", &ui_.mnuOptG2, GravityItem::X2},
      {"&Earth", "mnuOptGEarth", &ui_.mnuOptGEarth, GravityItem::Earth},
      {"&Venus", "mnuOptGVenus", &ui_.mnuOptGVenus, GravityItem::Venus},
      {"&Mars", "mnuOptGMars", &ui_.mnuOptGMars, GravityItem::Mars},
      {"Moo&n", "mnuOptGMoon", &ui_.mnuOptGMoon, GravityItem::Moon}}, selectGravity);

  QMenu* speed = opt->addMenu("S&peed");
  menuGroup<SpeedItem>(speed, {
      {"&Slow", "mnuOptSpeedSlow", &ui_.mnuOptSpeedSlow, SpeedItem::Slow},
      {"&Normal", "mnuOptSpeedNorm", &ui_.mnuOptSpeedNorm, SpeedItem::Normal},
      {"&Fast", "mnuOptSpeedFast", &ui_.mnuOptSpeedFast, SpeedItem::Fast}}, selectSpeed);
  speed->addSeparator();
  menuItem(speed, "&Calibrate speed", "mnuOptSpeedCal", nullptr, [this] { mnuOptSpeedCalClick(sim_); });

  QMenu* advanced = opt->addMenu("Advanced");
  const char* onlineOnly = "Kept for the online update service, which this version does not have";
  menuItem(advanced, "&Auto Update Notification", "mnuOptAdUpdate", &ui_.mnuOptAdUpdate, toggle(ui_.mnuOptAdUpdate))
      ->setStatusTip(onlineOnly);
  menuItem(advanced, "&Passive FTP", "mnuOptAdPassive", &ui_.mnuOptAdPassive, toggle(ui_.mnuOptAdPassive))
      ->setStatusTip(onlineOnly);
  menuItem(advanced, "&Disable Screen Saver", "mnuOptAdSaver", &ui_.mnuOptAdSaver, [this] { mnuOptAdSaverClick(sim_); });
  menuItem(advanced, "Set &Data Path", "mnuOptAdData", nullptr, [this] { setDataPath(); });
  // Toggled either way, the settings are written as they stand: unchecking keeps what is set now.
  menuItem(advanced, "&Save Settings", "mnuOptAdSave", &ui_.mnuOptAdSave, [this] {
    mnuOptAdSaveClick(sim_);
    storeSettings();
  });

  new TipSwitch(this, &ui_.mnuOptHtips.checked);
}

void MainWindow::openOptions(const QString& itemName) {
  if (!options_) {
    options_ = new OptionsWindow(
        sim_, [this](const char* name) { choose(name); }, [this] { choose("mnuOptAdData"); },
        [this](int percent) {
          desk_.host.setSoundVolume(percent);
          desk_.host.soundPlay(sim_.paths.sound("Stromb.wav"), false);
        },
        this);
    // A volume only tried with Test is forgotten when the window closes.
    connect(options_, &QDialog::finished, this, [this] { desk_.host.setSoundVolume(ui_.SoundVolume); });
  }
  options_->openAt(itemName);
}

// Options > Advanced > Set Data Path: a folder the user names is created when missing and
// filled with the factory files; one that cannot be made leaves the data folder as it was.
void MainWindow::setDataPath() {
  const auto answer =
      desk_.host.inputBox("Type the desired data path for Magmo3 files:", "Magmo", sim_.paths.dataPath);
  if (!answer || answer->empty()) return;
  const QString folder = QDir::fromNativeSeparators(QString::fromStdString(*answer));
  try {
    if (!QDir().mkpath(folder)) throw SimError("Cannot create the folder " + folder.toStdString());
    const std::string before = sim_.settings.read(kSettingsSection, "DataPath", "");
    sim_.settings.save(kSettingsSection, "DataPath", folder.toStdString());
    try {
      sim_.paths.dataPath = prepareDataFolder(sim_.settings, sim_.paths.resources, documents_);
    } catch (...) {
      sim_.settings.save(kSettingsSection, "DataPath", before);
      throw;
    }
  } catch (const std::exception& e) {
    sim_.reportError("mnuOptAdData", e);
  }
  desk_.host.setStartFolder(QString::fromStdString(sim_.paths.dataPath));
}

}  // namespace magmo
