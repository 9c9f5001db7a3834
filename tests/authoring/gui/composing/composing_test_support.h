#pragma once
// A program folder with small word lists and queued prompt answers, for driving the composing
// workflow and page without modal windows.
#include <QAction>
#include <QMainWindow>
#include <QStringList>
#include <QTest>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/composer.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/compose_sounds.h"
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/composing/composing_workflow.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "common/program_folder.h"
#include "tests/support/prompt_answers.h"
#include "tests/support/random_words.h"
#include "tests/support/temp_folder.h"

namespace gw::gui::testing {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& path) { return test::readFile(path); }
inline void writeBytes(const fs::path& path, const std::string& bytes) { test::writeFile(path, bytes); }

// Every word over `alphabet` of `length` letters, each kept with the chance `keep` (fixed seed).
inline std::vector<std::string> someWords(const std::string& alphabet, int length, double keep,
                                          unsigned seed) {
  return test::randomWords(alphabet, {length}, keep, seed);
}

// Words of three and four letters: the 4 × 4 layout with isles in two corners has a few fills.
inline std::vector<std::string> fewWords() {
  std::vector<std::string> words = someWords("ABC", 3, 0.4, 7);
  for (const std::string& w : someWords("ABC", 4, 0.12, 7)) words.push_back(w);
  return words;
}

// A portable program folder in a temporary folder: Make/EN.words, DE.words, YU.words and
// Make/Results.
class ProgramFolderFixture {
 public:
  ProgramFolderFixture() : root_(dir_.path()) {
    fs::create_directories(root_ / "Make" / "Results");
    folders_ = programFoldersFor(root_, root_);
  }
  void writeWords(const std::string& file, const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += w + "\r\n";
    writeBytes(root_ / "Make" / file, text);
  }
  const ProgramFolders& folders() const { return folders_; }
  fs::path path(const std::string& relative) const { return root_ / relative; }
  fs::path results() const { return root_ / "Make" / "Results"; }
  // Every result file by name with its bytes.
  std::map<std::string, std::string> resultFiles() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(results()))
      files[entry.path().filename().string()] = readBytes(entry.path());
    return files;
  }

 private:
  test::TempFolder dir_{"gw_page"};
  fs::path root_;
  ProgramFolders folders_;
};

class RecordedSounds : public ComposeSoundOutput {
 public:
  std::vector<ComposerSound> played;
  void play(ComposerSound sound) override { played.push_back(sound); }
  int count(ComposerSound sound) const {
    return static_cast<int>(std::count(played.begin(), played.end(), sound));
  }
};

// A workflow over a fresh program folder, with queued prompt answers and recorded sounds and
// failures: the common ground of the workflow's test classes.
class WorkflowTestBase : public QObject {
 protected:
  std::unique_ptr<ProgramFolderFixture> program_;
  std::unique_ptr<Dictionary> dictionary_;
  FileDialogFolders dialogFolders_;
  std::unique_ptr<test::PromptAnswers> answers_;
  RecordedSounds sounds_;
  std::unique_ptr<ComposingWorkflow> ownWorkflow_;
  ComposingWorkflow* workflow_ = nullptr;
  QStringList failures_;
  QString caption_;

  LayoutSession& session() { return workflow_->controller().session(); }
  ComposingStatus status() const { return workflow_->status(); }
  void newLayout(int rows, int columns, Language language = Language::English) {
    workflow_->newLayout(rows, columns, language);
  }
  void type(int row, int column, const char* letters) {
    workflow_->setCurrentCell({row, column});
    for (const char* p = letters; *p; ++p) workflow_->typeCharacter(*p);
  }
  void isleAt(int row, int column) {
    workflow_->setCurrentCell({row, column});
    workflow_->setIsle();
  }
  char cell(int row, int column) {
    const BoardCell& c = session().layout().board.cell(row, column);
    return c.length == 0 ? '.' : c.character == kIsle ? '#' : c.character;
  }
  // The first save of a layout asks for its name: `name` in Make/.
  void nameOnFirstSave(const std::string& name) {
    if (!session().hasFileName())
      answers_->nextFile(QString::fromStdString(program_->path("Make/" + name).string()));
  }
  // Start compose; no `order`: the author cancels the word order dialog.
  void startAs(const std::string& name, const ComposingWorkflow::WordOrderChoice& order = {}) {
    nameOnFirstSave(name);
    workflow_->startComposing(order);
  }
  void waitUntilNotRunning() {
    QTRY_VERIFY_WITH_TIMEOUT(workflow_->controller().state() != ComposingState::Running, 60000);
  }

  void resetProgram(const std::vector<std::string>& englishWords,
                    const std::vector<std::string>& germanWords) {
    program_ = std::make_unique<ProgramFolderFixture>();
    program_->writeWords("EN.words", englishWords);
    program_->writeWords("DE.words", germanWords);
    program_->writeWords("YU.words", {});
    dictionary_ = std::make_unique<Dictionary>();
    dialogFolders_ = {};
    sounds_ = RecordedSounds();
    failures_.clear();
    caption_.clear();
    answers_ = std::make_unique<test::PromptAnswers>();
  }
  void watch(ComposingWorkflow& workflow) {
    workflow_ = &workflow;
    workflow_->controller().setSoundOutput(&sounds_);
    connect(workflow_, &ComposingWorkflow::failed, this,
            [this](const ComposingFailure& f) { failures_ << f.text; });
    connect(workflow_, &ComposingWorkflow::captionChanged, this, [this](const QString& c) { caption_ = c; });
  }
  // A new program folder with these English and German word lists (no Serbian one), and a
  // workflow on it.
  void openWorkflow(const std::vector<std::string>& englishWords,
                    const std::vector<std::string>& germanWords) {
    resetProgram(englishWords, germanWords);
    ownWorkflow_ = std::make_unique<ComposingWorkflow>(*dictionary_, program_->folders(), dialogFolders_);
    watch(*ownWorkflow_);
  }
  void closeWorkflow() {
    if (workflow_) workflow_->stopBeforeExit();
    ownWorkflow_.reset();
    workflow_ = nullptr;
    answers_.reset();
  }
};

// A composing page shown in a window of its own over a fresh program folder.
class ComposingPageTestBase : public WorkflowTestBase {
 protected:
  std::unique_ptr<QMainWindow> window_;
  ComposingPage* page_ = nullptr;

  LayoutGridView* grid() { return page_->grid(); }
  QAction* action(const char* name) { return page_->findChild<QAction*>(name); }
  void newLayout(int rows, int columns, Language language = Language::English) {
    WorkflowTestBase::newLayout(rows, columns, language);
    grid()->setFocus();
  }

  // `decorate` adds to the window before it is shown.
  void openPage(const std::vector<std::string>& englishWords, const std::vector<std::string>& germanWords,
                const std::function<void(QMainWindow&)>& decorate = {}) {
    resetProgram(englishWords, germanWords);
    window_ = std::make_unique<QMainWindow>();
    page_ = new ComposingPage(*dictionary_, program_->folders(), dialogFolders_);
    watch(page_->workflow());
    window_->setCentralWidget(page_);
    if (decorate) decorate(*window_);
    window_->resize(300, 300);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void closePage() {
    if (page_) page_->stopBeforeExit();
    window_.reset();
    page_ = nullptr;
    workflow_ = nullptr;
    answers_.reset();
  }
};

}  // namespace gw::gui::testing
