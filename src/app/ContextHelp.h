#pragma once
// Help where the user points, in one window: a right click on a control that has a help
// topic opens the help there; in What's This mode (Shift+F1) a click on a control says what
// it is.
#include <QObject>
#include <functional>

class QWidget;

namespace magmo {

class ContextHelp : public QObject {
 public:
  // topicOf: the help topic of a control of the window, 0 for none.
  ContextHelp(QWidget* window, std::function<int(const QWidget*)> topicOf, std::function<void(int)> showHelp);
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* window_;
  std::function<int(const QWidget*)> topicOf_;
  std::function<void(int)> showHelp_;
};

}  // namespace magmo
