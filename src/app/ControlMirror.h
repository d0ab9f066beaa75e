#pragma once
// Binds widgets to the presentation model: sync() brings every bound widget in line with the
// Controls it mirrors, touching only what differs (cheap enough for every yield, no flicker).
#include <functional>
#include <string>
#include <vector>

#include "model/Controls.h"

class QAbstractButton;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QWidget;

namespace magmo {

class ControlMirror {
 public:
  ControlMirror() = default;
  ControlMirror(const ControlMirror&) = delete;  // the bound steps refer to this mirror
  ControlMirror& operator=(const ControlMirror&) = delete;

  void label(QLabel* w, const std::string* text);
  // A caption that the model can grey, hide or re-word; an empty model text keeps the widget's own.
  void label(QLabel* w, const Field* f);
  void field(QLineEdit* w, const Field* f);
  // The current item is the model's text; the items are the widget's.
  void combo(QComboBox* w, const Field* f);
  // Check boxes and option buttons. withCaption false: the widget keeps its own caption.
  void check(QAbstractButton* w, const CheckBox* c, bool withCaption = true);
  void slider(QSlider* w, const SliderControl* s);
  // withCaption false: the widget keeps its own caption (the model names only the run buttons).
  void button(QPushButton* w, const Button* b, bool withCaption = true);
  // A menu item's action; when it is also a toolbar button, enabled only while both are, and
  // the button's tooltip (when the model gives one) over the action's own.
  void action(QAction* a, const MenuItem* m, const ToolButton* b = nullptr);
  // A toolbar button of its own (or a menu command without a check mark): enabled and tooltip;
  // onImage follows the button's face ("pause" / "stop").
  void toolButton(QAction* a, const ToolButton* b, std::function<void(const std::string&)> onImage = {});
  void menu(QMenu* w, const MenuItem* m);
  // An empty model caption keeps the panel's own title.
  void panel(QGroupBox* w, const Panel* p);
  void tooltip(QWidget* w, const std::string* tip);
  // Anything else that follows one flag: apply runs at the first sync and on every change.
  void flag(const bool* src, std::function<void(bool)> apply);
  // Anything else that follows one text.
  void text(const std::string* src, std::function<void(const std::string&)> apply);
  void sync();

 private:
  void buttonTip(QAction* a, const ToolButton* b);
  void show(QWidget* w, bool on);
  std::vector<std::function<void()>> steps_;
  std::vector<QWidget*> toShow_;
};

}  // namespace magmo
