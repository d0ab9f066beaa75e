#pragma once
// The "Stratigraphy" window beside the main window: the magnified column at one location, the
// location field and scroll bar, Close, Copy, Print and Help. A mirror of Controls::Strat: its
// edits go to the core's handlers through the main window's run callback, and sync() brings it
// back in line with the Controls and the model.
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "views/Column.h"

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace magmo {
struct Sim;
class ControlMirror;
class ColumnCanvas;
class StrataView;

class StratColumnWindow : public QWidget {
 public:
  // run executes a handler as a user action (and syncs the windows afterwards).
  using Runner = std::function<void(std::function<void()>)>;
  StratColumnWindow(Sim& sim, Runner run, QWidget* parent = nullptr);
  ~StratColumnWindow() override;

  // Shows or hides the window as Controls::Strat says, mirrors its controls and redraws the
  // column when the slice, its location or the picture's size changed. Cheap when nothing did.
  void sync();
  // The picture as it is shown (and as Copy puts it on the clipboard).
  const QImage& picture() const;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void build();
  void redraw();
  // What the column's picture depends on; a redraw is due when it differs from the last one.
  std::vector<float> sliceKey() const;
  void showPointer(float x, float y, QPoint globalPos);
  void fitBesideParent();

  Sim& sim_;
  Runner run_;
  std::unique_ptr<ControlMirror> mirror_;
  std::unique_ptr<ColumnCanvas> canvas_;
  StrataView* strata_ = nullptr;
  QLineEdit* txtLoc_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QPushButton* print_ = nullptr;
  ColumnScale scale_;
  std::vector<float> drawnKey_;
  bool syncing_ = false;
};

}  // namespace magmo
