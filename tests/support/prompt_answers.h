#pragma once
// For the length of one test: no dialog opens, questions take their queued answers (or their
// escape button), and at the end nothing queued may be left unused.
#include <QTest>

#include "gui_common/prompts.h"

namespace gw::test {

class PromptAnswers {
 public:
  PromptAnswers() {
    gui::Prompts::reset();
    gui::Prompts::setTesting(true);
  }
  ~PromptAnswers() {
    gui::Prompts::reset();
    gui::Prompts::setTesting(false);
  }
  void next(QMessageBox::StandardButton answer) { gui::Prompts::setNextAnswer(answer); }
  void nextFile(const QString& fileName) { gui::Prompts::setNextFileName(fileName); }
  QStringList shown() const { return gui::Prompts::shown(); }
  bool allUsed() const {
    return gui::Prompts::pendingAnswers() == 0 && gui::Prompts::pendingFileNames() == 0;
  }
};

}  // namespace gw::test
