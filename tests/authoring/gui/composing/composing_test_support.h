#pragma once
// A program folder with small word lists, and prompts that answer as a test says, for
// driving the composing page without modal windows.
#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "authoring/composing/composer.h"
#include "authoring/composing/dictionary.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/compose_sounds.h"
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/composing/composing_prompts.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "common/program_folder.h"

namespace gw::gui::testing {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Every word over `alphabet` of `length` letters, each kept with the chance `keep` (fixed seed).
inline std::vector<std::string> someWords(const std::string& alphabet, int length, double keep,
                                          unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> coin(0, 1);
  std::vector<std::string> all{""};
  for (int k = 0; k < length; ++k) {
    std::vector<std::string> next;
    for (const std::string& prefix : all)
      for (char ch : alphabet) next.push_back(prefix + ch);
    all.swap(next);
  }
  std::vector<std::string> kept;
  for (const std::string& w : all)
    if (coin(rng) < keep) kept.push_back(w);
  return kept;
}

// A portable program folder in a temporary folder: Make/EN.words, DE.words, YU.words and
// Make/Results.
class ProgramFolderFixture {
 public:
  ProgramFolderFixture() {
    QVERIFY(dir_.isValid());
    root_ = fs::path(dir_.path().toStdString());
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
  // Memory-backed where there is one: the composer syncs every file it writes.
  QTemporaryDir dir_{
      QDir(QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath()).filePath("gw_page_XXXXXX")};
  fs::path root_;
  ProgramFolders folders_;
};

// Answers in place of the author; records every message.
class ScriptedPrompts : public ComposingPrompts {
 public:
  std::optional<NewLayoutValues> nextLayout;
  QString openFile;
  QString saveFile;
  bool continueAnswer = true;
  // Turns the proposed order into the author's answer; unset: Cancel.
  std::function<std::optional<std::vector<int>>(const std::vector<Slot>&)> orderAnswer;
  std::vector<Slot> shownOrder;
  QStringList informations;
  QStringList errors;
  int continueQuestions = 0;
  int saveDialogs = 0;

  std::optional<NewLayoutValues> newLayout(QWidget*) override { return nextLayout; }
  QString openFileName(QWidget*, const QString&) override { return openFile; }
  QString saveFileName(QWidget*, const QString&, const QString&) override {
    ++saveDialogs;
    return saveFile;
  }
  std::optional<std::vector<int>> wordOrder(QWidget*, int, int, const std::vector<Slot>& order) override {
    shownOrder = order;
    return orderAnswer ? orderAnswer(order) : std::nullopt;
  }
  bool confirmContinue(QWidget*) override {
    ++continueQuestions;
    return continueAnswer;
  }
  void information(QWidget*, const QString& text) override { informations << text; }
  void error(QWidget*, const QString& text) override { errors << text; }
};

class RecordedSounds : public ComposeSoundOutput {
 public:
  std::vector<ComposerSound> played;
  void play(ComposerSound sound) override { played.push_back(sound); }
  int count(ComposerSound sound) const {
    return static_cast<int>(std::count(played.begin(), played.end(), sound));
  }
};

// A composing page shown in a window of its own over a fresh program folder, with scripted
// prompts and recorded sounds: the common ground of the page's test classes.
class ComposingPageTestBase : public QObject {
 protected:
  std::unique_ptr<ProgramFolderFixture> program_;
  std::unique_ptr<Dictionary> dictionary_;
  FileDialogFolders dialogFolders_;
  std::unique_ptr<QMainWindow> window_;
  ComposingPage* page_ = nullptr;
  ScriptedPrompts prompts_;
  RecordedSounds sounds_;

  LayoutGridView* grid() { return page_->grid(); }
  LayoutSession& session() { return page_->controller().session(); }
  QAction* action(const char* name) { return page_->findChild<QAction*>(name); }
  void idlePass() { page_->updateActions(true); }
  void newLayout(int rows, int columns, Language language = Language::English) {
    prompts_.nextLayout = NewLayoutValues{rows, columns, language};
    idlePass();
    action("newLayoutAction")->trigger();
    grid()->setFocus();
  }

  // A new program folder with these English and German word lists (no Serbian one), and the
  // page on it; `decorate` adds to the window before it is shown.
  void openPage(const std::vector<std::string>& englishWords, const std::vector<std::string>& germanWords,
                const std::function<void(QMainWindow&)>& decorate = {}) {
    program_ = std::make_unique<ProgramFolderFixture>();
    program_->writeWords("EN.words", englishWords);
    program_->writeWords("DE.words", germanWords);
    program_->writeWords("YU.words", {});
    dictionary_ = std::make_unique<Dictionary>();
    dialogFolders_ = {};
    prompts_ = ScriptedPrompts();
    sounds_ = RecordedSounds();
    window_ = std::make_unique<QMainWindow>();
    page_ = new ComposingPage(*dictionary_, program_->folders(), dialogFolders_);
    page_->setPrompts(&prompts_);
    page_->controller().setSoundOutput(&sounds_);
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
  }
};

}  // namespace gw::gui::testing
