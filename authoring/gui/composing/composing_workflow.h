#pragma once
// Everything the composing page decides, without a widget: the layout session with its
// composer (ComposeController) and Quick fill (QuickFillController), the current cell, and the
// one state the page's commands are enabled from. It asks the author through the prompts of
// gui_common/ ("Continue?", file choices) and reports every failure through failed(); the
// page runs the new layout and word order dialogs and hands their values in.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "authoring/composing/search/composer.h"
#include "authoring/composing/layout/layout_history.h"
#include "authoring/composing/layout/layout_statistics.h"
#include "authoring/composing/layout/layout_symmetry.h"
#include "authoring/gui/composing/composing_rules.h"
#include "authoring/gui/composing/progress_preview.h"
#include "authoring/gui/common/file_dialog_folders.h"
#include "authoring/settings/compose_settings.h"
#include "common/cell_pos.h"
#include "common/program_folder.h"

class QWidget;

namespace gw {
class Dictionary;
}

namespace gw::gui {

class ComposeController;
class QuickFillController;
struct QuickFillReport;
struct SelectionFill;

// A failure or refusal for the author to read; `information` for the plain notes ("No words",
// "Define crossword pattern first!"), else an error.
struct ComposingFailure {
  QString text;
  bool information = false;
};

class ComposingWorkflow : public QObject {
  Q_OBJECT
 public:
  // For each position 1 .. slot count, the given position of the slot the author put there;
  // nothing when the author cancelled (the proposed order stays).
  using WordOrderChoice = std::function<std::optional<std::vector<int>>(const std::vector<Slot>& proposed)>;

  ComposingWorkflow(Dictionary& dictionary, const ProgramFolders& folders, FileDialogFolders& dialogFolders,
                    QObject* parent = nullptr);
  ~ComposingWorkflow() override;

  // The window the prompts are shown over (none in tests).
  void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

  ComposingStatus status() const;
  bool isComposing() const { return rules::composing(status()); }
  bool hasOpenLayout() const;
  // The author's layout (unchanged by a search).
  const Layout& layout() const;
  // What the grid shows: a Quick fill's result until the layout changes, a search's board, or
  // the author's layout.
  const Layout& shownLayout() const;
  CellPos currentCell() const { return current_; }
  PreviewState previewState() const;
  // Status panels 1 to 4 ("ENG", "R:3", "T: 5", "M: 7"); empty with no layout open.
  QStringList counterTexts() const;
  QString languageName() const { return languageName_; }  // status panel 6
  QString statusMessage() const { return statusMessage_; }
  std::optional<Language> layoutLanguage() const;

  void setComposeOptions(const ComposeSettings& options);
  ComposeSettings composeOptions() const;

  // --- the commands; each does nothing where its rule (composing_rules.h) says no.
  void newLayout(int rows, int columns, Language language);
  void openLayout();                          // asks for a pattern file
  void openPatternFile(const QString& path);  // may ask "Continue?"
  void saveLayout();                          // asks for a name the first time
  void closeLayout();                         // no question asked
  // "Save changes?" (Yes/No/Cancel) when the layout changed since it was made, opened or saved;
  // Yes saves it (asking for a name if it has none). True when the caller may drop the layout.
  bool maybeSave();
  // The layout changed since it was made, opened or saved.
  bool isModified() const { return modified_; }
  void startComposing(const WordOrderChoice& chooseOrder);
  void toggleComposing(const WordOrderChoice& chooseOrder);  // ChangeStatus
  void stopComposing();
  void stopBeforeExit();  // the window closes: stop exactly as Stop does
  void quickFill();
  // Fills only the slots of the selected cells, keeping every other letter of the grid as it
  // stands (selection_fill.h); the fill goes into the author's layout as one undoable change
  // and, when the grid is then whole, is written as Quick fill writes its result.
  void quickFillSelection(const std::vector<CellPos>& selection);
  void setNoRepeatedWords(bool on);  // the author's choice; reported by noRepeatedWordsChanged()
  // Quick fill's own choice, on unless the author turns it off; Start compose follows
  // setNoRepeatedWords() alone.
  void setQuickFillNoRepeatedWords(bool on) { quickFillNoRepeat_ = on; }
  bool quickFillNoRepeatedWords() const { return quickFillNoRepeat_; }
  // Words scored under it are left out from the next Quick fill or fresh Start compose on;
  // reported by minWordScoreChanged().
  void setMinWordScore(int score);

  // --- cells
  void setCurrentCell(CellPos cell);
  void setIsle();
  // Space: Set isle, then the cursor moves on as after a typed letter.
  void setIsleAndMoveOn();
  void clearField();
  void clearLayout();
  void typeCharacter(char usCharacter);  // the character of the key on a US keyboard
  void toggleCell(CellPos cell);
  void undo();
  void redo();
  // Puts `word` (code-page letters) into the slot's cells as fixed letters, one undoable edit.
  void placeWord(const Slot& slot, const std::string& word);
  // Asks, then deletes the saved search's state file; a stopped layout becomes editable.
  void discardSavedSearch();

  // Set isle, Clear field, double-click and typed blocks act on the partner cell too.
  void setSymmetry(LayoutSymmetry symmetry);
  LayoutSymmetry symmetry() const { return symmetry_; }
  bool isSymmetric() const;             // the author's layout under the chosen rule
  LayoutStatistics statistics() const;  // of the author's layout

  // Whether the main window shows this page: the file commands only work there.
  void setPageInFront(bool inFront);

  // --- for tests and benchmarks
  ComposeController& controller() { return *controller_; }
  QuickFillController& quickFillController() { return *quickFill_; }

 Q_SIGNALS:
  void statusChanged(const gw::gui::ComposingStatus& status);
  void captionChanged(const QString& caption);  // "Composing : ..." / "Make : ..."
  void failed(const gw::gui::ComposingFailure& failure);
  // A new layout or none: the grid takes the layout's size.
  void layoutReplaced();
  // The author's layout changed (cells, or a new layout): statistics and symmetry to show again.
  void layoutEdited();
  // Cells, counters or the preview changed (at most about twenty times a second while searching).
  void frameDue();
  void currentCellMoved(gw::CellPos cell);
  void statusMessageChanged(const QString& text);
  void languageLoaded(const QString& name);
  void busy(const QString& status);
  void idle();
  void noRepeatedWordsChanged(bool on);
  void minWordScoreChanged(int score);

 private:
  // Loads the word list again when it was loaded under another minimum; false (and the
  // failure reported) when it cannot be read.
  bool applyMinWordScore();
  bool ensureFileName();
  void runQuickFill(const SelectionFill* selection);
  void quickFillFinished(const QuickFillReport& report);
  void searchFinished(ComposeOutcome outcome, const QString& message);
  void replacedLayout();
  void cellsEdited();
  // Runs `change` on the session; when it changed the board, records the step for undo.
  void edit(const std::function<bool(LayoutSession&)>& change);
  // The partner of the current cell when it is to change along with it.
  std::optional<CellPos> partnerOf(CellPos cell) const;
  bool saveLayoutNow();
  void layoutSaved();
  void setStatusMessage(const QString& text);
  void fail(const QString& text, bool information = false);
  void publishStatus();
  void setCaption(const char* prefix);
  void searchStateChanged(ComposingState state);
  QString savedSearchSummary() const;

  ProgramFolders folders_;
  FileDialogFolders& dialogFolders_;
  std::unique_ptr<ComposeController> controller_;
  std::unique_ptr<QuickFillController> quickFill_;
  QWidget* dialogParent_ = nullptr;
  CellPos current_;
  bool pageInFront_ = true;
  bool noRepeatedWords_ = false;
  bool quickFillNoRepeat_ = true;
  int quickFillLanes_ = gw::kDefaultQuickFillLanes;
  int minWordScore_ = gw::kDefaultMinWordScore;
  std::optional<Layout> quickFillShown_;  // the last Quick fill, shown until the layout changes
  QString languageName_;
  QString statusMessage_;
  std::optional<ComposingStatus> published_;
  LayoutHistory history_;
  bool modified_ = false;
  LayoutSymmetry symmetry_ = LayoutSymmetry::None;
};

}  // namespace gw::gui
