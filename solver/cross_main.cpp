// Cross: start-up of the solver. One copy per user; the crossword comes from the
// first argument or from the open dialog.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSessionManager>
#include <QStandardPaths>
#include <cstdio>
#include <string>

#include "common/program_folder.h"
#include "gui_common/termination_signals.h"
#include "solver/board_window.h"
#include "solver/core/private_folder.h"
#include "solver/instance_channel.h"

using gw::cross::BoardWindow;
using gw::cross::InstanceChannel;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Cross");
  QApplication::setApplicationDisplayName("Crossword Solving Tool");
  QApplication::setDesktopFileName("cross");

  // The single running copy: a second start hands its crossword (or nothing) to it, which
  // comes to the front, and ends at once, without a word. Lock and socket live only in a folder
  // no other user can reach; where there is none, or the lock cannot be taken for another reason
  // than a running copy, this copy says so and runs on its own.
  std::string why;
  const auto runtime = gw::cross::privateRuntimeFolder(
      QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).toStdString(),
      QFile::encodeName(QDir::tempPath()).toStdString(), why);
  const QString lockName =
      runtime ? QFile::decodeName(runtime->c_str()) + "/Fennick Crossword Solving" : QString();
  QLockFile lock(runtime ? lockName + ".lock" : QString());
  lock.setStaleLockTime(0);
  QStringList args = app.arguments();
  QString path = args.size() > 1 ? args.at(1) : QString();
  bool handOver = runtime.has_value();
  if (!runtime) {
    std::fprintf(stderr, "Cross: no private folder for the lock (%s): running without hand-over\n",
                 why.c_str());
  } else if (!lock.tryLock(0)) {
    if (lock.error() == QLockFile::LockFailedError) {
      InstanceChannel::handOver(lockName + ".socket",
                                path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
      return 0;
    }
    std::fprintf(stderr, "Cross: the lock \"%s\" cannot be taken: running without hand-over\n",
                 QFile::encodeName(lockName + ".lock").constData());
    handOver = false;
  }

  gw::ProgramFolders folders = gw::programFolders();
  BoardWindow window(folders.configPath("CROSS.CONF"), folders.readPath("Data").string(),
                     std::make_unique<gw::cross::EffectSoundOutput>());
  QObject::connect(&window, &BoardWindow::finished, &app, &QCoreApplication::quit);
  app.setQuitOnLastWindowClosed(false);

  // SIGTERM, SIGINT and SIGHUP (log-out, kill) close the window as the player would, so the
  // letters typed are kept; a progress file that cannot be written is reported on standard
  // error, since nobody is there to answer a message box. Installed before anything can ask
  // the player, so that a signal during the open dialog or a start-up message is handled too:
  // every event loop running, nested ones included, ends, and the start-up goes no further.
  bool terminated = false;
  gw::gui::TerminationSignals terminationSignals;
  QObject::connect(&terminationSignals, &gw::gui::TerminationSignals::received, &window,
                   [&window, &terminated] {
                     if (terminated) return;
                     terminated = true;
                     window.setUnattended();
                     window.finishForGood();
                     window.close();
                     QCoreApplication::exit(0);
                   });
  const auto exitStatus = [&window](int status) { return window.progressLost() ? 1 : status; };

  if (path.isEmpty()) {
    path = window.chooseCrosswordAtStart();
    if (terminated || path.isEmpty()) return exitStatus(0);
  }
  if (!window.loadCrossword(path)) {
    if (!terminated) window.saveSettingsAndCloseClues();
    return exitStatus(1);
  }
  if (terminated) return exitStatus(0);  // during a start-up message: the progress is saved

  InstanceChannel channel(lockName + ".socket");
  QObject::connect(&channel, &InstanceChannel::crosswordHandedOver, &window,
                   &BoardWindow::acceptHandedOverCrossword);
  if (handOver && !channel.listen())
    std::fprintf(stderr, "Cross: a second copy cannot hand crosswords over to this one\n");

  // Log-out, or a quit from anywhere else: the letters typed so far are kept.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) {
    window.setUnattended();
    window.saveProgress();
  });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] {
    if (window.isVisible()) window.close();
  });

  window.show();
  window.activateWindow();
  window.raise();
  return exitStatus(app.exec());
}
