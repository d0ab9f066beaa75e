#include "app/ContextHelp.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QWhatsThis>
#include <QWidget>

namespace magmo {

ContextHelp::ContextHelp(QWidget* window, std::function<int(const QWidget*)> topicOf, std::function<void(int)> showHelp)
    : QObject(window), window_(window), topicOf_(std::move(topicOf)), showHelp_(std::move(showHelp)) {
  qApp->installEventFilter(this);
}

bool ContextHelp::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  if (type != QEvent::ContextMenu && type != QEvent::QueryWhatsThis && type != QEvent::WhatsThis) return false;
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w->window() != window_) return false;
  const int topic = topicOf_(w);
  switch (type) {
    case QEvent::ContextMenu:
      // Fields keep their own menu (cut, copy, paste).
      if (topic == 0 || qobject_cast<QLineEdit*>(w)) return false;
      showHelp_(topic);
      return true;
    case QEvent::QueryWhatsThis:
      e->setAccepted(topic != 0 || !w->toolTip().isEmpty());
      return true;
    default: {
      QString text = w->toolTip();
      if (topic != 0) text += QString(text.isEmpty() ? "" : "\n\n") + "Right-click for its page in the help.";
      QWhatsThis::showText(static_cast<QHelpEvent*>(e)->globalPos(), text, w);
      return true;
    }
  }
}

}  // namespace magmo
