#pragma once
// What the editing tests share: a user who answers from a script, dialogs driven while
// they are shown modally, crossword files and JPEG pictures made on the spot.
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

#include "authoring/gui/editing/user_interaction.h"
#include "common/crossword_file.h"

namespace gw::gui::testing {

class ScriptedInteraction : public UserInteraction {
 public:
  QStringList messages;
  std::deque<bool> saveChangesAnswers;                     // Yes is true; an empty script answers No
  std::deque<QString> openFiles, saveFiles, pictureFiles;  // an empty script cancels
  QStringList proposedSaveNames;
  QStringList solverStarts;
  int questions = 0;
  int beeps = 0;

  void showMessage(QWidget*, const QString& text) override { messages << text; }
  bool confirmSaveChanges(QWidget*) override {
    ++questions;
    if (saveChangesAnswers.empty()) return false;
    const bool yes = saveChangesAnswers.front();
    saveChangesAnswers.pop_front();
    return yes;
  }
  QString chooseOpenFile(QWidget*, const QString&, const QString&) override { return next(openFiles); }
  QString chooseSaveFile(QWidget*, const QString&, const QString& proposed, const QString&,
                         const QString&) override {
    proposedSaveNames << proposed;
    return next(saveFiles);
  }
  QString choosePictureFile(QWidget*, const QString&) override { return next(pictureFiles); }
  void startSolver(const QString& path) override { solverStarts << path; }
  void beep() override { ++beeps; }

 private:
  static QString next(std::deque<QString>& script) {
    if (script.empty()) return {};
    QString s = script.front();
    script.pop_front();
    return s;
  }
};

// Drives the dialogs that `source` shows modally, one script step per dialog, in order.
class DialogScript {
 public:
  using Step = std::function<void(QDialog*)>;
  template <typename Source>
  explicit DialogScript(Source* source) {
    connection_ = QObject::connect(source, &Source::dialogOpened, source, [this](QDialog* dialog) {
      if (steps_.empty()) {
        QTimer::singleShot(0, dialog, &QDialog::reject);  // an unexpected dialog
        ++unexpected_;
        return;
      }
      Step step = std::move(steps_.front());
      steps_.pop_front();
      QTimer::singleShot(0, dialog, [dialog, step] { step(dialog); });
    });
  }
  ~DialogScript() { QObject::disconnect(connection_); }
  DialogScript& then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  bool finished() const { return steps_.empty() && unexpected_ == 0; }

 private:
  QMetaObject::Connection connection_;
  std::deque<Step> steps_;
  int unexpected_ = 0;
};

// A small two-colour JPEG picture.
std::string samplePicture(int width = 40, int height = 20, bool redFirst = true);

// The board of two rows "AB " and "CDE" with clue bytes for the across word CDE.
CrosswordFile smallCrossword(int charset = 0, const std::string& clueOfCde = {});

std::string readBytes(const QString& path);
void writeBytes(const QString& path, const std::string& bytes);

}  // namespace gw::gui::testing
