#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace magmo {

namespace {
constexpr char kActivate[] = "activate\n";
}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  const QByteArray hash = QCryptographicHash::hash((user + '\n' + QDir::homePath()).toUtf8(),
                                                   QCryptographicHash::Sha256);
  return QCoreApplication::applicationName() + '-' + QString::fromLatin1(hash.toHex().left(12));
}

bool SingleInstance::claim() {
  if (server_) return true;
  // Two starts at the same moment would both find nobody and then remove each other's server.
  // The lock is taken over when its holder has died, so a crash does not leave it behind.
  QLockFile lock(QDir(QDir::tempPath()).filePath(name_ + ".lock"));
  const bool locked = lock.tryLock(4 * kTimeoutMs);
  if (askRunningInstance()) return false;
  listen();
  if (locked) lock.unlock();
  return true;
}

bool SingleInstance::askRunningInstance() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kTimeoutMs)) return false;  // nobody, or a file left by a crash
  socket.write(kActivate);
  socket.waitForBytesWritten(kTimeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kTimeoutMs);
  return true;
}

void SingleInstance::listen() {
  // Whatever is left under the name belongs to a dead instance: nobody answered.
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Without a server the program still runs; it only cannot be found by later starts.
  if (!server_->listen(name_)) return;
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

void SingleInstance::readMessage(QLocalSocket* socket) {
  while (socket->canReadLine()) {
    if (socket->readLine(64) == kActivate) emit activateRequested();
  }
  // A peer that never ends its line must not fill memory.
  if (socket->bytesAvailable() > 64) socket->abort();
}

}  // namespace magmo
