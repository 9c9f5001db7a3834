#pragma once
// The composing page of the authoring window: a toolbar with the progress preview, the
// layout grid and a status bar of six panels, over a ComposingWorkflow that decides every
// rule. The page builds the widgets, binds the actions to workflow calls, enables them from
// the workflow's state signal, runs the new layout and word order dialogs and shows what
// the workflow reports.
//
// The main window hosts the page, shows fileMenuActions() in its "File (Compose)" menu and
// says which page is in front; the page's commands live on the page (shortcut context: the
// page and its children), Space and Del on the grid alone.
#include <QList>
#include <QWidget>
#include <array>
#include <optional>

#include "authoring/gui/composing/composing_workflow.h"
#include "authoring/settings/composing_view_settings.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace gw::gui {

class CandidatePanel;
class LayoutGridModel;
class LayoutGridView;
class MinWordScoreBox;
class ProgressPreview;

class ComposingPage : public QWidget {
  Q_OBJECT
 public:
  // `dictionary` is the process's one dictionary; `folders` the program folders (word
  // files, results folder); `dialogFolders` the remembered dialog folders, updated by Open
  // and Save.
  ComposingPage(gw::Dictionary& dictionary, const gw::ProgramFolders& folders,
                FileDialogFolders& dialogFolders, QWidget* parent = nullptr);
  ~ComposingPage() override;

  ComposingWorkflow& workflow() { return *workflow_; }
  const ComposingWorkflow& workflow() const { return *workflow_; }

  // The "File (Compose)" commands in menu order, separators included; the main window
  // appends its own "Quit compose" entry after them.
  QList<QAction*> fileMenuActions() const;
  // The main window's "Exit program" action: the last entry of the grid's pop-up menu.
  void setExitProgramAction(QAction* action);
  // A search runs: the exhaustive one or Quick fill.
  bool isComposing() const { return workflow_->isComposing(); }
  bool hasOpenLayout() const { return workflow_->hasOpenLayout(); }
  void closeLayout() { workflow_->closeLayout(); }  // no question asked
  // "Save changes?" for a changed layout; true when the page may drop it (window closing,
  // "Quit compose").
  bool maybeSave() { return workflow_->maybeSave(); }
  void openPatternFile(const QString& path) { workflow_->openPatternFile(path); }
  void stopBeforeExit() { workflow_->stopBeforeExit(); }
  // The main window says whether this page is in front (the file commands work only then).
  void updateActions(bool pageInFront) { workflow_->setPageInFront(pageInFront); }
  QString languageName() const { return workflow_->languageName(); }  // the text of status panel 6
  std::optional<gw::Language> layoutLanguage() const { return workflow_->layoutLanguage(); }

  // The options remembered in crossword.conf; the main window sets them at start.
  void setComposeOptions(const gw::ComposeSettings& options);
  gw::ComposeSettings composeOptions() const { return workflow_->composeOptions(); }
  // The page's own remembered choices (symmetry, cell size, Quick fill's repeated words): as
  // read at start, and as they are now; the main window writes the difference.
  void setViewSettings(const gw::ComposingViewSettings& settings);
  const gw::ComposingViewSettings& viewSettingsRead() const { return viewSettingsRead_; }
  gw::ComposingViewSettings viewSettings() const;

  // --- for tests and the benchmark
  ComposeController& controller() { return workflow_->controller(); }
  LayoutGridView* grid() const { return grid_; }
  CandidatePanel* candidatePanel() const { return candidatePanel_; }
  QString statusText(int panel) const;  // panel 1 .. 6
  QString statusMessage() const;        // what Quick fill says, right of the panels

 Q_SIGNALS:
  void captionChanged(const QString& caption);  // "Composing : ..." / "Make : ..."
  void busy(const QString& status);             // show the busy window with this status line
  void idle();                                  // hide the busy window
  // The author switched "No repeated words" (the main window writes it to crossword.conf).
  void noRepeatedWordsChanged(bool on);
  // The author changed "Minimum word score" (the main window writes it to crossword.conf).
  void minWordScoreChanged(int score);

 private:
  void buildStatusBar();
  void buildActions();
  void buildMenus();
  void bindWorkflow();

  void newLayout();
  void closeLayoutAsked();
  void buildSymmetryMenu();
  void buildZoomMenu();
  // The pop-up menu's entries after the main window's "Exit program".
  QList<QAction*> popupAdditions() const;
  void zoomBy(int steps);
  void setCellSize(int pixels);
  void showLayoutFigures();
  std::optional<std::vector<int>> chooseWordOrder(const std::vector<Slot>& proposed);
  void applyStatus(const ComposingStatus& status);
  void layoutReplaced();
  void showFrame();
  void showFailure(const ComposingFailure& failure);
  void showStatusMessage(const QString& text);
  void growWindowToLayout();
  void setStatusText(int panel, const QString& text);

  std::unique_ptr<ComposingWorkflow> workflow_;

  QToolBar* toolBar_;
  ProgressPreview* preview_;
  LayoutGridModel* model_;
  LayoutGridView* grid_;
  CandidatePanel* candidatePanel_;
  QStatusBar* statusBar_;
  std::array<QLabel*, 6> panels_{};
  QLabel* statusMessage_;
  QLabel* figures_;  // statistics and symmetry of the layout
  QMenu* popupMenu_;

  QAction* newLayoutAction_;
  QAction* openLayoutAction_;
  QAction* closeLayoutAction_;
  QAction* saveLayoutAction_;
  QAction* startAction_;
  QAction* stopAction_;
  QAction* quickFillAction_;
  QAction* noRepeatedWordsAction_;
  MinWordScoreBox* minWordScoreBox_;
  QAction* clearLayoutAction_;
  QAction* clearFixedAction_;
  QAction* clearFieldAction_;
  QAction* setIsleAction_;
  QAction* changeStatusAction_;
  QAction* discardSearchAction_;
  QAction* undoAction_;
  QAction* redoAction_;
  QAction* quickFillSelectionAction_;
  QAction* quickFillNoRepeatAction_;
  QMenu* symmetryMenu_;
  std::vector<std::pair<LayoutSymmetry, QAction*>> symmetryActions_;
  QMenu* zoomMenu_;
  gw::ComposingViewSettings viewSettingsRead_;
  QAction* exitProgramAction_ = nullptr;
  QList<QAction*> fileMenu_;
};

}  // namespace gw::gui
