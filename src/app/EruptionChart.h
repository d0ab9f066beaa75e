#pragma once
// The "Eruption Chart" dock: the volume of each phase as a bar coloured by its explosivity
// index, the running total volume and the summit height as lines, against the phase (layer)
// number. It follows the model while it shows and does nothing while hidden.
#include <QColor>
#include <QDockWidget>
#include <QString>
#include <array>

#include "model/LayerSummary.h"

class QBarSet;
class QChartView;
class QLineSeries;
class QStackedBarSeries;
class QValueAxis;

namespace magmo {
struct Model;

constexpr int kMaxExplosivity = 8;
constexpr int kChartHelpTopic = 46;

// What hovering a phase's bar tells: style, volume, explosivity index and duration.
QString phaseTip(const LayerSummary& row);
// The colour of the bars of an explosivity index (0..8), light to dark as the index grows.
QColor explosivityColour(int index);

class EruptionChart : public QDockWidget {
 public:
  explicit EruptionChart(const Model& m, QWidget* parent = nullptr);

  // Brings the series in line with the model when the chart shows. remeasure: any layer may
  // have changed (a user action ended: a file opened, Undo, New); otherwise only the current
  // phase and new ones are measured again, as during a running phase.
  void sync(bool remeasure);

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void showRows();
  void showBars();

  const Model& m_;
  LayerSummaries summaries_;
  int hovered_ = 0;  // the phase whose bar the pointer is on
  bool stale_ = true;  // the model may have changed while the chart was hidden
  QChartView* view_ = nullptr;
  QStackedBarSeries* bars_ = nullptr;
  std::array<QBarSet*, kMaxExplosivity + 1> sets_{};  // only the indexes some phase has
  QLineSeries* total_ = nullptr;
  QLineSeries* summit_ = nullptr;
  QValueAxis *phaseAxis_ = nullptr, *volumeAxis_ = nullptr, *totalAxis_ = nullptr, *summitAxis_ = nullptr;
};

}  // namespace magmo
