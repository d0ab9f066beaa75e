#include "app/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

namespace magmo {

namespace {

QDBusMessage callScreenSaver(const QString& method, const QVariantList& args) {
  QDBusMessage msg = QDBusMessage::createMethodCall(
      "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", method);
  msg.setArguments(args);
  // Starting a service on demand could outlast the timeout; one that is not running is absent.
  msg.setAutoStartService(false);
  return QDBusConnection::sessionBus().call(msg, QDBus::Block, ScreenSaverInhibitor::kTimeoutMs);
}

}  // namespace

ScreenSaverInhibitor::~ScreenSaverInhibitor() { setInhibited(false); }

bool ScreenSaverInhibitor::setInhibited(bool on) {
  if (on == inhibited()) return true;
  if (on) {
    const QDBusMessage reply =
        callScreenSaver("Inhibit", {QStringLiteral("Magmo"), QStringLiteral("An eruption simulation is running")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) return false;
    bool ok = false;
    const unsigned cookie = reply.arguments().front().toUInt(&ok);
    if (!ok) return false;
    cookie_ = cookie;
    return true;
  }
  const unsigned cookie = *cookie_;
  // A service that went away took its inhibitions with it; the cookie is worthless either way.
  cookie_.reset();
  return callScreenSaver("UnInhibit", {QVariant::fromValue(cookie)}).type() == QDBusMessage::ReplyMessage;
}

}  // namespace magmo
