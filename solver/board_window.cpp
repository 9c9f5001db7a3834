#include "solver/board_window.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>
#include <cstdio>

#include "common/errors.h"
#include "common/us_keyboard.h"
#include "gui_common/qt_bridge.h"
#include "solver/board_accessible.h"
#include "solver/board_view.h"
#include "solver/clue_window.h"
#include "solver/core/cell_size.h"
#include "solver/off_thread_work.h"
#include "solver/window_look.h"

using gw::Direction;
using gw::cross::Board;
using gw::cross::BoardView;
using gw::cross::Cell;
using gw::cross::Sound;

namespace {

const QString kTitle = QStringLiteral("Crossword Solving Tool");

// Shown as separate lines whatever the platform's line ends.
QString displayText(const std::string& message) {
  return QString::fromStdString(message).replace("\r\n", "\n");
}

}  // namespace

BoardWindow::BoardWindow(std::filesystem::path settingsPath, std::string defaultSolveFolder,
                         std::unique_ptr<SoundOutput> sounds)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      settingsPath_(std::move(settingsPath)),
      sounds_(std::move(sounds)) {
  setObjectName("boardWindow");
  setWindowTitle(kTitle);
  applySolverLook(this);
  setFocusPolicy(Qt::StrongFocus);
  resize(222, 153);
  boardView_ = new BoardView(this);
  boardView_->setGeometry(rect());
  connect(boardView_, &BoardView::cellClicked, this, &BoardWindow::selectCell);

  if (settingsPath_.empty()) {
    settings_.solveFolder = defaultSolveFolder;
  } else {
    settings_ = gw::cross::readSettings(settingsPath_, defaultSolveFolder);
  }
  boardView_->setMarkBadEntries(settings_.markBadEntries);

  moveLeftAction_ = makeAction("moveLeftAction", "Left", QKeySequence(Qt::Key_Left));
  moveRightAction_ = makeAction("moveRightAction", "Right", QKeySequence(Qt::Key_Right));
  moveUpAction_ = makeAction("moveUpAction", "Up", QKeySequence(Qt::Key_Up));
  moveDownAction_ = makeAction("moveDownAction", "Down", QKeySequence(Qt::Key_Down));
  acrossDirectionAction_ =
      makeAction("acrossDirectionAction", "Right direction", QKeySequence(Qt::CTRL | Qt::Key_Right));
  downDirectionAction_ =
      makeAction("downDirectionAction", "Down direction", QKeySequence(Qt::CTRL | Qt::Key_Down));
  markErrorsAction_ = makeAction("markErrorsAction", "Mark bad entries", QKeySequence());
  revealCellAction_ =
      makeAction("revealCellAction", "Cheat one field", QKeySequence(Qt::CTRL | Qt::Key_Return));
  revealCellAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  revealAllAction_ = makeAction("revealAllAction", "Cheat the whole crossword", QKeySequence());
  soundsAction_ = makeAction("soundsAction", "Sounds", QKeySequence());
  exitAction_ = makeAction("exitAction", "Exit", QKeySequence(Qt::ALT | Qt::Key_F4));
  openAction_ = makeAction("openAction", "Open crossword...", QKeySequence(Qt::CTRL | Qt::Key_O));
  zoomInAction_ = makeAction("zoomInAction", "Zoom in", QKeySequence(Qt::CTRL | Qt::Key_Plus));
  zoomInAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoomOutAction_ = makeAction("zoomOutAction", "Zoom out", QKeySequence(Qt::CTRL | Qt::Key_Minus));
  zoomResetAction_ = makeAction("zoomResetAction", "Normal size", QKeySequence(Qt::CTRL | Qt::Key_0));

  acrossDirectionAction_->setCheckable(true);
  downDirectionAction_->setCheckable(true);
  directionGroup_ = new QActionGroup(this);
  directionGroup_->addAction(acrossDirectionAction_);
  directionGroup_->addAction(downDirectionAction_);
  markErrorsAction_->setCheckable(true);
  markErrorsAction_->setChecked(settings_.markBadEntries);
  soundsAction_->setCheckable(true);
  soundsAction_->setChecked(settings_.sounds);

  connect(moveLeftAction_, &QAction::triggered, this, [this] { moveCursor(0, -1); });
  connect(moveRightAction_, &QAction::triggered, this, [this] { moveCursor(0, 1); });
  connect(moveUpAction_, &QAction::triggered, this, [this] { moveCursor(-1, 0); });
  connect(moveDownAction_, &QAction::triggered, this, [this] { moveCursor(1, 0); });
  connect(acrossDirectionAction_, &QAction::triggered, this, [this] { setDirection(Direction::Across); });
  connect(downDirectionAction_, &QAction::triggered, this, [this] { setDirection(Direction::Down); });
  connect(markErrorsAction_, &QAction::triggered, this, &BoardWindow::toggleMarkBadEntries);
  connect(revealCellAction_, &QAction::triggered, this, &BoardWindow::revealCell);
  connect(revealAllAction_, &QAction::triggered, this, &BoardWindow::revealAll);
  connect(exitAction_, &QAction::triggered, this, &BoardWindow::saveProgressAndClose);
  connect(openAction_, &QAction::triggered, this, &BoardWindow::openAnotherCrossword);
  connect(zoomInAction_, &QAction::triggered, this, [this] { zoomBy(1); });
  connect(zoomOutAction_, &QAction::triggered, this, [this] { zoomBy(-1); });
  connect(zoomResetAction_, &QAction::triggered, this, &BoardWindow::resetZoom);

  contextMenu_ = new QMenu(this);
  contextMenu_->setObjectName("contextMenu");
  contextMenu_->addAction(revealCellAction_);
  contextMenu_->addAction(revealAllAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(markErrorsAction_);
  contextMenu_->addAction(soundsAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(acrossDirectionAction_);
  contextMenu_->addAction(downDirectionAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(zoomInAction_);
  contextMenu_->addAction(zoomOutAction_);
  contextMenu_->addAction(zoomResetAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(openAction_);
  contextMenu_->addAction(exitAction_);

  blinkTimer_.setInterval(200);
  blinkTimer_.setObjectName("blinkTimer");
  connect(&blinkTimer_, &QTimer::timeout, this, &BoardWindow::onBlinkTick);

  // The update handlers all run from here, whenever the event loop is about to wait.
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &BoardWindow::updateActions);
  updateActions();
}

BoardWindow::~BoardWindow() = default;

QAction* BoardWindow::makeAction(const char* name, const QString& caption, const QKeySequence& shortcut) {
  auto* a = new QAction(caption, this);
  a->setObjectName(name);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  a->setShortcutContext(Qt::WindowShortcut);
  addAction(a);
  return a;
}

QAction* BoardWindow::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

void BoardWindow::updateActions() {
  const Board* b = board();
  moveLeftAction_->setEnabled(b && b->canMoveLeft());
  moveRightAction_->setEnabled(b && b->canMoveRight());
  moveUpAction_->setEnabled(b && b->canMoveUp());
  moveDownAction_->setEnabled(b && b->canMoveDown());
  Direction d = b ? b->direction() : Direction::Across;
  acrossDirectionAction_->setEnabled(b && d == Direction::Down);
  downDirectionAction_->setEnabled(b && d == Direction::Across);
  (d == Direction::Across ? acrossDirectionAction_ : downDirectionAction_)->setChecked(true);
  markErrorsAction_->setChecked(settings_.markBadEntries);
  revealCellAction_->setEnabled(b && b->canCheatOne());
  revealAllAction_->setEnabled(b != nullptr);
  zoomInAction_->setEnabled(settings_.cellSize < gw::cross::kLargestCellSize);
  zoomOutAction_->setEnabled(settings_.cellSize > gw::cross::smallestCellSize(1.0));
}

void BoardWindow::rememberFolderOf(const QString& path) {
  settings_.solveFolder = QFileInfo(path).absolutePath().toStdString();
}

void BoardWindow::releaseClueWindows() {
  acrossWindow_.reset();
  downWindow_.reset();
}

bool BoardWindow::loadCrossword(const QString& path, bool keepCurrentOnFailure) {
  std::optional<gw::cross::LoadedCrossword> loaded;
  std::vector<QImage> images;
  try {
    runOffWindowThread([&] {
      loaded = gw::cross::loadCrossword(std::filesystem::path(QFile::encodeName(path).toStdString()));
      for (std::size_t i = 0; i < loaded->board.pictures().size(); ++i)
        images.push_back(gw::gui::toQImage(loaded->board.pictureImage(i)));
    });
  } catch (const std::exception& e) {
    if (keepCurrentOnFailure) {
      showMessage(displayText(e.what()));
      return false;
    }
    // Nothing of a failed load is kept, and nothing of the old crossword is shown with it.
    rememberFolderOf(path);
    boardView_->setBoard(nullptr, {});
    crossword_.reset();
    releaseClueWindows();
    blinkTimer_.stop();
    hide();
    showMessage(displayText(e.what()));
    return false;
  }
  blinkTimer_.stop();
  crossword_ = std::move(loaded);
  const Board& b = crossword_->board;
  boardView_->setBoard(&b, std::move(images));
  acrossWindow_ = std::make_unique<ClueWindow>(Direction::Across, b.clueCharset());
  downWindow_ = std::make_unique<ClueWindow>(Direction::Down, b.clueCharset());
  layOutBoard();

  selectCell(b.current());
  rememberFolderOf(path);
  updateActions();
  if (crossword_->readOnly)
    showMessage(
        "This crossword is open in another copy of Cross. It is opened read-only here: the letters "
        "you type are not saved.");
  if (crossword_->progressDiscarded)
    showMessage(
        "The saved progress belongs to another version of this crossword. The crossword starts "
        "empty, and the old progress is replaced when your letters are next saved.");
  return true;
}

QRect BoardWindow::workArea() const {
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

int BoardWindow::cellSize() const { return boardView_->cellSize(); }

// The zoom's cell size unless the board with a clue line above and below would not fit the
// work area; the board centred, which leaves the clue windows their room.
void BoardWindow::layOutBoard() {
  const int clueFont = static_cast<int>(std::lround(11.0 * settings_.cellSize / gw::cross::kDefaultCellSize));
  for (ClueWindow* w : {acrossWindow_.get(), downWindow_.get()})
    if (w) w->setTextPixelSize(clueFont);
  if (!crossword_) return;
  const Board& b = crossword_->board;
  QRect work = workArea();
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  gw::cross::BoardFit fit{b.rows(),
                          b.columns(),
                          work.width(),
                          work.height(),
                          acrossWindow_ ? acrossWindow_->oneLineHeight() : 22,
                          s ? s->devicePixelRatio() : 1.0};
  boardView_->setCellSize(gw::cross::fittedCellSize(settings_.cellSize, fit));
  QSize size = boardView_->boardSize();
  setFixedSize(size);
  boardView_->setGeometry(QRect(QPoint(0, 0), size));
  move(work.x() + (work.width() - size.width()) / 2, work.y() + (work.height() - size.height()) / 2);
}

void BoardWindow::zoomBy(int steps) {
  settings_.cellSize = gw::cross::boundedCellSize(settings_.cellSize + steps * gw::cross::kZoomStep);
  layOutBoard();
  showClues();
  updateActions();
}

void BoardWindow::resetZoom() {
  settings_.cellSize = gw::cross::kDefaultCellSize;
  layOutBoard();
  showClues();
  updateActions();
}

bool BoardWindow::switchToCrossword(const QString& path) {
  if (!saveProgress()) return false;  // reported; the player's letters stay on the board
  return loadCrossword(path, true);
}

void BoardWindow::openAnotherCrossword() {
  if (!saveProgress()) return;
  QString path = chooseCrossword();
  if (path.isEmpty()) return;
  if (loadCrossword(path, true)) boardView_->update();
}

void BoardWindow::acceptHandedOverCrossword(const QString& path) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  if (!path.isEmpty()) switchToCrossword(path);
}

void BoardWindow::saveSettingsAndCloseClues() {
  settings_.sounds = soundsAction_->isChecked();
  if (!settingsPath_.empty()) {
    try {
      std::error_code ec;
      std::filesystem::create_directories(settingsPath_.parent_path(), ec);
      gw::cross::writeSettings(settingsPath_, settings_);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "Cross: %s\n", e.what());
    }
  }
  releaseClueWindows();
}

bool BoardWindow::saveProgress() {
  if (!crossword_ || crossword_->board.completed()) return true;
  try {
    gw::cross::saveProgress(*crossword_);
    return true;
  } catch (const std::exception& e) {
    if (unattended_)
      std::fprintf(stderr, "Cross: %s\n", e.what());
    else
      showMessage(displayText(e.what()));
    return false;
  }
}

void BoardWindow::saveProgressAndClose() {
  if (!saveProgress()) return;  // reported; the window stays open
  progressSaved_ = true;
  close();
}

void BoardWindow::closeEvent(QCloseEvent* e) {
  finishForGood();
  e->accept();
}

void BoardWindow::finishForGood() {
  if (finishedForGood_) return;
  // However else the window closes, an unfinished crossword keeps the player's letters
  // where it can. A progress file that cannot be written is reported but does not hold
  // the window open: the player would have no way left to close it.
  if (!progressSaved_ && !saveProgress()) progressLost_ = true;
  saveSettingsAndCloseClues();
  finishedForGood_ = true;
  emit finished();
}

void BoardWindow::toggleMarkBadEntries() {
  settings_.markBadEntries = !settings_.markBadEntries;
  markErrorsAction_->setChecked(settings_.markBadEntries);
  boardView_->setMarkBadEntries(settings_.markBadEntries);
  if (crossword_) selectCell(crossword_->board.current());
}

void BoardWindow::revealCell() {
  if (!crossword_) return;
  Sound s = crossword_->board.cheatOne();
  if (s == Sound::None) return;
  play(s, true);
  selectCell(crossword_->board.current());
}

void BoardWindow::revealAll() {
  if (!crossword_) return;
  crossword_->board.cheatAll();
  boardView_->update();
}

void BoardWindow::showClues() {
  if (!crossword_ || !acrossWindow_ || !downWindow_) return;
  const Board& b = crossword_->board;
  if (b.completed()) return;  // completion hid them for good
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  QRect work = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
  acrossWindow_->showClue(b.acrossClueAt(), b.direction(), geometry(), work, this);
  downWindow_->showClue(b.downClueAt(), b.direction(), geometry(), work, this);
}

void BoardWindow::selectCell(Cell cell) {
  if (!crossword_) return;
  crossword_->board.selectCell(cell);
  boardView_->update();
  BoardAccessible::notifyCursorMoved(boardView_);
  showClues();
}

void BoardWindow::play(Sound sound, bool wait, bool unlessPlaying) {
  if (sound == Sound::None || !sounds_ || !soundsAction_->isChecked()) return;
  sounds_->play(sound, wait, unlessPlaying);
}

void BoardWindow::moveCursor(int dRow, int dColumn) {
  if (!crossword_) return;
  Board& b = crossword_->board;
  Sound s = b.move(dRow, dColumn);
  if (s == Sound::Refused) {
    play(s);
    return;
  }
  selectCell(b.current());
}

void BoardWindow::setDirection(Direction d) {
  if (!crossword_) return;
  Sound s = crossword_->board.setDirection(d);
  selectCell(crossword_->board.current());
  // The direction change is the one clip heard whatever the "Sounds" check mark says:
  // with no window title and no caret, it is the player's only sign that it happened.
  if (s != Sound::None && sounds_) sounds_->play(s, false, false);
  updateActions();
}

void BoardWindow::typeCharacter(char usCharacter) {
  if (!crossword_) return;
  Board& b = crossword_->board;
  gw::cross::KeyOutcome out = b.typeKey(usCharacter);
  if (out.stored) {
    selectCell(b.current());
    play(out.sound);
  }
  if (out.completedNow) completeCrossword();
}

void BoardWindow::completeCrossword() {
  if (acrossWindow_) acrossWindow_->hide();
  if (downWindow_) downWindow_->hide();
  // The first tick comes only after the completion clip has ended.
  play(Sound::Completed, true);
  blinkTimer_.start();
  play(Sound::Fanfare, false, true);
  try {
    gw::cross::deleteProgress(*crossword_);
  } catch (const std::exception& e) {
    showMessage(displayText(e.what()));
  }
}

void BoardWindow::onBlinkTick() {
  if (!crossword_) {
    blinkTimer_.stop();
    return;
  }
  if (crossword_->board.blinkStep()) {
    boardView_->repaint();
    return;
  }
  blinkTimer_.stop();
  if (confirmTryAnother()) {
    QString path = chooseCrossword();
    if (!path.isEmpty()) {
      saveSettingsAndCloseClues();
      if (loadCrossword(path)) {
        boardView_->repaint();
        return;
      }
    }
  }
  close();
}

void BoardWindow::keyPressEvent(QKeyEvent* e) {
  // The character the key gives on a US keyboard; without a key code (or with Ctrl/Alt),
  // the character the event carries.
  std::optional<char> ch;
  // Delete gives no character (Qt hands it over as DEL): it neither types nor completes.
  if (e->key() == Qt::Key_Delete) {
    e->accept();
    return;
  }
  // Alt or Super with a key is a command to the desktop, never a typed character;
  // Ctrl with a key still is one (a control character, which only runs the completion test).
  if ((e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && !(e->modifiers() & Qt::ControlModifier)) {
    QWidget::keyPressEvent(e);
    return;
  }
  bool chord = e->modifiers() & Qt::ControlModifier;
  if (e->nativeScanCode() != 0 && !chord)
    ch = gw::usCharacterForKey(e->nativeScanCode(), e->modifiers() & Qt::ShiftModifier);
  if (!ch) {
    QString text = e->text();
    if (text.isEmpty()) {
      QWidget::keyPressEvent(e);
      return;
    }
    char16_t u = text.at(0).unicode();
    ch = u < 0x80 ? static_cast<char>(u) : '\x7f';  // not a US key: never an accepted letter
  }
  typeCharacter(*ch);
}

void BoardWindow::wheelEvent(QWheelEvent* e) {
  // A notch of the wheel is an Up or Down arrow.
  int dy = e->angleDelta().y();
  if (!crossword_ || dy == 0) return;
  const Board& b = crossword_->board;
  if (dy > 0 && b.canMoveUp()) moveCursor(-1, 0);
  if (dy < 0 && b.canMoveDown()) moveCursor(1, 0);
  e->accept();
}

void BoardWindow::contextMenuEvent(QContextMenuEvent* e) {
  updateActions();
  contextMenu_->exec(e->globalPos());
}

void BoardWindow::showMessage(const QString& text) {
  QMessageBox::warning(isVisible() ? this : nullptr, kTitle, text);
}

bool BoardWindow::confirmTryAnother() {
  return QMessageBox::question(this, kTitle, "Try another?", QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

QString BoardWindow::chooseCrossword() {
  // ipuz and .puz files open as crosswords too; the dialog starts on the filter that shows all.
  QString allCrosswords = "All crosswords (*.C_W *.ipuz *.puz)";
  return QFileDialog::getOpenFileName(isVisible() ? this : nullptr, "Open",
                                      QString::fromStdString(settings_.solveFolder),
                                      "Crossword files (*.C_W);;" + allCrosswords +
                                          ";;ipuz crosswords (*.ipuz);;Across Lite crosswords (*.puz)",
                                      &allCrosswords);
}
