#pragma once
// The dictionary editor: the word list of one language, to add, find and delete words,
// import them from text files (on a worker thread, behind a progress window), clean the
// list ("Re-check"), and write it back to the word file on OK. Cancel discards it all.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "common/language.h"

class QAction;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;

namespace gw::gui {

class ProgressRunner;
class WordBox;
class WordListModel;

class DictionaryEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // `readFile` is the word file the list comes from, `writeFile` where OK writes it (the
  // same file, or the user's copy for an installed program).
  DictionaryEditorDialog(Language language, std::filesystem::path readFile, std::filesystem::path writeFile,
                         QWidget* parent = nullptr);
  // Ends a running import first: its worker never outlives the list.
  ~DictionaryEditorDialog() override;

  // Reads the word file into the list (a missing file gives an empty list).
  // Throws FileError.
  void loadWordFile();

  // Called on OK once the word file is written, to load it as the composing dictionary;
  // may throw FileError. Without it nothing is reloaded.
  void setDictionaryReload(std::function<void(const std::filesystem::path&)> reload);
  // The busy window while Re-check runs.
  void setBusyIndicator(std::function<void(const QString&)> show, std::function<void()> hide);
  // Where Import asks for its file (a file dialog unless tests replace it).
  void setImportFileChooser(std::function<QString(QWidget*)> choose);

  const WordListModel& model() const { return *model_; }
  bool importRunning() const;
  ProgressRunner& importRunner() { return *importRunner_; }

  void accept() override;
  void reject() override;

 public Q_SLOTS:
  void addWord();
  void findWord();
  void deleteWord();
  void importWords();  // asks for the file
  void importFile(const QString& path);
  void recheckWords();

 Q_SIGNALS:
  // An import has ended and its words are in the list.
  void importFinished(qint64 added, bool cancelled);

 private:
  struct ImportBatches;

  void buildWindow();
  void updateActions();
  void updateCount();
  void drainImportedWords();
  void onImportEnded(bool cancelled, const QString& error);
  void endImportQuietly();
  std::optional<int> selectedRow() const;
  void selectRow(int row);
  void showError(const QString& message);

  Language language_;
  std::filesystem::path readFile_;
  std::filesystem::path writeFile_;
  WordListModel* model_;
  QListView* listView_ = nullptr;
  WordBox* wordBox_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QPushButton* importButton_ = nullptr;
  QAction* addAction_ = nullptr;
  QAction* findAction_ = nullptr;
  QAction* deleteAction_ = nullptr;
  QAction* importAction_ = nullptr;
  QAction* recheckAction_ = nullptr;
  ProgressRunner* importRunner_;
  std::shared_ptr<ImportBatches> batches_;
  qint64 importAdded_ = 0;
  bool quietImportEnd_ = false;

  std::function<void(const std::filesystem::path&)> reloadDictionary_;
  std::function<void(const QString&)> showBusy_;
  std::function<void()> hideBusy_;
  std::function<QString(QWidget*)> chooseImportFile_;
};

}  // namespace gw::gui
