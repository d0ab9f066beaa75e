// The window driven the way a user drives it: menu, panel, OK, Erupt, Pause, Stop, close.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "WindowFixture.h"
#include "app/ProfileWidget.h"
#include "model/Numeric.h"

namespace magmo {
namespace {

class MainWindowTest : public WindowTest {
 protected:
  QString label(const char* name) { return find<QLabel>(name)->text(); }
  QRgb pixelAt(float x, float y) { return desk.canvas.image().pixel(desk.canvas.px(x), desk.canvas.py(y)); }
  static QRgb qrgb(Rgb c) { return qRgb(c.r, c.g, c.b); }

  void chooseStrombolianAndAccept() {
    find<QAction>("mnuParStrom")->trigger();
    find<QPushButton>("Command1")->click();
  }

  // Every mirrored text of the window equals its Controls entry.
  void expectWindowMirrorsControls() {
    for (int i = 3; i <= 8; ++i)
      EXPECT_EQ(label(QString("StatusBar1_%1").arg(i).toUtf8()).toStdString(), ui().statusBar1[i]) << "panel " << i;
    for (int i = 1; i <= 2; ++i)
      EXPECT_EQ(label(QString("StatusBar2_%1").arg(i).toUtf8()).toStdString(), ui().statusBar2[i]) << "panel " << i;
    QString vei = QString::fromStdString(ui().labVei);
    vei.replace("\r\n", "\n").replace('\r', '\n');
    EXPECT_EQ(label("labVei"), vei);
    EXPECT_EQ(find<QPushButton>("cmdErupt")->text().toStdString(), ui().cmdErupt.caption);
    EXPECT_EQ(find<QPushButton>("cmdErupt")->isEnabled(), ui().cmdErupt.enabled);
    EXPECT_EQ(find<QPushButton>("cmdHalt")->text().toStdString(), ui().cmdHalt.caption);
    EXPECT_EQ(find<QPushButton>("cmdHalt")->isEnabled(), ui().cmdHalt.enabled);
  }
};

TEST_F(MainWindowTest, StartsIdleWithTheProfileDrawn) {
  EXPECT_EQ(window.windowTitle(), "Magmo");
  EXPECT_EQ(label("StatusBar1_8"), "Manual Erupt");
  EXPECT_EQ(label("StatusBar2_2"), "Dormant   ");
  EXPECT_EQ(pixelAt(300, 630), qrgb(paletteColor(1)));  // the blue axis strip
  EXPECT_TRUE(find<QGroupBox>("Legend")->isVisible());
  EXPECT_FALSE(find<QGroupBox>("Change")->isVisible());
  expectWindowMirrorsControls();
}

TEST_F(MainWindowTest, MenuChoicesShowTheirCheckMarksFromTheControls) {
  auto* earth = find<QAction>("mnuOptGEarth");
  auto* moon = find<QAction>("mnuOptGMoon");
  EXPECT_TRUE(earth->isChecked());
  moon->trigger();
  EXPECT_TRUE(moon->isChecked());
  EXPECT_FALSE(earth->isChecked());
  EXPECT_EQ(label("StatusBar1_5"), "Moon Gravity");
  EXPECT_FLOAT_EQ(m().Gravity, 1.6f);

  find<QAction>("mnuOptScaleSmall")->trigger();
  EXPECT_TRUE(find<QAction>("mnuOptScaleSmall")->isChecked());
  EXPECT_FALSE(find<QAction>("mnuOptScaleNorm")->isChecked());
  EXPECT_EQ(m().Scale, 4.0f);
  // Choosing the checked scale again changes nothing, though Qt unchecked the item on the click.
  find<QAction>("mnuOptScaleSmall")->trigger();
  EXPECT_TRUE(find<QAction>("mnuOptScaleSmall")->isChecked());

  auto* legendItem = find<QAction>("mnuViewLedg");
  ASSERT_TRUE(legendItem->isChecked());
  legendItem->trigger();
  EXPECT_FALSE(legendItem->isChecked());
  EXPECT_FALSE(find<QGroupBox>("Legend")->isVisible());
}

TEST_F(MainWindowTest, StrombolianEruptionPausedThenStoppedBuildsALayer) {
  find<QAction>("mnuParStrom")->trigger();
  auto* panel = find<QGroupBox>("Change");
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->title(), "Strombolian Parameters");
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "12.80");  // column 640 at 20 m per column
  find<QPushButton>("Command1")->click();
  auto* erupt = find<QPushButton>("cmdErupt");
  auto* halt = find<QPushButton>("cmdHalt");
  ASSERT_TRUE(erupt->isEnabled());
  const QImage before = desk.canvas.image().copy();

  int pausedAtBurst = 0;
  QString pausedMode, pausedHaltCaption;
  bool pausedEruptEnabled = false;
  desk.host.setYieldHook([&] {
    if (m().RunStop == RunState::Running && m().BurstCount >= 3 && pausedAtBurst == 0) {
      pausedAtBurst = m().BurstCount;
      halt->click();
    } else if (m().RunStop == RunState::Paused) {
      pausedMode = label("StatusBar1_8");
      pausedHaltCaption = halt->text();
      pausedEruptEnabled = erupt->isEnabled();
      halt->click();
    }
  });
  erupt->click();
  desk.host.setYieldHook(nullptr);

  EXPECT_EQ(pausedMode, "Manual Erupt (Paused)");
  EXPECT_EQ(pausedHaltCaption, "&Stop");
  EXPECT_TRUE(pausedEruptEnabled);
  // The stop ends the phase after the burst that was running.
  ASSERT_GE(pausedAtBurst, 3);
  EXPECT_EQ(m().BurstCount, pausedAtBurst);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(label("StatusBar2_2"), "Dormant   ");
  EXPECT_EQ(label("StatusBar2_1"), "Select Parameters or Continue with Strombolian (Scoria) Eruption");
  EXPECT_EQ(label("StatusBar1_8"), "Manual Erupt");
  EXPECT_TRUE(label("labVei").startsWith(QString("1 / %1\n").arg(pausedAtBurst)));
  EXPECT_TRUE(erupt->isEnabled());
  EXPECT_FALSE(halt->isEnabled());
  expectWindowMirrorsControls();

  // The new layer is on the screen in its colour, beside the vent.
  EXPECT_NE(desk.canvas.image(), before);
  const int vent = m().LayerVentX[1];
  int column = vent + 3;
  for (int x = vent + 3; x < vent + 300; ++x)
    if (m().Strat(1, x) - m().Strat(0, x) > m().Strat(1, column) - m().Strat(0, column)) column = x;
  ASSERT_GE(m().Strat(1, column) - m().Strat(0, column), 2) << "no cone was built";
  EXPECT_EQ(pixelAt(static_cast<float>(column), 600 - m().Strat(1, column) / 2),
            qrgb(paletteColor(m().LayerColor[1])));
}

TEST_F(MainWindowTest, ClosingDuringAnEruptionStopsThePhaseAndThenCloses) {
  chooseStrombolianAndAccept();
  bool stillOpenAfterClose = false;
  desk.host.setYieldHook([&] {
    if (m().BurstCount >= 2 && m().RunStop == RunState::Running) {
      window.close();
      stillOpenAfterClose = window.isVisible();
    }
  });
  find<QPushButton>("cmdErupt")->click();
  desk.host.setYieldHook(nullptr);

  EXPECT_TRUE(stillOpenAfterClose);
  EXPECT_EQ(m().RunStop, RunState::Stopping);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(ui().statusBar2[2], "Dormant   ");  // the phase finished its end-of-phase work
  QElapsedTimer waited;
  waited.start();
  while (window.isVisible() && waited.elapsed() < 2000) QCoreApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, FieldEditsAndProfileClicksGoThroughTheControls) {
  find<QAction>("mnuParStrom")->trigger();
  auto* loc = find<QLineEdit>("txtLoc");
  // Beyond the profile width (1280 columns of 20 m) the field is cut to the width at once,
  // and the run is disarmed until OK.
  emit loc->textEdited("30");
  EXPECT_EQ(ui().txtLoc.text, "25.60");
  EXPECT_EQ(loc->text(), "25.60");
  EXPECT_FALSE(find<QPushButton>("cmdErupt")->isEnabled());
  EXPECT_TRUE(find<QPushButton>("Command1")->isEnabled());
  find<QPushButton>("Command1")->click();
  EXPECT_EQ(m().VentX, 1230);
  EXPECT_EQ(loc->text(), "24.60");

  // A left click on the profile at column 500 picks 10 km.
  auto* plot = find<ProfileWidget>("Plot");
  const QPointF at(500.0 * plot->width() / 1280, 300.0 * plot->height() / 690);
  QMouseEvent up(QEvent::MouseButtonRelease, at, plot->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(plot, &up);
  EXPECT_NEAR(val(loc->text().toStdString()), 10.0, 0.05);
  EXPECT_EQ(loc->text().toStdString(), ui().txtLoc.text);
}

TEST_F(MainWindowTest, RecordMenuFollowsTheRecorderAndOffersPlaybackOnlyWithARecord) {
  auto* rec = find<QMenu>("mnuRec");
  emit rec->aboutToShow();
  EXPECT_FALSE(find<QAction>("mnuRecPlay")->isEnabled());
  EXPECT_FALSE(find<QAction>("mnuRecPlayLoop")->isEnabled());
  EXPECT_FALSE(find<QAction>("mnuParUndo")->isEnabled());
  EXPECT_FALSE(find<QAction>("mnuFileSaveAsDem")->isEnabled());
  find<QAction>("mnuRecRec")->trigger();
  EXPECT_TRUE(ui().mnuRecRec.checked);
  EXPECT_TRUE(find<QAction>("mnuRecRec")->isChecked());
  EXPECT_EQ(label("StatusBar1_6"), "Record On");
  ui().RecLoaded = true;
  emit rec->aboutToShow();
  EXPECT_TRUE(find<QAction>("mnuRecPlay")->isEnabled());
  find<QAction>("mnuRecPlay")->trigger();
  EXPECT_FALSE(ui().mnuRecRec.checked);  // playback and recording exclude each other
  EXPECT_EQ(find<QPushButton>("cmdErupt")->text(), "Play&back");
  for (const char* item : {"mnuFileOpenTopo", "mnuFileOpenDem", "mnuFileOpenRec", "mnuFileSaveAsTopo",
                           "mnuFileSaveAsRec", "mnuRecEdit"})
    EXPECT_TRUE(find<QAction>(item)->isEnabled()) << item;
}

}  // namespace
}  // namespace magmo
