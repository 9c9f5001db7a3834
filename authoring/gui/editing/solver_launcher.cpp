#include "authoring/gui/editing/solver_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace gw::gui {

void launchSolver(const QString& crosswordPath) {
  const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Cross"));
  const QString solver =
      QFileInfo(beside).isExecutable() ? beside : QStandardPaths::findExecutable(QStringLiteral("Cross"));
  if (!solver.isEmpty() && QProcess::startDetached(solver, {crosswordPath})) return;
  // Nothing is shown when no program opens crossword files, as the desktop decides that.
  QDesktopServices::openUrl(QUrl::fromLocalFile(crosswordPath));
}

}  // namespace gw::gui
