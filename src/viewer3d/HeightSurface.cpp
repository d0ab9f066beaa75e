#include "HeightSurface.h"

#include <QFileInfo>
#include <algorithm>

HeightSurface readHeightSurface(const QString& path) {
  HeightSurface s;
  s.rows = new QSurfaceDataArray;
  // The main program writes a Windows bitmap whatever the extension says.
  const QImage image(path, "BMP");
  if (image.isNull()) {
    s.error = QFileInfo::exists(path) ? "Cannot read " + path : path + " does not exist";
    return s;
  }
  if (image.width() < 2 || image.height() < 2) {
    s.error = path + " is too small for a surface";
    return s;
  }
  s.width = image.width();
  s.height = image.height();
  s.rows->reserve(s.height);
  for (int z = 0; z < s.height; ++z) {
    auto* row = new QSurfaceDataRow(s.width);
    for (int x = 0; x < s.width; ++x) {
      const int grey = qGray(image.pixel(x, z));
      s.highest = std::max(s.highest, grey);
      (*row)[x].setPosition(QVector3D(float(x), float(grey), float(z)));
    }
    s.rows->append(row);
  }
  return s;
}
