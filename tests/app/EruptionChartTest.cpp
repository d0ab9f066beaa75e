// The eruption chart in the main window: its series must show the layers' statistics as the
// model holds them, through phases, Undo, New and an opened file, and stay still while hidden.
#include <gtest/gtest.h>
#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QtWidgets>

#include "app/DesktopSim.h"
#include "app/EruptionChart.h"
#include "app/MainWindow.h"
#include "app/QtSettings.h"
#include "model/Vent.h"

namespace magmo {
namespace {

class EruptionChartTest : public ::testing::Test {
 protected:
  EruptionChartTest() : settings(dir.filePath("settings.ini")), desk(settings), window(desk) {
    settings.save(kSettingsSection, "Speed", "5");
    desk.sim.rnd.fixSeed(11);
    window.startUp({}, dir.filePath("Documents"));
    window.show();
    choose("mnuViewChart");
  }

  void choose(const char* item) { window.findChild<QAction*>(item)->trigger(); }
  void click(const char* name) { window.findChild<QAbstractButton*>(name)->click(); }
  Model& m() { return desk.sim.m; }
  QChartView* view() { return window.findChild<QChartView*>("chartView"); }
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

  QTemporaryDir dir;
  QtSettings settings;
  DesktopSim desk;
  MainWindow window;
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
  QTimer::singleShot(20, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(QMessageBox::No)->click();
  });
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

}  // namespace
}  // namespace magmo
