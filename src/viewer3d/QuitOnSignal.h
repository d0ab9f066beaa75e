#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into an orderly QCoreApplication::quit, so a viewer that its
// starter terminates still runs its aboutToQuit handlers.
#include <QObject>

class QSocketNotifier;

class QuitOnSignal : public QObject {
  Q_OBJECT
 public:
  explicit QuitOnSignal(QObject* parent = nullptr);

 private:
  QSocketNotifier* notifier_ = nullptr;
};
