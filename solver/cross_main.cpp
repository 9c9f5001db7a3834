// Cross: start-up of the solver. One copy per user; the crossword comes from the
// first argument or from the open dialog.
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>

#include "common/program_folder.h"
#include "solver/board_window.h"
#include "solver/instance_channel.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminate(int) {
  char byte = 1;
  // Only the pipe is touched here; the event loop does the rest.
  [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP close the window as the player would, so progress is kept.
void closeOnTerminationSignals(BoardWindow& window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
    char byte;
    [[maybe_unused]] ssize_t n = ::read(signalPipe[0], &byte, 1);
    notifier->setEnabled(false);
    // Closing saves the progress (and says so on standard error if it cannot); the process
    // ends either way.
    window.setUnattended();
    if (!window.close()) QCoreApplication::exit(0);
  });
  struct sigaction sa {};
  sa.sa_handler = onTerminate;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &sa, nullptr);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Cross");
  QApplication::setApplicationDisplayName("Crossword Solving Tool");
  QApplication::setDesktopFileName("cross");

  // The single running copy: a second start hands its crossword (or nothing) to it, which
  // comes to the front, and ends at once, without a word.
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  const QString lockName = runtime + "/Fennick Crossword Solving";
  QLockFile lock(lockName + ".lock");
  lock.setStaleLockTime(0);
  QStringList args = app.arguments();
  QString path = args.size() > 1 ? args.at(1) : QString();
  if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
    InstanceChannel::handOver(lockName + ".socket",
                              path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
    return 0;
  }

  gw::ProgramFolders folders = gw::programFolders();
  BoardWindow window(folders.configPath("CROSS.CONF"), folders.readPath("Data").string(),
                     std::make_unique<EffectSoundOutput>());
  QObject::connect(&window, &BoardWindow::finished, &app, &QCoreApplication::quit);
  app.setQuitOnLastWindowClosed(false);

  if (path.isEmpty()) {
    path = window.chooseCrosswordAtStart();
    if (path.isEmpty()) return 0;
  }
  if (!window.loadCrossword(path)) {
    window.saveSettingsAndCloseClues();
    return 1;
  }

  InstanceChannel channel(lockName + ".socket");
  QObject::connect(&channel, &InstanceChannel::crosswordHandedOver, &window,
                   &BoardWindow::acceptHandedOverCrossword);
  if (!channel.listen())
    std::fprintf(stderr, "Cross: a second copy cannot hand crosswords over to this one\n");

  closeOnTerminationSignals(window);
  // Log-out, or a quit from anywhere else: the letters typed so far are kept.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) {
                     window.setUnattended();
                     window.saveProgress();
                   });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] {
    if (window.isVisible()) window.close();
  });

  window.show();
  window.activateWindow();
  window.raise();
  return app.exec();
}
