#pragma once
// TMainForm: the borderless board window. It holds the loaded crossword, draws it,
// and turns keys, mouse and menu commands into calls on the board.
#include <QAction>
#include <QActionGroup>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "solver/core/loader.h"
#include "solver/core/settings.h"
#include "solver/sound_output.h"

class TdExplain;
class TMainForm;

// PaintBox1: fills the window and shows the board.
class BoardPaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit BoardPaintBox(TMainForm* form);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  TMainForm* form_;
};

class TMainForm : public QWidget {
  Q_OBJECT
 public:
  // `settingsPath` is CROSS.CONF; an empty path keeps the settings in memory only.
  TMainForm(std::filesystem::path settingsPath, std::string defaultSolveFolder,
            std::unique_ptr<SoundOutput> sounds = nullptr);
  ~TMainForm() override;

  // Loads a crossword with its progress into a new board and only then replaces the
  // old one. On failure the message is shown, no board remains, and false comes back:
  // the caller ends the program.
  bool LoadCrossword(const QString& path);
  // The settings written, the clues and pictures released (before another load and at the end).
  void FormDestroy();
  // Writes the progress file of an uncompleted crossword; reports a failure and returns false.
  bool SaveProgress();

  // The open dialog, for a start without an argument.
  QString chooseCrosswordAtStart() { return chooseCrossword(); }

  // Runs every action's update handler; called whenever the event loop goes idle.
  void updateActions();

  // Typing: one character as a US keyboard gives it.
  void FormKeyPress(char usCharacter);
  void SelectCell(gw::cross::Cell cell);
  void PaintBox1Paint(QPainter& p);
  void PaintBox1MouseDown(int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void Timer1Timer();

  // State for the tests and the clue windows.
  const gw::cross::Board* board() const { return crossword_ ? &crossword_->board : nullptr; }
  const gw::cross::LoadedCrossword* crossword() const { return crossword_ ? &*crossword_ : nullptr; }
  const gw::cross::Settings& settings() const { return settings_; }
  bool markBadEntries() const { return settings_.markBadEntries; }
  bool soundsOn() const { return Sounds1->isChecked(); }
  TdExplain* acrossWindow() const { return acrossWindow_; }
  TdExplain* downWindow() const { return downWindow_; }
  QTimer* timer() { return &Timer1; }
  QMenu* popupMenu() const { return PopupMenu1; }
  QAction* action(const QString& objectName) const;

 signals:
  // The window closed for good: the program ends.
  void finished();

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
  void arrow(int dColumn, int dRow);
  void setDirection(gw::cross::Direction d);
  void play(gw::cross::Sound sound, bool wait = false, bool unlessPlaying = false);
  void completeCrossword();
  void showClues();
  void rememberFolderOf(const QString& path);
  QString entryText(char byte) const;

  std::filesystem::path settingsPath_;
  gw::cross::Settings settings_;
  std::unique_ptr<SoundOutput> sounds_;
  std::optional<gw::cross::LoadedCrossword> crossword_;
  std::vector<QImage> pictureImages_;
  TdExplain* acrossWindow_ = nullptr;
  TdExplain* downWindow_ = nullptr;
  bool finishedForGood_ = false;
  bool progressSaved_ = false;  // "Exit" has just written the progress file

  BoardPaintBox* PaintBox1;
  QMenu* PopupMenu1;
  QTimer Timer1;
  QAction* aLeft;
  QAction* aRight;
  QAction* aUp;
  QAction* aDown;
  QAction* RightDirection;
  QAction* DownDirection;
  QActionGroup* directionGroup;
  QAction* ChangeShow;
  QAction* CheatOne;
  QAction* Fill1;
  QAction* Sounds1;
  QAction* Exit1;
};
