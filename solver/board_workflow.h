#pragma once
// What the board window shows and decides: the loaded crossword with the player's progress,
// the settings, every rule of moving, typing, checking, revealing, the completion sequence and
// the sounds. The window only draws it, binds its actions here and enables them from
// stateChanged(); every failure comes out of failed(), and questions go through the prompts.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "solver/core/loader.h"
#include "solver/core/settings.h"
#include "solver/sound_output.h"

class QWidget;

namespace gw::cross {

// What the actions are enabled and checked from.
struct BoardState {
  bool loaded = false;
  bool canMoveLeft = false;
  bool canMoveRight = false;
  bool canMoveUp = false;
  bool canMoveDown = false;
  Direction direction = Direction::Across;
  bool canCheatOne = false;
  bool markBadEntries = false;
  bool sounds = true;
  bool canZoomIn = false;
  bool canZoomOut = false;
  bool inWord = false;  // the cursor stands in a word of the typing direction
  bool numbers = true;
  bool jumpToNextWord = false;
  bool clueList = true;
  bool paused = false;
};

// A solving time as the player reads it: "12:34", or "1:02:03" past an hour.
QString clockText(qint64 seconds);

class BoardWorkflow : public QObject {
  Q_OBJECT
 public:
  // `settingsPath` is CROSS.CONF; an empty path keeps the settings in memory only.
  BoardWorkflow(std::filesystem::path settingsPath, std::string defaultSolveFolder,
                std::unique_ptr<SoundOutput> sounds, QObject* parent = nullptr);
  ~BoardWorkflow() override;

  // The window questions and messages belong to.
  void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
  // A signal or a log-out: nobody may be there to answer a message box, so from now on
  // failures go to standard error.
  void setUnattended() { unattended_ = true; }

  // --- loading ---
  // Loads a crossword with its progress into a new board and only then replaces the old one.
  // On failure the message is reported and false comes back; no board remains unless
  // `keepCurrentOnFailure`.
  bool load(const QString& path, bool keepCurrentOnFailure = false);
  // Saves the progress, then loads `path`; a failed load keeps the current crossword.
  bool switchTo(const QString& path);
  // The open dialog; empty when cancelled.
  QString chooseCrossword();
  // "Open crossword...": the progress saved, the open dialog, then the chosen crossword.
  void openAnother();
  // Writes the progress of an uncompleted crossword; reports a failure and returns false.
  bool saveProgress();
  // Writes CROSS.CONF; a failure goes to standard error (it happens on the way out).
  void writeSettings();

  // --- playing ---
  void selectCell(CellPos cell);
  // A click on a cell: a second click on the current cell switches the typing direction.
  void clickCell(CellPos cell);
  // Backspace and Delete; neither runs the completion test.
  void eraseBackward();
  void eraseCurrent();
  // Tab (+1) and Shift+Tab (-1).
  void goToNextWord(int step);
  // A clue picked in the clue list (an index into Board::wordsInOrder()).
  void goToWord(int word);
  void checkWord();
  void revealWord();
  void setNumbers(bool on);
  void setJumpToNextWord(bool on);
  void setClueList(bool on);
  void setClueListGeometry(const std::string& geometry) { settings_.clueListGeometry = geometry; }
  // The clock stops while paused (the "Pause" entry, or the window minimised).
  void setPaused(bool paused);
  qint64 elapsedSeconds() const;
  void move(int dRow, int dColumn);
  void setDirection(Direction d);
  // One character as a US keyboard gives it.
  void typeCharacter(char usCharacter);
  void toggleMarkBadEntries();
  void setSounds(bool on);
  void revealCell();
  void revealAll();
  // Zoom steps from the cell size on screen (0: from the player's zoom).
  void zoomBy(int steps, int shownCellSize = 0);
  // The player resized the window: its cell size becomes the zoom.
  void setCellSize(int cellSize);
  void resetZoom();
  // One 200 ms tick of the completion blinking; at its end, "Try another?".
  void blinkTick();

  // --- state ---
  BoardState state() const;
  const LoadedCrossword* crossword() const { return crossword_ ? &*crossword_ : nullptr; }
  const Board* board() const { return crossword_ ? &crossword_->board : nullptr; }
  const Settings& settings() const { return settings_; }
  QTimer* blinkTimer() { return &blinkTimer_; }

 signals:
  // Anything the actions are enabled or checked from may have changed.
  void stateChanged();
  // A new board, or none after a failed load: the view and the clue windows start over.
  void crosswordReplaced();
  // The cursor or the direction moved: the clue windows and the view follow.
  void cursorMoved();
  // Letters or their marking changed: the board is drawn again.
  void entriesChanged();
  // The player's zoom changed.
  void zoomChanged();
  // The crossword was just solved: the clue windows go.
  void solved();
  // The completion sequence ended without another crossword: the window closes.
  void closeRequested();
  // Another second of solving time.
  void clockTicked();
  // What went wrong, as the player reads it.
  void failed(const QString& message);

 private:
  void report(const std::exception& e);
  void play(Sound sound, bool wait = false, bool unlessPlaying = false);
  void complete();
  void rememberFolderOf(const QString& path);
  void runClock(bool run);
  void afterErase();
  void keepSolvingTime(qint64 seconds);

  std::filesystem::path settingsPath_;
  Settings settings_;
  std::unique_ptr<SoundOutput> sounds_;
  std::optional<LoadedCrossword> crossword_;
  QPointer<QWidget> dialogParent_;
  QTimer blinkTimer_;
  bool unattended_ = false;
  bool paused_ = false;
  // Solving time: seconds of earlier sessions, and the running session's clock.
  qint64 clockBase_ = 0;
  QElapsedTimer clock_;
  QTimer clockTick_;
};

}  // namespace gw::cross
