#include "authoring/gui/dictionary/dictionary_editor_workflow.h"

#include <QWidget>
#include <chrono>
#include <mutex>
#include <vector>

#include "authoring/composing/dictionary/word_collation.h"
#include "authoring/composing/dictionary/word_lists/import_file.h"
#include "authoring/composing/dictionary/word_lists/import_report.h"
#include "authoring/composing/dictionary/word_lists/word_import.h"
#include "authoring/gui/dictionary/progress_runner.h"
#include "authoring/gui/dictionary/word_list_model.h"
#include "common/errors.h"
#include "gui_common/prompts.h"

namespace gw::gui {

// What the import worker skipped, read once it has ended.
struct DictionaryEditorWorkflow::ImportSummary {
  explicit ImportSummary(Language language) : report(language) {}
  ImportReport report;
  qint64 wordsFound = 0;
};

// Words found by the import worker, waiting for the user-interface thread to merge them.
struct DictionaryEditorWorkflow::ImportBatches {
  std::mutex mutex;
  std::vector<std::vector<WordEntry>> pending;  // sorted runs, in the order found
};

DictionaryEditorWorkflow::DictionaryEditorWorkflow(Language language, std::filesystem::path readFile,
                                                   std::filesystem::path writeFile, QWidget* promptParent,
                                                   QObject* parent)
    : QObject(parent),
      language_(language),
      readFile_(std::move(readFile)),
      writeFile_(std::move(writeFile)),
      promptParent_(promptParent),
      model_(new WordListModel(language, this)),
      importRunner_(new ProgressRunner(promptParent, this)),
      batches_(std::make_shared<ImportBatches>()) {
  connect(importRunner_, &ProgressRunner::finished, this, &DictionaryEditorWorkflow::onImportEnded);
  connect(model_, &QAbstractItemModel::modelReset, this, &DictionaryEditorWorkflow::updateState);
  connect(model_, &QAbstractItemModel::layoutChanged, this, &DictionaryEditorWorkflow::updateState);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &DictionaryEditorWorkflow::updateState);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &DictionaryEditorWorkflow::updateState);
  updateState();
}

DictionaryEditorWorkflow::~DictionaryEditorWorkflow() { endImportQuietly(); }

QString DictionaryEditorWorkflow::caption() const {
  switch (language_) {
    case Language::German: return "Word dictionary : German";
    case Language::Serbian: return "Word dictionary : Serbian (Cyrillic)";
    default: return "Word dictionary : English";
  }
}

bool DictionaryEditorWorkflow::importRunning() const { return importRunner_->isRunning(); }

void DictionaryEditorWorkflow::loadWordFile() { model_->load(readFile_); }

void DictionaryEditorWorkflow::setDictionaryReload(std::function<void(const std::filesystem::path&)> reload) {
  reloadDictionary_ = std::move(reload);
}

void DictionaryEditorWorkflow::setBusyIndicator(std::function<void(const QString&)> show,
                                                std::function<void()> hide) {
  showBusy_ = std::move(show);
  hideBusy_ = std::move(hide);
}

void DictionaryEditorWorkflow::setWord(std::string word) {
  word_ = std::move(word);
  updateState();
}

void DictionaryEditorWorkflow::setSelectedRow(std::optional<int> row) {
  selectedRow_ = row;
  updateState();
}

void DictionaryEditorWorkflow::updateState() {
  DictionaryEditorState next;
  next.count = model_->rowCount();
  next.haveText = !word_.empty();
  next.haveWords = next.count > 0;
  next.haveSelection = selectedRow_ && *selectedRow_ >= 0 && *selectedRow_ < next.count;
  next.importRunning = importRunning();
  if (next == state_) return;
  state_ = next;
  Q_EMIT stateChanged(state_);
}

void DictionaryEditorWorkflow::addWord() {
  if (!state_.canAdd()) return;
  model_->addWord(word_);  // a word listed already: nothing, and no message
}

void DictionaryEditorWorkflow::findWord() {
  if (!state_.canFind()) return;
  const auto row = model_->words().findLongestLeadingPart(word_);
  if (row) Q_EMIT rowFound(static_cast<int>(*row));
  const bool exact = row && model_->words().word(*row).size() == word_.size();
  Q_EMIT noticeChanged(exact ? QString() : "\"" + model_->text().toQString(word_) + "\" not found");
}

void DictionaryEditorWorkflow::deleteWord() {
  if (!state_.canDelete()) return;
  const int row = *selectedRow_;
  const QString word = model_->text().toQString(model_->words().word(static_cast<std::size_t>(row)));
  Question question{caption(), "Delete selected word?!", word, QMessageBox::Ok | QMessageBox::Cancel,
                    QMessageBox::Cancel};
  if (Prompts::ask(promptParent_, question) != QMessageBox::Ok) return;
  model_->removeWordAt(row);
}

void DictionaryEditorWorkflow::recheckWords() {
  if (showBusy_) showBusy_("Re-checking words ...");
  model_->recheck();
  if (hideBusy_) hideBusy_();
}

void DictionaryEditorWorkflow::importWords() {
  if (!state_.canImport()) return;
  FileChoice choice;
  choice.objectName = "importFileDialog";
  const QString path = Prompts::chooseFile(promptParent_, choice);
  if (!path.isEmpty()) importFile(path);
}

void DictionaryEditorWorkflow::importFile(const QString& path) {
  if (importRunning()) return;  // a second import waits for the first to end
  const std::filesystem::path file = path.toStdString();
  ImportFileScan scan;
  try {
    scan = scanImportFile(file);
  } catch (const FileError& e) {
    Q_EMIT failed(QString::fromUtf8(e.what()));
    return;
  }
  Question question{caption(),
                    "Found " + QString::number(scan.lineCount) + " entries!\r\nWant to import?",
                    {},
                    QMessageBox::Yes | QMessageBox::No,
                    QMessageBox::Yes};
  if (Prompts::ask(promptParent_, question) != QMessageBox::Yes) return;
  if (importRunning()) return;

  ProgressRunner::Options options;
  options.inThread = true;
  options.showDialog = true;
  options.canCancel = true;
  options.waitTillFinish = false;
  options.caption = "Processing...";
  options.text = "Please wait";
  options.updateTimes = 200;
  options.position = ProgressRunner::ScreenPosition::BottomRight;
  importRunner_->setOptions(options);
  importAdded_ = 0;
  quietImportEnd_ = false;
  summary_ = std::make_shared<ImportSummary>(language_);

  // The worker reads and converts lines and computes sort keys; the list itself is only
  // ever touched here, on the user-interface thread, in batches.
  const Language language = language_;
  std::shared_ptr<ImportBatches> batches = batches_;
  std::shared_ptr<ImportSummary> summary = summary_;
  ProgressRunner* runner = importRunner_;
  QPointer<DictionaryEditorWorkflow> self(this);
  importRunner_->setJob([=] {
    WordCollation collation(language);
    WordRules rules(language);
    std::vector<WordEntry> batch;
    auto lastHandOver = std::chrono::steady_clock::now();
    auto handOver = [&] {
      lastHandOver = std::chrono::steady_clock::now();
      if (batch.empty()) return;
      WordList::prepareBatch(batch);  // here, not on the user-interface thread
      bool wasEmpty;
      {
        std::lock_guard lock(batches->mutex);
        wasEmpty = batches->pending.empty();
        batches->pending.push_back(std::move(batch));
      }
      batch = {};
      if (wasEmpty)
        QMetaObject::invokeMethod(
            runner,
            [self] {
              if (self) self->drainImportedWords();
            },
            Qt::QueuedConnection);
    };
    ImportCallbacks callbacks;
    callbacks.progress = [&](std::int64_t done, std::int64_t total) {
      runner->updateProgress(done, total);
      if (std::chrono::steady_clock::now() - lastHandOver > std::chrono::milliseconds(100)) handOver();
    };
    callbacks.cancelled = [&] { return runner->cancelled(); };
    callbacks.wordFound = [&](std::string word) {
      ++summary->wordsFound;
      batch.push_back(WordEntry{collation.sortKey(word), std::move(word)});
    };
    callbacks.scoredWordFound = [&](std::string word, int score) {
      ++summary->wordsFound;
      batch.push_back(WordEntry{collation.sortKey(word), std::move(word), score});
    };
    callbacks.lineSkipped = [&](SkippedLine reason, std::int64_t number, std::string_view line) {
      summary->report.skipped(reason, number, line);
    };
    try {
      ImportFileReader reader(file, scan.encoding, language);
      readImportWords(reader, scan.lineCount, rules, callbacks);
    } catch (...) {
      handOver();  // the words found before the error stay
      throw;
    }
    handOver();
  });
  importRunner_->execute(true);
  updateState();
}

void DictionaryEditorWorkflow::drainImportedWords() {
  std::vector<std::vector<WordEntry>> runs;
  {
    std::lock_guard lock(batches_->mutex);
    runs.swap(batches_->pending);
  }
  for (auto& run : runs) importAdded_ += static_cast<qint64>(model_->mergeWords(std::move(run)));
}

void DictionaryEditorWorkflow::onImportEnded(bool cancelled, const QString& error) {
  drainImportedWords();  // the worker has ended: nothing more will come
  updateState();
  const qint64 added = importAdded_;
  Q_EMIT importFinished(added, cancelled);
  if (quietImportEnd_) return;  // the editor is closing
  if (!error.isEmpty()) Q_EMIT failed(error);
  if (added > 0) Prompts::inform(promptParent_, caption(), "Added " + QString::number(added) + " words!");
  // What was left out and why, when lines gave no word (the worker has ended: read safely).
  if (summary_ && summary_->report.anySkipped()) {
    summary_->report.notAdded(summary_->wordsFound - added);
    Prompts::inform(promptParent_, caption(), QString::fromStdString(summary_->report.text()).trimmed());
  }
}

void DictionaryEditorWorkflow::endImportQuietly() {
  if (!importRunning()) return;
  quietImportEnd_ = true;
  importRunner_->cancelAndWait();
}

bool DictionaryEditorWorkflow::save() {
  endImportQuietly();  // OK writes the list as it stands
  try {
    model_->words().save(writeFile_);
  } catch (const FileError& e) {
    Q_EMIT failed(QString::fromUtf8(e.what()));
    return false;
  }
  if (reloadDictionary_) {
    try {
      reloadDictionary_(writeFile_);
    } catch (const FileError& e) {
      Q_EMIT failed(QString::fromUtf8(e.what()));
    }
  }
  return true;
}

void DictionaryEditorWorkflow::discard() { endImportQuietly(); }

}  // namespace gw::gui
