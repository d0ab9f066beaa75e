#pragma once
// The eruption statistics beside the run buttons: the model's five lines, each with a caption
// and a tooltip that says what it counts.
#include <QFrame>
#include <QString>
#include <array>

class QLabel;

namespace magmo {

class StatisticsPanel : public QFrame {
 public:
  explicit StatisticsPanel(QWidget* parent = nullptr);
  // The five lines as the model gives them, one per line.
  void setText(const QString& lines);
  QString text() const;

 private:
  std::array<QLabel*, 5> values_{};
};

}  // namespace magmo
