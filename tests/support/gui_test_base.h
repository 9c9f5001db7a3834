#pragma once
// The base of a window test class (QtTest), after KeePassXC's GuiTestBase: every test runs
// over a fresh portable program folder ("Make", "Make/Results", "Data" and its crossword.conf)
// in a TempFolder, with HOME and the XDG folders inside it so that no file of the user's is
// read or written, and with PromptAnswers, so no dialog opens and every answer queued must be
// used by the end of the test.
//
//   class MyTest : public gw::test::GuiTestBase {
//     Q_OBJECT
//    private Q_SLOTS:
//     void somethingWorks() { answers().next(QMessageBox::Yes); ... }
//   };
// A test class with init() or cleanup() of its own calls the base's first.
#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>

#include "common/program_folder.h"
#include "tests/support/prompt_answers.h"
#include "tests/support/temp_folder.h"

namespace gw::test {

class GuiTestBase : public QObject {
  Q_OBJECT

 protected:
  const ProgramFolders& folders() const { return folders_; }
  // A path inside the program folder, e.g. "Make/en-5x5.C_WM".
  QString programPath(const QString& relative) const;
  std::filesystem::path settingsFile() const;
  PromptAnswers& answers() { return *answers_; }
  // Copies a file into the program folder (its folders made); returns the copy's path.
  QString copyIn(const QString& source, const QString& relative) const;

 protected Q_SLOTS:
  void initTestCase();
  void init();
  void cleanup();

 private:
  std::unique_ptr<TempFolder> home_;
  std::unique_ptr<TempFolder> program_;
  ProgramFolders folders_;
  std::optional<PromptAnswers> answers_;
};

}  // namespace gw::test
