#pragma once
// The open crossword of the editing page and every rule of its commands: New, Open, Save,
// Save as, Close with "Save changes?", Change Charset, Try, Define and Prepare definitions,
// Print and Export PDF. It asks the user through the prompts, and emits its state, its
// caption and its failures; the page only shows them.
#include <QObject>
#include <QPageSize>
#include <QString>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "authoring/definitions/crossword_document.h"
#include "authoring/definitions/known_words.h"
#include "authoring/gui/common/file_dialog_folders.h"
#include "interchange/print/crossword_print.h"

class QPagedPaintDevice;
class QWidget;

namespace gw::gui {

// What the commands are enabled by.
struct EditingState {
  bool open = false;
  bool modified = false;
  bool hasBoard = false;
  bool hasFileName = false;
  int definitionCount = 0;
  friend bool operator==(const EditingState&, const EditingState&) = default;
};

class EditingWorkflow : public QObject {
  Q_OBJECT
 public:
  // `folders` are the remembered dialog folders ("Edit:Open", "Edit:Save"), updated as
  // crosswords are saved.
  explicit EditingWorkflow(FileDialogFolders& folders, QObject* parent = nullptr);

  // Where questions and file choices are shown.
  void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

  const CrosswordDocument& document() const { return document_; }
  // For the layout editor, which shapes the board in place; call layoutEdited() after it.
  CrosswordDocument& document() { return document_; }
  EditingState state() const;

  // --- definitions; `i` is a row of the definition table ---
  QString word(int i) const;
  QString clue(int i) const;
  // "18 Down" as the printed crossword numbers the word; empty for a word not printed.
  QString printedLabel(int i) const;
  int printedNumber(int i) const { return numbers_.at(static_cast<std::size_t>(i)); }
  // The table's rows in the list's order: the table's own, or by printed number.
  const std::vector<std::size_t>& listOrder() const { return order_; }
  bool sortedByNumber() const { return sortedByNumber_; }
  void setSortedByNumber(bool byNumber);
  // The word after (step 1) or before (step -1) `current` in the list's order; -1 past an end.
  int stepDefinition(int current, int step) const;
  // The word a click on a board cell selects, given the current one; -1 for none.
  int definitionForClick(CellPos cell, int current) const;
  // "12 of 76 words without a clue"; empty with nothing open.
  QString clueStatus() const;
  // Where a language's word file is; without it answers are never checked.
  void setWordFiles(std::function<std::filesystem::path(Language)> wordFile) {
    wordFile_ = std::move(wordFile);
  }
  // Whether the answer of a definition is not in the language's word list. Answers are checked
  // once the layout editor closes with OK, until another crossword is opened; nothing is refused.
  bool notInWordList(int i) const;
  // "not in the English word list"
  QString notInWordListText() const;
  // "2 words not in the English word list"; empty while nothing is marked.
  QString wordCheckStatus() const;
  // The word list is still being read for a check.
  bool wordCheckPending() const { return loadingLanguage_.has_value(); }
  // Pasted text as one clue line: tabs and line breaks become single spaces.
  static QString cleanClueText(QString text);
  // Stores a clue; false (and failed) when the crossword's charset cannot hold the text.
  bool setClue(int i, const QString& text);
  // The author is typing a clue not yet stored: there is something to save.
  void markModified();

  // --- commands ---
  // "Save changes?" (Yes, No, Cancel) for a modified crossword. True when the crossword may
  // be dropped: saved, not modified, or No. Cancel, Escape and a failed save give false.
  bool maybeSave();
  // Close: maybeSave(), then forgets the crossword. Returns whether nothing is open afterwards.
  bool closeCrossword();
  void newCrossword(int rows, int columns, Language language, ClueCharset charset);
  // Open: the file choice, then openFile().
  bool openCrossword();
  // Opens a crossword file; a crossword already open is closed first (with its question).
  bool openFile(const QString& path);
  bool save();
  // Asks for a file name (the crossword's own, else the save folder, proposed).
  bool saveAs();
  void changeCharset(ClueCharset charset);
  // Try: saves a modified crossword first, then asks for the solver (solverRequested).
  void tryCrossword();
  void prepareDefinitions();
  // The layout editor closed: changes made stay either way and mark the crossword modified;
  // OK also prepares the definitions.
  void layoutEdited(const CrosswordDocument::LayoutSnapshot& before, bool accepted);

  // --- printing ---
  // With words still lacking a clue, asks once whether to print anyway; true to go on.
  bool confirmPrintingWithMissingClues();
  // The title printed above the grid: the crossword file's name without extension.
  QString printTitle() const;
  // The proposed PDF: the crossword's name with ".pdf", in the crossword's folder.
  QString proposedPdfPath() const;
  bool print(QPagedPaintDevice& device, const CrosswordPrintOptions& options);
  bool writePdf(const QString& path, QPageSize::PageSizeId paper, const CrosswordPrintOptions& options);

 Q_SIGNALS:
  void stateChanged(const gw::gui::EditingState& state);
  void captionChanged(const QString& caption);  // "Edit: NAME" / "Editing tool"
  void failed(const QString& message);
  // The definition table was replaced (opened, closed, new, prepared, charset changed).
  void definitionsReset();
  void solverRequested(const QString& crosswordPath);
  // The marks of answers not in the word list changed (the list was read, or the words changed).
  void wordCheckChanged();

 private:
  // Turns a core error into the failure signal; false when `work` threw.
  template <typename Work>
  bool attempt(Work work, const QString& prefix = {});
  void readCrossword(const QString& path);
  void changed();
  void reset();
  void renumber();
  // Starts checking the answers against the language's word list, reading it first if needed.
  void checkWords();
  void markUnknownAnswers();
  void stopCheckingWords();

  CrosswordDocument document_;
  FileDialogFolders& folders_;
  QWidget* dialogParent_ = nullptr;
  QString lastOpenFolder_;          // where the open dialog starts this session
  std::vector<int> numbers_;        // printed number of each definition
  std::vector<std::size_t> order_;  // definition rows in list order
  bool sortedByNumber_ = false;
  std::function<std::filesystem::path(Language)> wordFile_;
  std::map<Language, std::shared_ptr<const KnownWords>> knownWords_;  // each read once
  std::optional<Language> loadingLanguage_;
  bool checkingWords_ = false;
  std::vector<bool> notInList_;  // by definition row, while checking
};

}  // namespace gw::gui
