#pragma once
// Binds widgets to the presentation model: sync() brings every bound widget in line with the
// Controls it mirrors, touching only what differs (cheap enough for every yield, no flicker).
#include <functional>
#include <string>
#include <vector>

#include "control/Controls.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace magmo {

class ControlMirror {
 public:
  void label(QLabel* w, const std::string* text);
  void field(QLineEdit* w, const Field* f);
  void check(QCheckBox* w, const CheckBox* c);
  // withCaption false: the widget keeps its own caption (the model names only the run buttons).
  void button(QPushButton* w, const Button* b, bool withCaption = true);
  void action(QAction* a, const MenuItem* m);
  void menu(QMenu* w, const MenuItem* m);
  void panel(QGroupBox* w, const Panel* p);
  void tooltip(QWidget* w, const std::string* tip);
  // Anything else that follows one flag: apply runs at the first sync and on every change.
  void flag(const bool* src, std::function<void(bool)> apply);
  void sync();

 private:
  void text(const std::string* src, std::function<void(const std::string&)> apply);
  std::vector<std::function<void()>> steps_;
};

}  // namespace magmo
