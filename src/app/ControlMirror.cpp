#include "app/ControlMirror.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace magmo {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The model separates lines with carriage returns.
QString displayText(const std::string& s) {
  QString t = qs(s);
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

// Own states, not the ones inherited from parents, so a disabled or hidden parent does not
// make every child look out of date.
void setEnabled(QWidget* w, bool on) {
  if (w->testAttribute(Qt::WA_ForceDisabled) == on) w->setEnabled(on);
}

}  // namespace

void ControlMirror::text(const std::string* src, std::function<void(const std::string&)> apply) {
  steps_.push_back([src, apply = std::move(apply), last = std::string(), fresh = true]() mutable {
    if (!fresh && *src == last) return;
    fresh = false;
    last = *src;
    apply(last);
  });
}

void ControlMirror::flag(const bool* src, std::function<void(bool)> apply) {
  steps_.push_back([src, apply = std::move(apply), last = false, fresh = true]() mutable {
    if (!fresh && *src == last) return;
    fresh = false;
    last = *src;
    apply(last);
  });
}

void ControlMirror::label(QLabel* w, const std::string* s) {
  text(s, [w](const std::string& t) { w->setText(displayText(t)); });
}

void ControlMirror::tooltip(QWidget* w, const std::string* tip) {
  text(tip, [w](const std::string& t) { w->setToolTip(qs(t)); });
}

void ControlMirror::field(QLineEdit* w, const Field* f) {
  // Only a real difference is written, so the cursor stays where the user is typing.
  text(&f->text, [w](const std::string& t) {
    const QString q = qs(t);
    if (w->text() != q) w->setText(q);
  });
  tooltip(w, &f->tooltip);
  steps_.push_back([this, w, f] {
    setEnabled(w, f->enabled);
    show(w, f->visible);
  });
}

void ControlMirror::label(QLabel* w, const Field* f) {
  const QString own = w->text();
  text(&f->text, [w, own](const std::string& t) { w->setText(t.empty() ? own : displayText(t)); });
  tooltip(w, &f->tooltip);
  steps_.push_back([this, w, f] {
    setEnabled(w, f->enabled);
    show(w, f->visible);
  });
}

void ControlMirror::combo(QComboBox* w, const Field* f) {
  text(&f->text, [w](const std::string& t) {
    const QSignalBlocker quiet(w);
    w->setCurrentIndex(w->findText(qs(t)));
  });
  tooltip(w, &f->tooltip);
  steps_.push_back([this, w, f] {
    setEnabled(w, f->enabled);
    show(w, f->visible);
  });
}

void ControlMirror::slider(QSlider* w, const SliderControl* s) {
  tooltip(w, &s->tooltip);
  // Set quietly: only the user's moves are reported back to the model.
  steps_.push_back([w, s] {
    if (w->minimum() != s->min || w->maximum() != s->max || w->value() != s->value) {
      const QSignalBlocker quiet(w);
      w->setRange(s->min, s->max);
      w->setValue(s->value);
    }
    setEnabled(w, s->enabled);
  });
}

void ControlMirror::check(QAbstractButton* w, const CheckBox* c, bool withCaption) {
  if (withCaption) text(&c->caption, [w](const std::string& t) { w->setText(qs(t)); });
  tooltip(w, &c->tooltip);
  steps_.push_back([this, w, c] {
    if (w->isChecked() != c->checked) w->setChecked(c->checked);
    setEnabled(w, c->enabled);
    show(w, c->visible);
  });
}

void ControlMirror::button(QPushButton* w, const Button* b, bool withCaption) {
  if (withCaption) text(&b->caption, [w](const std::string& t) { w->setText(qs(t)); });
  tooltip(w, &b->tooltip);
  steps_.push_back([w, b] {
    setEnabled(w, b->enabled);
    if (w->isDefault() != b->isDefault) w->setDefault(b->isDefault);
  });
}

void ControlMirror::action(QAction* a, const MenuItem* m, const ToolButton* b) {
  steps_.push_back([a, m, b] {
    if (a->isCheckable() && a->isChecked() != m->checked) a->setChecked(m->checked);
    const bool enabled = m->enabled && (!b || b->enabled);
    if (a->isEnabled() != enabled) a->setEnabled(enabled);
  });
  if (b) buttonTip(a, b);
}

void ControlMirror::toolButton(QAction* a, const ToolButton* b, std::function<void(const std::string&)> onImage) {
  steps_.push_back([a, b] {
    if (a->isEnabled() != b->enabled) a->setEnabled(b->enabled);
  });
  buttonTip(a, b);
  if (onImage) text(&b->image, std::move(onImage));
}

void ControlMirror::buttonTip(QAction* a, const ToolButton* b) {
  const QString own = a->toolTip();
  text(&b->tooltip, [a, own](const std::string& t) { a->setToolTip(t.empty() ? own : qs(t)); });
}

void ControlMirror::menu(QMenu* w, const MenuItem* m) {
  steps_.push_back([w, m] {
    QAction* a = w->menuAction();
    if (a->isEnabled() != m->enabled) a->setEnabled(m->enabled);
  });
}

void ControlMirror::panel(QGroupBox* w, const Panel* p) {
  const QString own = w->title();
  text(&p->caption, [w, own](const std::string& t) { w->setTitle(t.empty() ? own : qs(t)); });
  tooltip(w, &p->tooltip);
  steps_.push_back([this, w, p] {
    setEnabled(w, p->enabled);
    show(w, p->visible);
  });
}

// Widgets are hidden at once but shown after every hide, so that a panel taking another's place
// never stands beside it for a moment (which would widen the window).
void ControlMirror::show(QWidget* w, bool on) {
  if (w->isHidden() != on) return;
  if (on)
    toShow_.push_back(w);
  else
    w->setVisible(false);
}

void ControlMirror::sync() {
  for (auto& step : steps_) step();
  for (QWidget* w : toShow_) w->setVisible(true);
  toShow_.clear();
}

}  // namespace magmo
