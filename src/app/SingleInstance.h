#pragma once
// One running program per user: a later start hands over to the running one and ends.
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace magmo {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this start should go on (it now answers later starts), false when another
  // instance answered and was asked to come to the front.
  bool claim();
  const QString& serverName() const { return name_; }

  // The application name and a short hash of the user, so two users on one machine never meet.
  static QString defaultServerName();

  // A peer that accepts but never reads must not hold up a start for long.
  static constexpr int kTimeoutMs = 500;

 signals:
  void activateRequested();

 private:
  bool askRunningInstance();
  void listen();
  void readMessage(QLocalSocket* socket);

  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace magmo
