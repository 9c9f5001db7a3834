// Cross: start-up of the solver. One copy per user; the crossword comes from the
// first argument or from the open dialog.
#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "common/program_folder.h"
#include "solver/main_form.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminate(int) {
  char byte = 1;
  // Only the pipe is touched here; the event loop does the rest.
  [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP close the window as the player would, so progress is kept.
void closeOnTerminationSignals(TMainForm& form) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &form);
  QObject::connect(notifier, &QSocketNotifier::activated, &form, [&form, notifier] {
    char byte;
    [[maybe_unused]] ssize_t n = ::read(signalPipe[0], &byte, 1);
    notifier->setEnabled(false);
    // Closing saves the progress (and says so if it cannot); the process ends either way.
    if (!form.close()) QCoreApplication::exit(0);
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

  // The single running copy: a second start ends at once, without a word.
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  QLockFile lock(runtime + "/Fennick Crossword Solving.lock");
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) return 0;

  gw::ProgramFolders folders = gw::programFolders();
  TMainForm form(folders.configPath("CROSS.CONF"), folders.readPath("Data").string(),
                 std::make_unique<EffectSoundOutput>());
  QObject::connect(&form, &TMainForm::finished, &app, &QCoreApplication::quit);
  app.setQuitOnLastWindowClosed(false);

  QStringList args = app.arguments();
  QString path = args.size() > 1 ? args.at(1) : QString();
  if (path.isEmpty()) {
    path = form.chooseCrosswordAtStart();
    if (path.isEmpty()) return 0;
  }
  if (!form.LoadCrossword(path)) {
    form.FormDestroy();
    return 1;
  }

  closeOnTerminationSignals(form);
  // Log-out, or a quit from anywhere else: the letters typed so far are kept.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                   [&form](QSessionManager&) { form.SaveProgress(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] {
    if (form.isVisible()) form.close();
  });

  form.show();
  form.activateWindow();
  form.raise();
  return app.exec();
}
