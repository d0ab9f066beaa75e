#include "app/SplashPicture.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#ifndef MAGMO_VERSION
#define MAGMO_VERSION "3.0"
#endif

namespace magmo {

namespace {

constexpr qreal kWidth = 480, kHeight = 300;
constexpr qreal kGround = 222;                // the plain's surface
constexpr QPointF kVent(332, 114);            // the crater's floor
constexpr qreal kFar = 2000;                  // the plain and the sky beyond the layout's frame

// The cone's outline, lowered by drop: its layers are the same outline at growing depths.
QPainterPath cone(qreal drop) {
  QPainterPath path;
  path.moveTo(140, kGround + drop);
  path.quadTo(262, kGround - 8 + drop, 318, 110 + drop);
  path.lineTo(326, 117 + drop);
  path.lineTo(338, 117 + drop);
  path.lineTo(346, 110 + drop);
  path.quadTo(404, kGround - 8 + drop, 530, kGround + drop);
  path.closeSubpath();
  return path;
}

void paintSky(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kGround);
  sky.setColorAt(0.0, QColor(6, 9, 28));
  sky.setColorAt(0.55, QColor(24, 22, 54));
  sky.setColorAt(0.85, QColor(70, 30, 46));
  sky.setColorAt(1.0, QColor(110, 46, 36));
  p.fillRect(QRectF(-kFar, -kFar, 2 * kFar, kFar + kGround), sky);

  // A few fixed stars, away from the column and the title.
  quint32 seed = 7;
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 46; ++i) {
    seed = seed * 1103515245u + 12345u;
    const qreal x = (seed >> 8) % 480;
    seed = seed * 1103515245u + 12345u;
    const qreal y = (seed >> 8) % 150;
    if ((x > 250 && x < 420) || (x < 230 && y > 20 && y < 140)) continue;
    p.setBrush(QColor(255, 255, 255, 60 + static_cast<int>(seed >> 24) % 140));
    p.drawEllipse(QPointF(x, y), 0.8, 0.8);
  }

  QRadialGradient glow(kVent, 150);
  glow.setColorAt(0.0, QColor(255, 130, 50, 120));
  glow.setColorAt(1.0, QColor(255, 130, 50, 0));
  p.fillRect(QRectF(kVent.x() - 150, kVent.y() - 150, 300, 300), glow);
}

void paintGround(QPainter& p) {
  // Flat-lying older beds under the plain.
  static const QColor beds[] = {QColor(104, 84, 58), QColor(84, 68, 50), QColor(118, 100, 66), QColor(70, 56, 44)};
  qreal y = kGround;
  for (int i = 0; i < 4; ++i) {
    const qreal depth = i == 3 ? kFar : 14 + 6 * i;
    p.fillRect(QRectF(-kFar, y, 2 * kFar, depth), beds[i]);
    y += depth;
  }
  p.fillRect(QRectF(-kFar, kGround, 2 * kFar, 3), QColor(46, 110, 46));  // the plain's soil

  // The cone's lavas and ashes, outermost first; each lower outline covers the inside of the last.
  static const QColor layers[] = {QColor(70, 150, 60),  QColor(200, 150, 44), QColor(0, 128, 0),
                                  QColor(160, 40, 32),  QColor(0, 140, 140),  QColor(96, 170, 70),
                                  QColor(190, 128, 40), QColor(128, 24, 24),  QColor(0, 110, 110)};
  p.save();
  p.setClipRect(QRectF(-kFar, -kFar, 2 * kFar, kFar + kGround));
  p.setPen(Qt::NoPen);
  qreal drop = 0;
  for (const QColor& c : layers) {
    p.setBrush(c);
    p.drawPath(cone(drop));
    drop += 9;
  }
  p.setBrush(QColor(62, 50, 44));
  p.drawPath(cone(drop));
  p.restore();
  p.setPen(QPen(QColor(20, 12, 10), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(cone(0));
}

void paintMagma(QPainter& p) {
  QLinearGradient hot(0, kVent.y(), 0, 280);
  hot.setColorAt(0.0, QColor(255, 226, 110));
  hot.setColorAt(0.4, QColor(255, 120, 30));
  hot.setColorAt(1.0, QColor(190, 30, 20));
  QPainterPath conduit;
  conduit.moveTo(kVent.x() - 4, kVent.y());
  conduit.cubicTo(kVent.x() - 5, 190, kVent.x() - 9, 240, kVent.x() - 14, 276);
  conduit.lineTo(kVent.x() + 14, 276);
  conduit.cubicTo(kVent.x() + 9, 240, kVent.x() + 5, 190, kVent.x() + 4, kVent.y());
  conduit.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(hot);
  p.drawPath(conduit);

  // A sill fed from the conduit, in the older beds.
  QPainterPath sill;
  sill.moveTo(kVent.x() - 6, 236);
  sill.cubicTo(300, 238, 250, 240, 214, 243);
  sill.cubicTo(250, 244, 300, 243, kVent.x() - 7, 244);
  p.setBrush(QColor(230, 80, 30));
  p.drawPath(sill);

  QRadialGradient chamber(QPointF(kVent.x(), 296), 70);
  chamber.setColorAt(0.0, QColor(255, 220, 110));
  chamber.setColorAt(0.45, QColor(245, 110, 30));
  chamber.setColorAt(1.0, QColor(150, 24, 18));
  p.setBrush(chamber);
  p.drawEllipse(QPointF(kVent.x(), 296), 68, 24);
}

void paintColumn(QPainter& p) {
  struct Puff {
    qreal x, y, r;
  };
  // From the vent up to the spreading top; the lower puffs are lit by the vent.
  static constexpr Puff puffs[] = {{332, 100, 9},  {328, 88, 12}, {337, 76, 15}, {329, 62, 18},
                                   {339, 47, 21},  {326, 34, 23}, {344, 26, 24}, {310, 18, 22},
                                   {364, 16, 22},  {290, 12, 18}, {384, 10, 18}, {334, 8, 26}};
  p.setPen(Qt::NoPen);
  for (const Puff& f : puffs) {
    const qreal lit = std::clamp((f.y - 10) / 90, 0.0, 1.0);
    QRadialGradient shade(QPointF(f.x - f.r * 0.3, f.y - f.r * 0.4), f.r * 1.3);
    shade.setColorAt(0.0, QColor(150 + 90 * lit, 146 + 30 * lit, 150 - 40 * lit, 235));
    shade.setColorAt(1.0, QColor(58 + 60 * lit, 56 + 10 * lit, 66 - 20 * lit, 235));
    p.setBrush(shade);
    p.drawEllipse(QPointF(f.x, f.y), f.r, f.r * 0.9);
  }
  QRadialGradient fire(kVent, 16);
  fire.setColorAt(0.0, QColor(255, 240, 160, 240));
  fire.setColorAt(1.0, QColor(255, 110, 20, 0));
  p.setBrush(fire);
  p.drawEllipse(kVent, 16, 16);
}

void paintBombs(QPainter& p) {
  struct Bomb {
    QPointF top, at;
    qreal size;
  };
  static constexpr Bomb bombs[] = {{{292, 30}, {262, 84}, 3.2},
                                   {{382, 28}, {410, 70}, 3.6},
                                   {{276, 60}, {238, 132}, 2.6},
                                   {{394, 60}, {438, 128}, 2.8},
                                   {{356, 50}, {372, 58}, 2.2}};
  for (const Bomb& b : bombs) {
    QPainterPath trail(kVent + QPointF(0, -6));
    trail.quadTo(b.top, b.at);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 150, 60, 130), 1.0, Qt::DashLine));
    p.drawPath(trail);
    p.setPen(QPen(QColor(255, 120, 40), 1.0));
    p.setBrush(QColor(44, 26, 20));
    p.drawEllipse(b.at, b.size, b.size * 0.8);
  }
}

void paintTitle(QPainter& p) {
  QFont big("DejaVu Sans");
  big.setPixelSize(56);
  big.setBold(true);
  big.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  p.setFont(big);
  p.setPen(QColor(0, 0, 0, 150));
  p.drawText(QPointF(30, 82), "Magmo");
  QLinearGradient warm(0, 40, 0, 82);
  warm.setColorAt(0.0, QColor(255, 246, 222));
  warm.setColorAt(1.0, QColor(255, 178, 92));
  p.setPen(QPen(QBrush(warm), 1));
  p.drawText(QPointF(28, 80), "Magmo");

  QFont small("DejaVu Sans");
  small.setPixelSize(15);
  p.setFont(small);
  p.setPen(QColor(150, 222, 228));
  p.drawText(QPointF(31, 106), "volcanic eruption simulator");
  small.setPixelSize(12);
  p.setFont(small);
  p.setPen(QColor(220, 176, 80));
  p.drawText(QPointF(31, 128), "version " + magmoVersion());
}

}  // namespace

QString magmoVersion() {
  const QString set = QCoreApplication::applicationVersion();
  return set.isEmpty() ? QStringLiteral(MAGMO_VERSION) : set;
}

QPixmap splashPicture(const QSize& size) {
  if (size.isEmpty()) return QPixmap();
  QPixmap pixmap(size);
  pixmap.fill(Qt::black);
  QPainter p(&pixmap);
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
  const qreal scale = std::min(size.width() / kWidth, size.height() / kHeight);
  p.translate((size.width() - kWidth * scale) / 2, (size.height() - kHeight * scale) / 2);
  p.scale(scale, scale);
  paintSky(p);
  paintColumn(p);
  paintBombs(p);
  paintGround(p);
  paintMagma(p);
  paintTitle(p);
  return pixmap;
}

}  // namespace magmo
