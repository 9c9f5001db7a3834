#include "solver/instance_channel.h"

#include <QLocalSocket>

namespace gw::cross {

namespace {
constexpr int kTimeoutMs = 2000;
constexpr qint64 kLongestMessage = 64 * 1024;  // a path, never more
}  // namespace

InstanceChannel::InstanceChannel(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {
  connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::acceptConnection);
}

bool InstanceChannel::listen() {
  // The lock says no other copy runs, so a socket still there is stale.
  QLocalServer::removeServer(socketPath_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  return server_.listen(socketPath_);
}

void InstanceChannel::acceptConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // One line, the path in UTF-8; whatever else arrives is not a path and is dropped.
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestMessage) socket->abort();
        return;
      }
      QString path = QString::fromUtf8(socket->readLine(kLongestMessage)).chopped(1);
      socket->disconnectFromServer();
      emit crosswordHandedOver(path);
    });
  }
}

bool InstanceChannel::handOver(const QString& socketPath, const QString& crosswordPath) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(kTimeoutMs)) return false;
  QByteArray message = crosswordPath.toUtf8();
  message.replace('\n', ' ');  // never two messages from one path
  socket.write(message + '\n');
  bool sent = socket.waitForBytesWritten(kTimeoutMs);
  socket.disconnectFromServer();
  return sent;
}

}  // namespace gw::cross
