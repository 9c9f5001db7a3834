#include "authoring/gui/editing/user_interaction.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace gw::gui {

void UserInteraction::showMessage(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

bool UserInteraction::confirmSaveChanges(QWidget* parent) {
  return QMessageBox::question(parent, QCoreApplication::applicationName(), QStringLiteral("Save changes?"),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString UserInteraction::chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString UserInteraction::chooseSaveFile(QWidget* parent, const QString& title, const QString& proposed,
                                        const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(parent, title, proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  // Saving a crossword replaces an existing file of that name without a question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (QFileInfo(proposed).isFile()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString UserInteraction::choosePictureFile(QWidget* parent, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

void UserInteraction::startSolver(const QString& crosswordPath) {
  const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Cross"));
  QString solver =
      QFileInfo(beside).isExecutable() ? beside : QStandardPaths::findExecutable(QStringLiteral("Cross"));
  if (!solver.isEmpty() && QProcess::startDetached(solver, {crosswordPath})) return;
  // Nothing is shown when no program opens crossword files, as the desktop decides that.
  QDesktopServices::openUrl(QUrl::fromLocalFile(crosswordPath));
}

void UserInteraction::beep() { QApplication::beep(); }

}  // namespace gw::gui
