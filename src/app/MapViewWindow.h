#pragma once
// The "Map" window: the geological map or the shaded relief of the plan-view grid, with the
// relief's light, base level and contrast, Save, Copy, Print, Close and the Map/Topography
// switch. A mirror of Controls::Map: edits go to the core's handlers through the main window's
// run callback, and sync() brings it back in line.
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace magmo {
struct Sim;
struct RgbImage;
class ControlMirror;

class MapViewWindow : public QWidget {
 public:
  using Runner = std::function<void(std::function<void()>)>;
  MapViewWindow(Sim& sim, Runner run, QWidget* parent = nullptr);
  ~MapViewWindow() override;

  void sync();
  // The picture shown: the map or the relief.
  QImage picture() const;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void build();
  QWidget* buildReliefControls();
  void copyPicture();
  void printPicture();

  Sim& sim_;
  Runner run_;
  std::unique_ptr<ControlMirror> mirror_;
  QLabel* picture_ = nullptr;
  QWidget* relief_ = nullptr;
  QPushButton* toggle_ = nullptr;
  QPushButton* print_ = nullptr;
  bool printer_ = false;  // looked up when the window opens, not on every sync
  QLabel* status1_ = nullptr;
  QRadioButton* options_[6] = {};
  const RgbImage* shown_ = nullptr;
  size_t shownStamp_ = 0;
  bool syncing_ = false;
};

}  // namespace magmo
