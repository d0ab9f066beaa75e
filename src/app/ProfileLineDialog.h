#pragma once
// The line across a GIS terrain that becomes the section: a hill-shaded preview of the grid with
// the line over it; a row chosen in the spin box or clicked, or any line dragged across.
#include <QDialog>
#include <QImage>

#include "model/TerrainGrid.h"

class QLabel;
class QSpinBox;

namespace magmo {

class ProfileLineDialog : public QDialog {
  Q_OBJECT
 public:
  ProfileLineDialog(const TerrainGrid& grid, const ProfileLine& proposal, QWidget* parent = nullptr);
  ProfileLine line() const { return line_; }
  void setLine(const ProfileLine& line);

  // The grid downsampled to at most maxSide pixels a side, tinted by height and lit from the
  // north-west; no-data cells grey.
  static QImage shadedPreview(const TerrainGrid& grid, int maxSide);

  static constexpr int kPreviewSide = 360;

 private:
  void describe();

  const TerrainGrid& grid_;
  ProfileLine line_;
  QSpinBox* row_ = nullptr;
  QLabel* text_ = nullptr;
  QWidget* preview_ = nullptr;
};

}  // namespace magmo
