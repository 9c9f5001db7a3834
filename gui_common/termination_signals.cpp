#include "gui_common/termination_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace gw::gui {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// [0] is read by the event loop, [1] written by the handler. Plain ints: the handler may touch
// nothing else.
int socketPair[2] = {-1, -1};

void onSignal(int signalNumber) {
  const int saved = errno;  // the interrupted code may be about to read errno
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  // Non-blocking: with the socket full, the signals already queued say enough.
  [[maybe_unused]] const ssize_t n = ::write(socketPair[1], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (socketPair[0] >= 0) return;  // another instance has them
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, socketPair) != 0) {
    socketPair[0] = socketPair[1] = -1;
    return;
  }
  notifier_ = new QSocketNotifier(socketPair[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kSignals) {
    // A signal ignored when the program started (nohup, a background job's SIGINT) stays so.
    struct sigaction current {};
    if (::sigaction(s, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &action, nullptr);
    installed_.push_back(s);
  }
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  for (int s : installed_) std::signal(s, SIG_DFL);
  delete notifier_;
  ::close(socketPair[0]);
  ::close(socketPair[1]);
  socketPair[0] = socketPair[1] = -1;
}

void TerminationSignals::readPending() {
  // One a time: a receiver may run a nested event loop, and the notifier fires again for the rest.
  unsigned char byte;
  if (::read(socketPair[0], &byte, 1) == 1) Q_EMIT received(byte);
}

}  // namespace gw::gui
