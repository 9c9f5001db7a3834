#pragma once
// SIGTERM, SIGINT and SIGHUP (log-out, `kill`, Ctrl+C in a terminal) turned into a Qt signal in
// the event loop, so that a program can close as its user would and keep what it holds.
//
// The C handler only writes the signal's number to a socket pair; the event loop reads it and
// emits received(). Every signal is delivered, a second one included: what it means is the
// program's choice. A signal that was ignored when the program started (nohup) stays ignored.
// One instance per process; destroying it gives the signals back their default action.
#include <QObject>
#include <vector>

class QSocketNotifier;

namespace gw::gui {

class TerminationSignals : public QObject {
  Q_OBJECT
 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // False when the socket pair could not be made: the signals keep their default action.
  bool isInstalled() const { return notifier_ != nullptr; }

 Q_SIGNALS:
  // SIGTERM, SIGINT or SIGHUP arrived.
  void received(int signalNumber);

 private:
  void readPending();

  QSocketNotifier* notifier_ = nullptr;
  std::vector<int> installed_;  // the signals handled here
};

}  // namespace gw::gui
