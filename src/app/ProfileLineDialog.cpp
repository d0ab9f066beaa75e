#include "app/ProfileLineDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace magmo {

namespace {

// Low ground green, then brown, the summits pale.
QColor tint(double t) {
  struct Stop {
    double at;
    int r, g, b;
  };
  static constexpr Stop kStops[] = {{0, 70, 130, 60}, {0.45, 170, 160, 90}, {0.8, 140, 100, 70}, {1, 235, 235, 230}};
  t = std::clamp(t, 0.0, 1.0);
  for (size_t i = 1; i < std::size(kStops); ++i)
    if (t <= kStops[i].at) {
      const Stop &a = kStops[i - 1], &b = kStops[i];
      const double u = (t - a.at) / (b.at - a.at);
      return QColor(int(a.r + u * (b.r - a.r)), int(a.g + u * (b.g - a.g)), int(a.b + u * (b.b - a.b)));
    }
  return QColor(kStops[3].r, kStops[3].g, kStops[3].b);
}

// The preview, with the line over it; a click picks a row, a drag any line.
class LinePreview : public QWidget {
 public:
  LinePreview(const TerrainGrid& grid, std::function<ProfileLine()> line, std::function<void(ProfileLine)> chosen)
      : grid_(grid), line_(std::move(line)), chosen_(std::move(chosen)) {
    image_ = ProfileLineDialog::shadedPreview(grid, ProfileLineDialog::kPreviewSide);
    setFixedSize(image_.size());
    setCursor(Qt::CrossCursor);
    setToolTip("Click a row, or drag a line across the terrain");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, image_);
    p.setRenderHint(QPainter::Antialiasing);
    const auto [a, b] = ends(line_());
    p.setPen(QPen(QColor(220, 20, 20), 2));
    p.drawLine(a, b);
    p.setBrush(QColor(220, 20, 20));
    p.drawEllipse(a, 3, 3);  // the west (first) end
  }
  void mousePressEvent(QMouseEvent* e) override { press_ = e->position(); }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (press_ && (e->position() - *press_).manhattanLength() >= 4) chosen_(segment(*press_, e->position()));
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (!press_) return;
    if ((e->position() - *press_).manhattanLength() < 4)
      chosen_(ProfileLine::wholeRow(static_cast<int>(std::lround(cell(e->position()).y()))));
    else
      chosen_(segment(*press_, e->position()));
    press_.reset();
  }

 private:
  // Grid cells (centres at whole numbers) from pixels and back.
  QPointF cell(QPointF px) const {
    const double x = px.x() / width() * grid_.columns - 0.5, y = px.y() / height() * grid_.rows - 0.5;
    return {std::clamp(x, 0.0, double(grid_.columns - 1)), std::clamp(y, 0.0, double(grid_.rows - 1))};
  }
  QPointF pixel(double x, double y) const {
    return {(x + 0.5) * width() / grid_.columns, (y + 0.5) * height() / grid_.rows};
  }
  ProfileLine segment(QPointF from, QPointF to) const {
    const QPointF a = cell(from), b = cell(to);
    const auto round1 = [](double v) { return std::round(v * 10) / 10; };
    return ProfileLine::segment(round1(a.x()), round1(a.y()), round1(b.x()), round1(b.y()));
  }
  std::pair<QPointF, QPointF> ends(const ProfileLine& l) const {
    if (l.row) return {pixel(0, *l.row), pixel(grid_.columns - 1, *l.row)};
    return {pixel(l.x1, l.y1), pixel(l.x2, l.y2)};
  }

  const TerrainGrid& grid_;
  std::function<ProfileLine()> line_;
  std::function<void(ProfileLine)> chosen_;
  QImage image_;
  std::optional<QPointF> press_;
};

}  // namespace

QImage ProfileLineDialog::shadedPreview(const TerrainGrid& g, int maxSide) {
  const int k = std::max(1, (std::max(g.columns, g.rows) + maxSide - 1) / maxSide);
  const int w = std::max(1, (g.columns + k - 1) / k), h = std::max(1, (g.rows + k - 1) / k);
  std::vector<float> z(static_cast<size_t>(w) * h);
  float lo = std::numeric_limits<float>::max(), hi = std::numeric_limits<float>::lowest();
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const float v = g.at(std::min(i * k, g.columns - 1), std::min(j * k, g.rows - 1));
      z[static_cast<size_t>(j) * w + i] = v;
      if (!TerrainGrid::isNoData(v)) lo = std::min(lo, v), hi = std::max(hi, v);
    }
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(QColor(128, 128, 128));
  if (lo > hi) return image;
  const auto at = [&](int i, int j) {
    const float v = z[static_cast<size_t>(std::clamp(j, 0, h - 1)) * w + std::clamp(i, 0, w - 1)];
    return TerrainGrid::isNoData(v) ? lo : v;
  };
  // Lambert shading with the light 45 degrees up from the north-west.
  const double dx = 2 * k * g.cellWidth, dy = 2 * k * g.cellHeight;
  const double altitude = std::numbers::pi / 4, azimuth = 3 * std::numbers::pi / 4;
  const double lx = std::cos(altitude) * std::cos(azimuth), ly = std::cos(altitude) * std::sin(azimuth),
               lz = std::sin(altitude);
  for (int j = 0; j < h; ++j) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(j));
    for (int i = 0; i < w; ++i) {
      if (TerrainGrid::isNoData(z[static_cast<size_t>(j) * w + i])) continue;
      const double east = (at(i + 1, j) - at(i - 1, j)) / dx, north = (at(i, j - 1) - at(i, j + 1)) / dy;
      const double n = std::sqrt(east * east + north * north + 1);
      const double light = std::max(0.0, (-east * lx - north * ly + lz) / n);
      const QColor c = tint(hi > lo ? (at(i, j) - lo) / (hi - lo) : 0.5);
      const double f = 0.35 + 0.85 * light;
      line[i] = qRgb(std::min(255, int(c.red() * f)), std::min(255, int(c.green() * f)), std::min(255, int(c.blue() * f)));
    }
  }
  return image;
}

ProfileLineDialog::ProfileLineDialog(const TerrainGrid& grid, const ProfileLine& proposal, QWidget* parent)
    : QDialog(parent), grid_(grid), line_(proposal) {
  setWindowTitle("Profile Line");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString("The section follows the red line across the %1 x %2 cells of the terrain.")
                                   .arg(grid.columns)
                                   .arg(grid.rows)));
  preview_ = new LinePreview(
      grid, [this] { return line_; }, [this](ProfileLine l) { setLine(l); });
  layout->addWidget(preview_, 0, Qt::AlignHCenter);
  auto* rowLine = new QHBoxLayout;
  rowLine->addWidget(new QLabel("&Row (west to east):"));
  row_ = new QSpinBox;
  row_->setObjectName("row");
  row_->setRange(0, grid.rows - 1);
  row_->setValue(proposal.row.value_or(grid.rows / 2));
  qobject_cast<QLabel*>(rowLine->itemAt(0)->widget())->setBuddy(row_);
  rowLine->addWidget(row_);
  rowLine->addStretch();
  layout->addLayout(rowLine);
  text_ = new QLabel;
  text_->setObjectName("lineText");
  layout->addWidget(text_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(row_, &QSpinBox::valueChanged, this, [this](int r) { setLine(ProfileLine::wholeRow(r)); });
  describe();
}

void ProfileLineDialog::setLine(const ProfileLine& line) {
  line_ = line;
  if (line.row) {
    const QSignalBlocker block(row_);
    row_->setValue(*line.row);
  }
  describe();
  preview_->update();
}

void ProfileLineDialog::describe() {
  const ProfileLine& l = line_;
  const double x1 = l.row ? 0 : l.x1, x2 = l.row ? grid_.columns - 1 : l.x2;
  const double y1 = l.row ? *l.row : l.y1, y2 = l.row ? *l.row : l.y2;
  const double km = std::hypot((x2 - x1) * grid_.cellWidth, (y2 - y1) * grid_.cellHeight) / 1000;
  text_->setText(l.row ? QString("Row %1, west to east: %2 km").arg(*l.row).arg(km, 0, 'f', 2)
                       : QString("From cell %1,%2 to %3,%4: %5 km")
                             .arg(x1)
                             .arg(y1)
                             .arg(x2)
                             .arg(y2)
                             .arg(km, 0, 'f', 2));
}

}  // namespace magmo
