#pragma once
// The borderless board window: a BoardView over the workflow's board, the clue windows, the
// context menu and the keys. It binds its actions to the workflow and enables them from the
// workflow's state; it decides no rule of its own.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>
#include <memory>

#include "solver/board_workflow.h"

namespace gw::cross {

class BoardView;
class ClueListWindow;
class ClueWindow;

class BoardWindow : public QWidget {
  Q_OBJECT
 public:
  // `settingsPath` is CROSS.CONF; an empty path keeps the settings in memory only.
  BoardWindow(std::filesystem::path settingsPath, std::string defaultSolveFolder,
              std::unique_ptr<SoundOutput> sounds = nullptr);
  ~BoardWindow() override;

  BoardWorkflow& workflow() { return *workflow_; }

  // Loads a crossword; on failure the message is shown, the window hides and false comes back
  // (the caller ends the program) unless `keepCurrentOnFailure`.
  bool loadCrossword(const QString& path, bool keepCurrentOnFailure = false) {
    return workflow_->load(path, keepCurrentOnFailure);
  }
  // Writes the settings and closes the clue windows for good.
  void saveSettingsAndCloseClues();
  bool saveProgress() { return workflow_->saveProgress(); }
  // The open dialog, for a start without an argument.
  QString chooseCrosswordAtStart() { return workflow_->chooseCrossword(); }

  void setUnattended() {
    unattended_ = true;
    workflow_->setUnattended();
  }
  // What closing the window does, also for a window not shown yet: the progress and the
  // settings are written (a failure reported, not holding anything up), then finished().
  // Once only; closing afterwards just closes.
  void finishForGood();
  // The progress could not be written when the window finished: the program ends with a
  // failure status.
  bool progressLost() const { return progressLost_; }

  const Board* board() const { return workflow_->board(); }
  // The cell size in use: the zoom, made smaller where the board would not fit the screen.
  int cellSize() const;
  ClueWindow* acrossWindow() const { return acrossWindow_.get(); }
  ClueWindow* downWindow() const { return downWindow_.get(); }
  ClueListWindow* clueList() const { return clueList_.get(); }
  QMenu* contextMenu() const { return contextMenu_; }
  QAction* action(const QString& objectName) const;

 signals:
  // The window closed for good: the program ends.
  void finished();

 public slots:
  // "Exit": writes the progress and closes; a progress file that cannot be written keeps
  // the window open.
  void saveProgressAndClose();
  // A crossword handed over by a second copy of the program (empty: none): the window comes
  // to the front and switches to it.
  void acceptHandedOverCrossword(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void makeActions();
  void applyState();
  void showFailure(const QString& message);
  void replaceCrossword();
  void showClues();
  void layOutBoard();
  void placeClueList();
  void showClock();
  QRect workArea() const;

  std::unique_ptr<BoardWorkflow> workflow_;
  // Top-level windows of their own, so not Qt children of the board window.
  std::unique_ptr<ClueWindow> acrossWindow_;
  std::unique_ptr<ClueWindow> downWindow_;
  std::unique_ptr<ClueListWindow> clueList_;
  bool layingOut_ = false;
  // The size the layout asked for; resizes before it arrives are the layout's, not the player's.
  QSize requestedSize_;
  // No room beside the board: the list waits for the player to ask for it.
  bool clueListWouldCover_ = false;
  bool finishedForGood_ = false;
  bool progressSaved_ = false;  // "Exit" has just written the progress file
  bool unattended_ = false;
  bool progressLost_ = false;

  BoardView* boardView_;
  QMenu* contextMenu_;
  QAction* moveLeftAction_;
  QAction* moveRightAction_;
  QAction* moveUpAction_;
  QAction* moveDownAction_;
  QAction* acrossDirectionAction_;
  QAction* downDirectionAction_;
  QActionGroup* directionGroup_;
  QAction* markErrorsAction_;
  QAction* revealCellAction_;
  QAction* revealAllAction_;
  QAction* soundsAction_;
  QAction* exitAction_;
  QAction* openAction_;
  QAction* zoomInAction_;
  QAction* zoomOutAction_;
  QAction* zoomResetAction_;
  QAction* checkWordAction_;
  QAction* revealWordAction_;
  QAction* numbersAction_;
  QAction* clueListAction_;
  QAction* jumpAction_;
  QAction* pauseAction_;
};

}  // namespace gw::cross
