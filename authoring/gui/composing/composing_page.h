#pragma once
#include <optional>
// The composing page of the authoring window: a toolbar with the progress preview, the
// layout grid and a status bar of six panels. The author makes or opens a layout, draws
// isles and fixed letters, starts and stops the composer and watches it work; every
// complete fill becomes a result crossword file in the results folder.
//
// Beside the exhaustive search, "Quick fill" finds one fill fast (quick_fill_controller.h)
// and shows it in the grid; "No repeated words" applies to both searches.
//
// The main window hosts the page, shows fileMenuActions() in its "File (Compose)" menu and
// calls updateActions() when the event loop goes idle; the page's commands live on the
// page (shortcut context: the page and its children), Space and Del on the grid alone.
#include <QList>
#include <QWidget>
#include <array>
#include <memory>

#include "authoring/composing/composer.h"
#include "authoring/gui/file_dialog_folders.h"
#include "authoring/settings/compose_settings.h"
#include "common/program_folder.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace gw::gui {

class ComposeController;
class ComposingPrompts;
class LayoutGridModel;
class LayoutGridView;
class ProgressPreview;
class QuickFillController;
struct QuickFillReport;

class ComposingPage : public QWidget {
  Q_OBJECT
 public:
  // `dictionary` is the process's one dictionary; `folders` the program folders (word
  // files, results folder); `dialogFolders` the remembered dialog folders, updated by Open
  // and Save.
  ComposingPage(gw::Dictionary& dictionary, const gw::ProgramFolders& folders,
                FileDialogFolders& dialogFolders, QWidget* parent = nullptr);
  ~ComposingPage() override;

  // The "File (Compose)" commands in menu order, separators included; the main window
  // appends its own "Quit compose" entry after them.
  QList<QAction*> fileMenuActions() const;
  // The main window's "Exit program" action: the last entry of the grid's pop-up menu.
  void setExitProgramAction(QAction* action);
  // A search runs: the exhaustive one or Quick fill.
  bool isComposing() const;
  bool hasOpenLayout() const;
  void closeLayout();                         // the "Close " command, no question asked
  void openPatternFile(const QString& path);  // as Open does (may ask "Continue?"); shows errors itself
  void stopBeforeExit();                      // the main window closes: stop exactly as Stop does
  void updateActions(bool pageInFront);       // the enabling rules, run when the event loop is idle
  QString languageName() const;               // the text of status panel 6
  // The language of the open layout, if one is open.
  std::optional<gw::Language> layoutLanguage() const;

  // The options remembered in crossword.conf; the main window sets them at start.
  void setComposeOptions(const gw::ComposeOptions& options);
  gw::ComposeOptions composeOptions() const;

  // --- for tests and the benchmark
  // Replaces the dialogs and message boxes (the page does not own `prompts`).
  void setPrompts(ComposingPrompts* prompts);
  ComposeController& controller() { return *controller_; }
  QuickFillController& quickFillController() { return *quickFill_; }
  LayoutGridView* grid() const { return grid_; }
  QString statusText(int panel) const;  // panel 1 .. 6
  QString statusMessage() const;        // what Quick fill says, right of the panels

 Q_SIGNALS:
  void captionChanged(const QString& caption);  // "Composing : ..." / "Make : ..."
  void busy(const QString& status);             // show the busy window with this status line
  void idle();                                  // hide the busy window
  // The author switched "No repeated words" (the main window writes it to crossword.conf).
  void noRepeatedWordsChanged(bool on);

 private:
  QAction* makeAction(const char* objectName, const QString& text, const QString& hint,
                      const QKeySequence& shortcut = {});
  void buildActions();
  void buildMenus();

  // The commands.
  void newLayout();
  void openLayout();
  void saveLayout();
  void startComposing();
  void stopComposing();
  void toggleComposing();  // ChangeStatus
  void quickFill();
  void quickFillFinished(const QuickFillReport& report);
  void setIsle();
  void clearField();
  void clearLayout();

  // Input into the grid.
  void typeCharacter(char usCharacter);
  void toggleCell(int row, int column);

  bool ensureFileName();
  void layoutReplaced();
  void showFrame();
  void updateStatus();
  void setStatusText(int panel, const QString& text);
  void showStatusMessage(const QString& text);
  void growWindowToLayout();
  void searchFinished(ComposeOutcome outcome, const QString& message);
  void composingStateChanged(ComposingState state);
  bool canStart() const;
  bool canQuickFill() const;
  bool isQuickFilling() const;
  // The cells the grid shows: a Quick fill's result until the layout changes, else the controller's.
  const gw::Layout& shownLayout() const;
  void cellsChanged();  // the author edited the layout
  bool currentCell(int& row, int& column) const;

  gw::ProgramFolders folders_;
  FileDialogFolders& dialogFolders_;
  std::unique_ptr<ComposeController> controller_;
  std::unique_ptr<QuickFillController> quickFill_;
  std::unique_ptr<ComposingPrompts> ownPrompts_;
  ComposingPrompts* prompts_;

  QToolBar* toolBar_;
  ProgressPreview* preview_;
  LayoutGridModel* model_;
  LayoutGridView* grid_;
  QStatusBar* statusBar_;
  std::array<QLabel*, 6> panels_{};
  QLabel* statusMessage_;
  QMenu* popupMenu_;

  QAction* newLayoutAction_;
  QAction* openLayoutAction_;
  QAction* closeLayoutAction_;
  QAction* saveLayoutAction_;
  QAction* startAction_;
  QAction* stopAction_;
  QAction* quickFillAction_;
  QAction* noRepeatedWordsAction_;
  QAction* clearLayoutAction_;
  QAction* clearFixedAction_;
  QAction* clearFieldAction_;
  QAction* setIsleAction_;
  QAction* changeStatusAction_;
  QAction* exitProgramAction_ = nullptr;
  QList<QAction*> fileMenu_;
  bool pageInFront_ = true;
  int quickFillLanes_ = gw::kDefaultQuickFillLanes;
  std::optional<gw::Layout> quickFillShown_;  // the last Quick fill, shown until the layout changes
};

}  // namespace gw::gui
