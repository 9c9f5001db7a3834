#include "tests/support/gui_test_base.h"

#include <QFile>
#include <QTest>

namespace fs = std::filesystem;

namespace gw::test {

QString GuiTestBase::programPath(const QString& relative) const {
  return QFile::decodeName((program_->path() / QFile::encodeName(relative).toStdString()).c_str());
}

fs::path GuiTestBase::settingsFile() const { return folders_.configPath("crossword.conf"); }

QString GuiTestBase::copyIn(const QString& source, const QString& relative) const {
  const QString target = programPath(relative);
  fs::create_directories(fs::path(QFile::encodeName(target).toStdString()).parent_path());
  QFile::remove(target);
  if (!QFile::copy(source, target)) qWarning("cannot copy %s", qPrintable(source));
  return target;
}

void GuiTestBase::initTestCase() {
  home_ = std::make_unique<TempFolder>("gw_gui_home");
  const QByteArray home = QFile::encodeName(QString::fromStdString(home_->str()));
  qputenv("HOME", home);
  qputenv("XDG_CONFIG_HOME", home + "/.config");
  qputenv("XDG_DATA_HOME", home + "/.local/share");
  qputenv("XDG_RUNTIME_DIR", home);
}

void GuiTestBase::init() {
  program_ = std::make_unique<TempFolder>("gw_gui_program");
  folders_ = ProgramFolders{};
  folders_.executableFolder = folders_.dataFolder = folders_.writableFolder = folders_.configFolder =
      program_->path();
  fs::create_directories(folders_.resultsFolder());
  fs::create_directories(program_->path() / "Data");
  answers_.emplace();
}

void GuiTestBase::cleanup() {
  const bool allUsed = answers_->allUsed();
  answers_.reset();
  program_.reset();
  QVERIFY2(allUsed, "an answer queued for a prompt was never asked for");
}

}  // namespace gw::test
