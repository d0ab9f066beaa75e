#pragma once
// The exported height image as the rows of a 3-D surface.
#include <QImage>
#include <QString>
#include <QtDataVisualization/QSurfaceDataArray>

struct HeightSurface {
  QSurfaceDataArray* rows = nullptr;  // owned by the caller until handed to a proxy
  int width = 0, height = 0;
  int highest = 0;  // grey level of the highest point
  QString error;    // empty when the image was read
};

// x = column, z = row, height = grey level (0 = black = water). Anything that is not an image
// of at least 2 x 2 pixels gives an empty array and an error text.
HeightSurface readHeightSurface(const QString& path);
