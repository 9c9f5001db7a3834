#pragma once
// How a second copy of Cross reaches the running one: the running copy listens on a local
// socket beside its lock, and a second copy started with a crossword hands the path over.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace gw::cross {

class InstanceChannel : public QObject {
  Q_OBJECT
 public:
  // `socketPath` is a full path, so that every user has a channel of their own.
  explicit InstanceChannel(QString socketPath, QObject* parent = nullptr);

  // The running copy starts listening; a socket left behind by a copy that crashed is replaced.
  bool listen();

  // From a second copy: sends the crossword's path (empty: just come to the front).
  // False when no copy listens.
  static bool handOver(const QString& socketPath, const QString& crosswordPath);

 signals:
  void crosswordHandedOver(const QString& path);

 private:
  void acceptConnection();

  QString socketPath_;
  QLocalServer server_;
};

}  // namespace gw::cross
