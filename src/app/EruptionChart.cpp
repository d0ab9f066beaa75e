#include "app/EruptionChart.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHelpEvent>
#include <QLegend>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "model/Vent.h"

namespace magmo {

namespace {

const QColor kTotalColour(21, 101, 192);
const QColor kSummitColour(46, 125, 50);

// The smallest of 1, 2, 2.5 and 5 times a power of ten that reaches v: axis ends the eye reads.
double niceTop(double v) {
  if (!(v > 0) || !std::isfinite(v)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(v)));
  for (double f : {1.0, 2.0, 2.5, 5.0})
    if (f * power >= v) return f * power;
  return 10 * power;
}

// The axis from zero (or below, for lower values) to a little above the highest value.
void fitAxis(QValueAxis* axis, double low, double high) {
  const double top = niceTop(high * 1.05);
  const double bottom = low < 0 ? -niceTop(-low * 1.05) : 0;
  axis->setRange(bottom, top);
}

QValueAxis* valueAxis(const QString& title, const char* format, const QColor& colour) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setLabelFormat(format);
  axis->setTickCount(6);
  QFont font = axis->titleFont();
  font.setPointSizeF(font.pointSizeF() * 0.9);
  axis->setTitleFont(font);
  axis->setTitleBrush(colour);
  axis->setLabelsColor(colour);
  return axis;
}

QLineSeries* lineSeries(const QString& name, const QColor& colour) {
  auto* line = new QLineSeries;
  line->setName(name);
  QPen pen(colour);
  pen.setWidth(2);
  line->setPen(pen);
  line->setPointsVisible(true);  // a single phase still shows
  return line;
}

// A growing bar changes one value a frame: that value is replaced; anything more is set anew.
void setValues(QBarSet* set, const QList<qreal>& values) {
  if (set->count() == values.size()) {
    qsizetype changed = 0, at = 0;
    for (qsizetype i = 0; i < values.size(); ++i)
      if (set->at(i) != values[i]) ++changed, at = i;
    if (changed == 0) return;
    if (changed == 1) {
      set->replace(static_cast<int>(at), values[at]);
      return;
    }
  }
  if (set->count() > 0) set->remove(0, static_cast<int>(set->count()));
  set->append(values);
}

}  // namespace

QColor explosivityColour(int index) {
  static const QColor kColours[kMaxExplosivity + 1] = {
      {255, 213, 79}, {255, 167, 38}, {245, 124, 0},  {230, 81, 0},  {211, 47, 47},
      {183, 28, 28},  {173, 20, 87},  {106, 27, 154}, {49, 27, 146}};
  return kColours[std::clamp(index, 0, kMaxExplosivity)];
}

QString phaseTip(const LayerSummary& row) {
  const QString style = row.style ? QString::fromUtf8(styleName(*row.style))
                                  : QStringLiteral("not recorded (from a file, or laid by erosion)");
  const QString duration = row.hours ? QString::fromStdString(durationText(*row.hours)) : QStringLiteral("not known");
  return QString("Phase %1: %2\nVolume: %3 million m³\nExplosivity index (VEI): %4\nDuration: %5")
      .arg(row.layer)
      .arg(style)
      .arg(QString::number(row.volume / 1e6, 'f', 3))
      .arg(row.explosivityIndex)
      .arg(duration);
}

EruptionChart::EruptionChart(const Model& m, QWidget* parent) : QDockWidget("Eruption Chart", parent), m_(m) {
  setObjectName("EruptionChart");
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));

  bars_ = new QStackedBarSeries;
  bars_->setName("Volume of the phase");
  bars_->setBarWidth(0.8);
  total_ = lineSeries("Total volume (km³)", kTotalColour);
  summit_ = lineSeries("Summit (m)", kSummitColour);
  for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{bars_, total_, summit_}) chart->addSeries(series);

  phaseAxis_ = valueAxis("Phase (layer number)", "%.0f", Qt::black);
  phaseAxis_->setTickType(QValueAxis::TicksDynamic);
  phaseAxis_->setTickAnchor(0);
  volumeAxis_ = valueAxis("Volume (10⁶ m³)", "%g", Qt::black);
  totalAxis_ = valueAxis("Total (km³)", "%g", kTotalColour);
  summitAxis_ = valueAxis("Summit (m)", "%g", kSummitColour);
  chart->addAxis(phaseAxis_, Qt::AlignBottom);
  chart->addAxis(volumeAxis_, Qt::AlignLeft);
  chart->addAxis(totalAxis_, Qt::AlignRight);
  chart->addAxis(summitAxis_, Qt::AlignRight);
  const std::pair<QAbstractSeries*, QValueAxis*> attached[] = {
      {bars_, volumeAxis_}, {total_, totalAxis_}, {summit_, summitAxis_}};
  for (const auto& [series, axis] : attached) {
    series->attachAxis(phaseAxis_);
    series->attachAxis(axis);
  }
  QObject::connect(bars_, &QStackedBarSeries::hovered, this, [this](bool on, int index, QBarSet*) {
    hovered_ = on ? index : 0;
    if (!on) QToolTip::hideText();
  });

  view_ = new QChartView(chart);
  view_->setObjectName("chartView");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(360, 240);
  view_->viewport()->installEventFilter(this);
  setWidget(view_);
  showRows();
}

void EruptionChart::sync(bool remeasure) {
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  const bool changed = summaries_.update(m_, remeasure || stale_);
  stale_ = false;
  if (changed) showRows();
}

void EruptionChart::showEvent(QShowEvent* e) {
  QDockWidget::showEvent(e);
  sync(true);
}

// Bars stand at their index, and index 0 is left empty, so that phase k stands at k on the
// axis the lines share.
void EruptionChart::showBars() {
  const std::vector<LayerSummary>& rows = summaries_.rows();
  std::array<QList<qreal>, kMaxExplosivity + 1> values;
  for (const LayerSummary& row : rows) {
    QList<qreal>& set = values[static_cast<size_t>(std::clamp(row.explosivityIndex, 0, kMaxExplosivity))];
    if (set.isEmpty()) set = QList<qreal>(static_cast<qsizetype>(rows.size()) + 1, 0.0);
    set[row.layer] = row.volume / 1e6;
  }
  int at = 0;  // sets in order of the index, as the legend lists them
  for (int vei = 0; vei <= kMaxExplosivity; ++vei) {
    QBarSet*& set = sets_[static_cast<size_t>(vei)];
    if (values[static_cast<size_t>(vei)].isEmpty()) {
      if (set) bars_->remove(set);
      set = nullptr;
      continue;
    }
    if (!set) {
      set = new QBarSet(QString("VEI %1").arg(vei));
      set->setColor(explosivityColour(vei));
      set->setBorderColor(explosivityColour(vei).darker(140));
      bars_->insert(at, set);
    }
    setValues(set, values[static_cast<size_t>(vei)]);
    ++at;
  }
}

void EruptionChart::showRows() {
  showBars();
  const std::vector<LayerSummary>& rows = summaries_.rows();
  QList<QPointF> total, summit;
  double sum = 0, largest = 0;
  float lowest = 0, highest = 0;
  for (const LayerSummary& row : rows) {
    sum += row.volume;
    largest = std::max(largest, row.volume);
    lowest = std::min(lowest, row.summit);
    highest = std::max(highest, row.summit);
    total.append(QPointF(row.layer, sum / 1e9));
    summit.append(QPointF(row.layer, row.summit));
  }
  if (total_->points() != total) total_->replace(total);
  if (summit_->points() != summit) summit_->replace(summit);

  const int phases = std::max(static_cast<int>(rows.size()), 5);
  phaseAxis_->setRange(0.5, phases + 0.5);
  phaseAxis_->setTickInterval(std::max(1.0, std::round(niceTop(phases / 8.0))));
  fitAxis(volumeAxis_, 0, largest / 1e6);
  fitAxis(totalAxis_, 0, sum / 1e9);
  fitAxis(summitAxis_, lowest, std::max(highest, 10.0f));
}

// The chart's scene would answer the pointer's rest with no tip: the hovered bar's phase answers.
bool EruptionChart::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::ToolTip || watched != view_->viewport()) return QDockWidget::eventFilter(watched, e);
  const std::vector<LayerSummary>& rows = summaries_.rows();
  if (hovered_ >= 1 && hovered_ <= static_cast<int>(rows.size()))
    QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), phaseTip(rows[static_cast<size_t>(hovered_ - 1)]),
                       view_);
  else
    QToolTip::hideText();
  return true;
}

}  // namespace magmo
