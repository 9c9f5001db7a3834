#pragma once
// What the editing tests share: dialogs driven while they are shown modally, crossword files
// and JPEG pictures made on the spot. The user's answers come from gw::test::PromptAnswers.
#include <QDialog>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

#include "common/crossword_file.h"

namespace gw::gui::testing {

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
// The crossword file as the authoring program reads it.
CrosswordFile readBack(const QString& path);
void writeBytes(const QString& path, const std::string& bytes);

}  // namespace gw::gui::testing
