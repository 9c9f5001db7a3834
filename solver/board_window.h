#pragma once
// The borderless board window. It holds the loaded crossword, shows it in a BoardView, and
// turns keys, mouse and menu commands into calls on the board.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "solver/core/loader.h"
#include "solver/core/settings.h"
#include "solver/sound_output.h"

namespace gw::cross {
class BoardView;
}
class ClueWindow;

class BoardWindow : public QWidget {
  Q_OBJECT
 public:
  // `settingsPath` is CROSS.CONF; an empty path keeps the settings in memory only.
  BoardWindow(std::filesystem::path settingsPath, std::string defaultSolveFolder,
              std::unique_ptr<SoundOutput> sounds = nullptr);
  ~BoardWindow() override;

  // Loads a crossword with its progress into a new board and only then replaces the
  // old one. On failure the message is shown and false comes back; no board remains
  // (the caller ends the program) unless `keepCurrentOnFailure`.
  bool loadCrossword(const QString& path, bool keepCurrentOnFailure = false);
  // Saves the progress as "Exit" does, then loads `path`; a failed load keeps the current crossword.
  bool switchToCrossword(const QString& path);
  // Writes the settings and closes the clue windows for good (before another load and at the end).
  void saveSettingsAndCloseClues();
  // Writes the progress file of an uncompleted crossword; reports a failure and returns false.
  bool saveProgress();

  // The open dialog, for a start without an argument.
  QString chooseCrosswordAtStart() { return chooseCrossword(); }

  // Runs every action's update handler; called whenever the event loop goes idle.
  void updateActions();

  // Typing: one character as a US keyboard gives it.
  void typeCharacter(char usCharacter);
  void selectCell(gw::cross::Cell cell);

  // A signal or a log-out: nobody may be there to answer a message box, so from now on a
  // progress file that cannot be written is reported on standard error.
  void setUnattended() { unattended_ = true; }
  // What closing the window does, also for a window not shown yet: the progress and the
  // settings are written (a failure reported, not holding anything up), then finished().
  // Once only; closing afterwards just closes.
  void finishForGood();
  // The progress could not be written when the window finished: the program ends with a
  // failure status.
  bool progressLost() const { return progressLost_; }

  // State for the tests and the clue windows.
  const gw::cross::Board* board() const { return crossword_ ? &crossword_->board : nullptr; }
  const gw::cross::LoadedCrossword* crossword() const { return crossword_ ? &*crossword_ : nullptr; }
  const gw::cross::Settings& settings() const { return settings_; }
  bool markBadEntries() const { return settings_.markBadEntries; }
  bool soundsOn() const { return soundsAction_->isChecked(); }
  // The cell size in use: the zoom, made smaller where the board would not fit the screen.
  int cellSize() const;
  ClueWindow* acrossWindow() const { return acrossWindow_.get(); }
  ClueWindow* downWindow() const { return downWindow_.get(); }
  QTimer* blinkTimer() { return &blinkTimer_; }
  QMenu* contextMenu() const { return contextMenu_; }
  QAction* action(const QString& objectName) const;

 signals:
  // The window closed for good: the program ends.
  void finished();

 public slots:
  // "Exit": writes the progress and closes; a progress file that cannot be written keeps
  // the window open.
  void saveProgressAndClose();
  // One 200 ms tick of the completion blinking; at its end, "Try another?".
  void onBlinkTick();
  // "Open crossword...": the open dialog, then switchToCrossword.
  void openAnotherCrossword();
  // A crossword handed over by a second copy of the program (empty: none): the window comes
  // to the front and switches to it.
  void acceptHandedOverCrossword(const QString& path);
  // The zoom: the player's cell size, and the board and clue windows laid out for it.
  void zoomBy(int steps);
  void resetZoom();

 protected:
  // Where the program asks the player; replaced in the tests.
  virtual void showMessage(const QString& text);
  virtual bool confirmTryAnother();
  virtual QString chooseCrossword();

  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  QAction* makeAction(const char* name, const QString& caption, const QKeySequence& shortcut);
  void moveCursor(int dRow, int dColumn);
  void setDirection(gw::Direction d);
  void toggleMarkBadEntries();
  void revealCell();
  void revealAll();
  void play(gw::cross::Sound sound, bool wait = false, bool unlessPlaying = false);
  void completeCrossword();
  void showClues();
  void releaseClueWindows();
  void rememberFolderOf(const QString& path);
  void layOutBoard();
  QRect workArea() const;

  std::filesystem::path settingsPath_;
  gw::cross::Settings settings_;
  std::unique_ptr<SoundOutput> sounds_;
  std::optional<gw::cross::LoadedCrossword> crossword_;
  // Top-level windows of their own, so not Qt children of the board window.
  std::unique_ptr<ClueWindow> acrossWindow_;
  std::unique_ptr<ClueWindow> downWindow_;
  bool finishedForGood_ = false;
  bool progressSaved_ = false;  // "Exit" has just written the progress file
  bool unattended_ = false;
  bool progressLost_ = false;

  gw::cross::BoardView* boardView_;
  QMenu* contextMenu_;
  QTimer blinkTimer_;
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
};
