// View > Vertical Exaggeration on the desktop: the stored choice, the menu and the pixels.
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QtWidgets>

#include "app/DesktopSim.h"
#include "app/MainWindow.h"
#include "app/QtSettings.h"
#include "app/UserSettings.h"
#include "app/batch/BatchOptions.h"

namespace magmo {
namespace {

// Started with x5 stored, the window shows a flat 20-unit layer 5 times as thick as x1 does;
// each choice ticks its item alone and is what a save stores.
TEST(ExaggerationWindowTest, StoredAndChosenFactorsStretchThePicture) {
  QTemporaryDir dir;
  QtSettings settings(dir.filePath("settings.ini"));
  settings.save(kSettingsSection, "VertExag", "5");
  DesktopSim desk(settings);
  MainWindow window(desk);
  window.resize(1000, 760);
  window.startUp({}, dir.filePath("Documents"));
  window.show();
  Model& m = desk.sim.m;
  m.LayerCount = 1, m.LayerColor[1] = 2;
  for (int x = 0; x <= kColumns; ++x) m.Strat(1, x) = m.Topo[x] = 20;
  auto thickness = [&] {
    const QImage& picture = desk.canvas.image();
    const Rgb green = paletteColor(2);
    int rows = 0;
    for (int y = 0; y < picture.height(); ++y)
      rows += picture.pixel(desk.canvas.px(640), y) == qRgb(green.r, green.g, green.b);
    return rows;
  };
  const char* items[] = {"mnuViewExag1", "mnuViewExag2", "mnuViewExag5", "mnuViewExag10"};
  EXPECT_TRUE(window.findChild<QAction*>(items[2])->isChecked());
  for (int chosen : {2, 0, 3}) {
    window.findChild<QAction*>(items[chosen])->trigger();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(window.findChild<QAction*>(items[i])->isChecked(), i == chosen) << items[i];
    const double unit = desk.canvas.pixelSize().height() / 690.0;  // pixels a unit, unstretched
    EXPECT_NEAR(thickness(), 20 * kExaggerations[chosen] * unit, 1.5) << items[chosen];
    saveSettings(desk.sim);
    EXPECT_EQ(settings.read(kSettingsSection, "VertExag", ""), std::to_string(kExaggerations[chosen]));
  }
}

// magmo-batch takes the menu's four factors and no other.
TEST(ExaggerationBatchTest, OptionTakesTheFourFactors) {
  EXPECT_EQ(batch::parseOptions({"--exaggeration", "10"}).actions.at(0).number, 10);
  EXPECT_THROW(batch::parseOptions({"--exaggeration", "3"}), batch::BatchError);
}

}  // namespace
}  // namespace magmo
