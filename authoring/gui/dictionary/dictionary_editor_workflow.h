#pragma once
// What the dictionary editor decides, without its widgets: the word list of one language,
// adding, finding and deleting words, imports on a worker thread, "Re-check", and writing
// the word file on OK. The dialog shows the state this emits and binds its actions here.
#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/language.h"

class QWidget;

namespace gw::gui {

class ProgressRunner;
class WordListModel;

// Everything the editor's commands are enabled from.
struct DictionaryEditorState {
  bool haveText = false;  // the word box holds a word
  bool haveWords = false;
  bool haveSelection = false;
  bool importRunning = false;
  int count = 0;

  bool canAdd() const { return haveText; }
  bool canFind() const { return haveWords && haveText; }
  bool canDelete() const { return haveWords && haveSelection; }
  bool canImport() const { return !importRunning; }  // one import at a time
  bool operator==(const DictionaryEditorState&) const = default;
};

class DictionaryEditorWorkflow : public QObject {
  Q_OBJECT
 public:
  // `readFile` is the word file the list comes from, `writeFile` where OK writes it (the
  // same file, or the user's copy for an installed program). Questions and messages are
  // shown over `promptParent`.
  DictionaryEditorWorkflow(Language language, std::filesystem::path readFile, std::filesystem::path writeFile,
                           QWidget* promptParent, QObject* parent = nullptr);
  // Ends a running import first: its worker never outlives the list.
  ~DictionaryEditorWorkflow() override;

  Language language() const { return language_; }
  QString caption() const;
  const DictionaryEditorState& state() const { return state_; }
  WordListModel& model() { return *model_; }
  const WordListModel& model() const { return *model_; }
  ProgressRunner& importRunner() { return *importRunner_; }
  bool importRunning() const;

  // Reads the word file into the list (a missing file gives an empty list). Throws FileError.
  void loadWordFile();
  // Called on OK once the word file is written, to load it as the composing dictionary;
  // may throw FileError. Without it nothing is reloaded.
  void setDictionaryReload(std::function<void(const std::filesystem::path&)> reload);
  // The busy window while Re-check runs.
  void setBusyIndicator(std::function<void(const QString&)> show, std::function<void()> hide);

  // What the view holds: the word box's text (code-page bytes) and the selected row.
  void setWord(std::string word);
  void setSelectedRow(std::optional<int> row);

  void addWord();
  void findWord();
  void deleteWord();
  void importWords();  // asks for the file
  void importFile(const QString& path);
  void recheckWords();
  // OK: ends an import, writes the list and reloads the dictionary. False when the word
  // file could not be written (reported; the list stays for another try).
  bool save();
  // Cancel: ends an import quietly; nothing is written.
  void discard();

 Q_SIGNALS:
  void stateChanged(const gw::gui::DictionaryEditorState& state);
  // Find found this row: the view selects it.
  void rowFound(int row);
  // A line for the view to show under the list ("\"ABCX\" not found"), or empty.
  void noticeChanged(const QString& notice);
  // Something went wrong; the view shows the text.
  void failed(const QString& message);
  // An import has ended and its words are in the list.
  void importFinished(qint64 added, bool cancelled);

 private:
  struct ImportBatches;
  struct ImportSummary;

  void updateState();
  void drainImportedWords();
  void onImportEnded(bool cancelled, const QString& error);
  void endImportQuietly();

  Language language_;
  std::filesystem::path readFile_;
  std::filesystem::path writeFile_;
  QPointer<QWidget> promptParent_;
  WordListModel* model_;
  ProgressRunner* importRunner_;
  std::shared_ptr<ImportBatches> batches_;
  std::shared_ptr<ImportSummary> summary_;
  std::string word_;
  std::optional<int> selectedRow_;
  DictionaryEditorState state_;
  qint64 importAdded_ = 0;
  bool quietImportEnd_ = false;

  std::function<void(const std::filesystem::path&)> reloadDictionary_;
  std::function<void(const QString&)> showBusy_;
  std::function<void()> hideBusy_;
};

}  // namespace gw::gui
