// The toolbar's own pictures: each draws something legible at toolbar sizes on a clear ground,
// no two look alike, and the resource holds exactly the listed ones.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>
#include <algorithm>

#include "app/ToolbarIcons.h"

namespace magmo {
namespace {

QImage render(const QString& key, int size) {
  return toolbarIcon(key).pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ToolbarIcons, EveryKeyDrawsSeveralColoursOnATransparentGround) {
  const QStringList keys = toolbarIconKeys();
  EXPECT_EQ(keys.size(), 31);
  EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
  for (const QString& key : keys) {
    for (const int size : {16, 32}) {
      SCOPED_TRACE(key.toStdString() + " at " + std::to_string(size));
      const QImage img = render(key, size);
      ASSERT_EQ(img.size(), QSize(size, size));
      // Edge pixels are blended (ground may touch a corner), so "clear" allows a faint fringe and
      // "drawn" leaves the half-covered pixels out.
      int clear = 0, drawn = 0, darkest = 255, lightest = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          const QRgb px = img.pixel(x, y);
          if (qAlpha(px) < 32) ++clear;
          if (qAlpha(px) < 128) continue;
          ++drawn;
          darkest = std::min(darkest, qGray(px));
          lightest = std::max(lightest, qGray(px));
        }
      const int last = size - 1;
      for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        EXPECT_LT(qAlpha(img.pixel(corner)), 32);
      const int area = size * size;
      EXPECT_GE(clear, area / 5);
      EXPECT_GE(drawn, area / 8);
      EXPECT_GE(lightest - darkest, 48) << "outline and fill should differ";
    }
  }
}

TEST(ToolbarIcons, UnknownKeysHaveNoIcon) {
  for (const QString key : {"", "volcano", "New", "icons", "new.svg", "../icons/new"}) {
    SCOPED_TRACE(key.toStdString());
    EXPECT_TRUE(toolbarIcon(key).isNull());
  }
}

TEST(ToolbarIcons, TheResourceHoldsExactlyTheListedKeys) {
  QStringList files;
  for (const QString& key : toolbarIconKeys()) files << key + ".svg";
  files.sort();
  EXPECT_EQ(QDir(":/icons").entryList(QDir::Files, QDir::Name), files);
}

TEST(ToolbarIcons, NoTwoKeysShareAPicture) {
  const QStringList keys = toolbarIconKeys();
  QList<QImage> images;
  for (const QString& key : keys) images << render(key, 32);
  for (int i = 0; i < keys.size(); ++i)
    for (int j = i + 1; j < keys.size(); ++j)
      EXPECT_NE(images[i], images[j]) << keys[i].toStdString() << " looks like " << keys[j].toStdString();
}

}  // namespace
}  // namespace magmo
