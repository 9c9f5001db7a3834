#include "solver/board_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSizeGrip>
#include <QWheelEvent>
#include <cmath>
#include <cstdio>

#include "common/us_keyboard.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"
#include "gui_common/qt_bridge.h"
#include "solver/board_accessible.h"
#include "solver/board_view.h"
#include "solver/clue_list_window.h"
#include "solver/clue_window.h"
#include "solver/core/cell_size.h"
#include "solver/window_look.h"

namespace gw::cross {

namespace {
const QString kTitle = QStringLiteral("Crossword Solving Tool");
// The room kept for a clue line above and below the board: one line of the 11-pixel clue font
// with the window's frame. The same at every zoom, so the zoom alone decides the board's size.
constexpr int kClueLineReserve = 22;
}  // namespace

BoardWindow::BoardWindow(std::filesystem::path settingsPath, std::string defaultSolveFolder,
                         std::unique_ptr<SoundOutput> sounds)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      workflow_(std::make_unique<BoardWorkflow>(std::move(settingsPath), std::move(defaultSolveFolder),
                                                std::move(sounds))) {
  setObjectName("boardWindow");
  setWindowTitle(kTitle);
  applySolverLook(this);
  setFocusPolicy(Qt::StrongFocus);
  resize(222, 153);
  boardView_ = new BoardView(this);
  boardView_->setGeometry(rect());
  boardView_->setMarkBadEntries(workflow_->settings().markBadEntries);
  workflow_->setDialogParent(this);
  makeActions();

  BoardWorkflow* w = workflow_.get();
  connect(boardView_, &BoardView::cellClicked, w, &BoardWorkflow::clickCell);
  // The board follows the window's size.
  auto* grip = new QSizeGrip(this);
  grip->setObjectName("sizeGrip");
  grip->setFixedSize(6, 6);  // in the corner of the frame, clear of the last cell's letter
  clueList_ = std::make_unique<ClueListWindow>();
  connect(clueList_.get(), &ClueListWindow::wordPicked, this, [this](int word) {
    workflow_->goToWord(word);
    activateWindow();
  });
  connect(w, &BoardWorkflow::clockTicked, this, &BoardWindow::showClock);
  connect(w, &BoardWorkflow::stateChanged, this, &BoardWindow::applyState);
  connect(w, &BoardWorkflow::failed, this, &BoardWindow::showFailure);
  connect(w, &BoardWorkflow::crosswordReplaced, this, &BoardWindow::replaceCrossword);
  connect(w, &BoardWorkflow::cursorMoved, this, [this] {
    boardView_->update();
    BoardAccessible::notifyCursorMoved(boardView_);
    showClues();
  });
  connect(w, &BoardWorkflow::entriesChanged, this, [this] {
    boardView_->setMarkBadEntries(workflow_->settings().markBadEntries);
    boardView_->setShowNumbers(workflow_->settings().showNumbers());
    boardView_->repaint();
  });
  connect(w, &BoardWorkflow::zoomChanged, this, [this] {
    layOutBoard();
    showClues();
  });
  connect(w, &BoardWorkflow::solved, this, [this] {
    if (acrossWindow_) acrossWindow_->hide();
    if (downWindow_) downWindow_->hide();
  });
  connect(w, &BoardWorkflow::closeRequested, this, &QWidget::close);
  applyState();
}

BoardWindow::~BoardWindow() = default;

void BoardWindow::makeActions() {
  using gui::makeAction;
  moveLeftAction_ = makeAction(this, {"moveLeftAction", "Left", {}, Qt::Key_Left});
  moveRightAction_ = makeAction(this, {"moveRightAction", "Right", {}, Qt::Key_Right});
  moveUpAction_ = makeAction(this, {"moveUpAction", "Up", {}, Qt::Key_Up});
  moveDownAction_ = makeAction(this, {"moveDownAction", "Down", {}, Qt::Key_Down});
  acrossDirectionAction_ =
      makeAction(this, {"acrossDirectionAction", "Right direction", {}, Qt::CTRL | Qt::Key_Right});
  downDirectionAction_ =
      makeAction(this, {"downDirectionAction", "Down direction", {}, Qt::CTRL | Qt::Key_Down});
  markErrorsAction_ = makeAction(this, {"markErrorsAction", "Mark bad entries", {}});
  revealCellAction_ = makeAction(this, {"revealCellAction", "Cheat one field", {}});
  revealCellAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  revealAllAction_ = makeAction(this, {"revealAllAction", "Cheat the whole crossword", {}});
  soundsAction_ = makeAction(this, {"soundsAction", "Sounds", {}});
  exitAction_ = makeAction(this, {"exitAction", "Exit", {}, Qt::ALT | Qt::Key_F4});
  openAction_ = makeAction(this, {"openAction", "Open crossword...", {}, Qt::CTRL | Qt::Key_O});
  zoomInAction_ = makeAction(this, {"zoomInAction", "Zoom in", {}});
  zoomInAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoomOutAction_ = makeAction(this, {"zoomOutAction", "Zoom out", {}, Qt::CTRL | Qt::Key_Minus});
  zoomResetAction_ = makeAction(this, {"zoomResetAction", "Normal size", {}, Qt::CTRL | Qt::Key_0});
  checkWordAction_ = makeAction(this, {"checkWordAction", "Check word", {}, Qt::CTRL | Qt::Key_K});
  revealWordAction_ =
      makeAction(this, {"revealWordAction", "Cheat one word", {}, Qt::CTRL | Qt::SHIFT | Qt::Key_Return});
  numbersAction_ = makeAction(this, {"numbersAction", "Numbers", {}});
  clueListAction_ = makeAction(this, {"clueListAction", "Clue list", {}, Qt::CTRL | Qt::Key_L});
  jumpAction_ = makeAction(this, {"jumpAction", "Jump to the next word", {}});
  pauseAction_ = makeAction(this, {"pauseAction", "Pause", {}, Qt::CTRL | Qt::Key_P});
  for (QAction* a : {numbersAction_, clueListAction_, jumpAction_, pauseAction_}) a->setCheckable(true);

  acrossDirectionAction_->setCheckable(true);
  downDirectionAction_->setCheckable(true);
  directionGroup_ = new QActionGroup(this);
  directionGroup_->addAction(acrossDirectionAction_);
  directionGroup_->addAction(downDirectionAction_);
  markErrorsAction_->setCheckable(true);
  soundsAction_->setCheckable(true);

  BoardWorkflow* w = workflow_.get();
  connect(moveLeftAction_, &QAction::triggered, w, [w] { w->move(0, -1); });
  connect(moveRightAction_, &QAction::triggered, w, [w] { w->move(0, 1); });
  connect(moveUpAction_, &QAction::triggered, w, [w] { w->move(-1, 0); });
  connect(moveDownAction_, &QAction::triggered, w, [w] { w->move(1, 0); });
  connect(acrossDirectionAction_, &QAction::triggered, w, [w] { w->setDirection(Direction::Across); });
  connect(downDirectionAction_, &QAction::triggered, w, [w] { w->setDirection(Direction::Down); });
  connect(markErrorsAction_, &QAction::triggered, w, &BoardWorkflow::toggleMarkBadEntries);
  connect(soundsAction_, &QAction::triggered, w, &BoardWorkflow::setSounds);
  connect(revealCellAction_, &QAction::triggered, w, &BoardWorkflow::revealCell);
  connect(revealAllAction_, &QAction::triggered, w, &BoardWorkflow::revealAll);
  connect(exitAction_, &QAction::triggered, this, &BoardWindow::saveProgressAndClose);
  connect(openAction_, &QAction::triggered, w, &BoardWorkflow::openAnother);
  connect(zoomInAction_, &QAction::triggered, w, [this] { workflow_->zoomBy(1, cellSize()); });
  connect(zoomOutAction_, &QAction::triggered, w, [this] { workflow_->zoomBy(-1, cellSize()); });
  connect(checkWordAction_, &QAction::triggered, w, &BoardWorkflow::checkWord);
  connect(revealWordAction_, &QAction::triggered, w, &BoardWorkflow::revealWord);
  connect(numbersAction_, &QAction::triggered, w, &BoardWorkflow::setNumbers);
  connect(clueListAction_, &QAction::triggered, w, &BoardWorkflow::setClueList);
  connect(jumpAction_, &QAction::triggered, w, &BoardWorkflow::setJumpToNextWord);
  connect(pauseAction_, &QAction::triggered, w, &BoardWorkflow::setPaused);
  connect(zoomResetAction_, &QAction::triggered, w, &BoardWorkflow::resetZoom);

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
  contextMenu_->addSeparator();
  contextMenu_->addAction(checkWordAction_);
  contextMenu_->addAction(revealWordAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(numbersAction_);
  contextMenu_->addAction(clueListAction_);
  contextMenu_->addAction(jumpAction_);
  contextMenu_->addAction(pauseAction_);
}

QAction* BoardWindow::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

// Each action's update rule, applied whenever the workflow's state changes.
void BoardWindow::applyState() {
  const BoardState s = workflow_->state();
  moveLeftAction_->setEnabled(s.canMoveLeft);
  moveRightAction_->setEnabled(s.canMoveRight);
  moveUpAction_->setEnabled(s.canMoveUp);
  moveDownAction_->setEnabled(s.canMoveDown);
  acrossDirectionAction_->setEnabled(s.loaded && s.direction == Direction::Down);
  downDirectionAction_->setEnabled(s.loaded && s.direction == Direction::Across);
  (s.direction == Direction::Across ? acrossDirectionAction_ : downDirectionAction_)->setChecked(true);
  markErrorsAction_->setChecked(s.markBadEntries);
  soundsAction_->setChecked(s.sounds);
  revealCellAction_->setEnabled(s.canCheatOne);
  revealAllAction_->setEnabled(s.loaded);
  zoomInAction_->setEnabled(s.canZoomIn);
  zoomOutAction_->setEnabled(s.canZoomOut);
  checkWordAction_->setEnabled(s.inWord);
  revealWordAction_->setEnabled(s.inWord);
  numbersAction_->setChecked(s.numbers);
  clueListAction_->setChecked(s.clueList);
  jumpAction_->setChecked(s.jumpToNextWord);
  pauseAction_->setEnabled(s.loaded);
  pauseAction_->setChecked(s.paused);
  boardView_->setVisible(!s.paused);
  const bool asked = workflow_->settings().clueList.has_value();
  if (clueList_)
    clueList_->setVisible(s.loaded && s.clueList && isVisible() && (asked || !clueListWouldCover_));
  showClock();
}

void BoardWindow::showClock() {
  if (clueList_) clueList_->setClock(clockText(workflow_->elapsedSeconds()), workflow_->state().paused);
}

void BoardWindow::showFailure(const QString& message) {
  gui::Prompts::warn(isVisible() ? this : nullptr, kTitle, message);
}

void BoardWindow::replaceCrossword() {
  acrossWindow_.reset();
  downWindow_.reset();
  const Board* b = workflow_->board();
  if (!b) {
    boardView_->setBoard(nullptr, {});
    clueList_->setBoard(nullptr);
    hide();
    return;
  }
  std::vector<QImage> images;
  for (std::size_t i = 0; i < b->pictures().size(); ++i) images.push_back(gui::toQImage(b->pictureImage(i)));
  boardView_->setBoard(b, std::move(images));
  acrossWindow_ = std::make_unique<ClueWindow>(Direction::Across, b->clueCharset());
  downWindow_ = std::make_unique<ClueWindow>(Direction::Down, b->clueCharset());
  boardView_->setShowNumbers(workflow_->settings().showNumbers());
  clueList_->setBoard(b);
  layOutBoard();
  placeClueList();
  boardView_->repaint();
}

// Where the player left it, or else beside the board (right if there is room, else left).
void BoardWindow::placeClueList() {
  const QStringList saved = QString::fromStdString(workflow_->settings().clueListGeometry).split(',');
  clueListWouldCover_ = false;
  if (saved.size() == 4) {
    clueList_->setGeometry(saved[0].toInt(), saved[1].toInt(), saved[2].toInt(), saved[3].toInt());
    return;
  }
  const QRect work = workArea();
  const QRect board = geometry();
  const int width = clueList_->width();
  const bool right = board.right() + 8 + width <= work.right();
  clueListWouldCover_ = !right && board.left() - 8 - width < work.left();
  const int x = right ? board.right() + 8 : std::max(work.left(), board.left() - 8 - width);
  clueList_->move(x, std::max(work.top(), board.top()));
}

QRect BoardWindow::workArea() const {
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

int BoardWindow::cellSize() const { return boardView_->cellSize(); }

// The zoom's cell size unless the board with a clue line above and below would not fit the
// work area; the board centred, which leaves the clue windows their room.
void BoardWindow::layOutBoard() {
  const int zoom = workflow_->settings().cellSize;
  const Board* b = workflow_->board();
  if (!b) return;
  const QRect work = workArea();
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const BoardFit fit{b->rows(),     b->columns(),     work.width(),
                     work.height(), kClueLineReserve, s ? s->devicePixelRatio() : 1.0};
  const int shown = fittedCellSize(zoom, fit);
  // The clue font follows the size on screen, so zooming changes the board's room by itself alone.
  const int clueFont = static_cast<int>(std::lround(11.0 * shown / kDefaultCellSize));
  for (ClueWindow* w : {acrossWindow_.get(), downWindow_.get()})
    if (w) w->setTextPixelSize(clueFont);
  boardView_->setCellSize(shown);
  const QSize size = boardView_->boardSize();
  layingOut_ = true;
  requestedSize_ = size;
  resize(size);
  layingOut_ = false;
  boardView_->setGeometry(QRect(QPoint(0, 0), size));
  move(work.x() + (work.width() - size.width()) / 2, work.y() + (work.height() - size.height()) / 2);
}

void BoardWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (auto* grip = findChild<QSizeGrip*>("sizeGrip"))
    grip->move(width() - grip->width(), height() - grip->height());
  const Board* b = workflow_->board();
  if (layingOut_ || !b) return;
  // On X11 a window's own resize arrives later, possibly after older sizes: not the player's.
  if (requestedSize_.isValid()) {
    if (e->size() == requestedSize_) requestedSize_ = QSize();
    return;
  }
  // The player resized the window: the board fills it, centred, at a size the zoom allows.
  const int size = cellSizeFillingWindow(b->rows(), b->columns(), width(), height());
  boardView_->setCellSize(size);
  const QSize board = boardView_->boardSize();
  boardView_->setGeometry(
      QRect(QPoint((width() - board.width()) / 2, (height() - board.height()) / 2), board));
  workflow_->setCellSize(size);
  showClues();
}

void BoardWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  applyState();
}

void BoardWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  if (clueList_) clueList_->hide();
}

void BoardWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  // The clock stops while the window is minimised; the "Pause" entry decides after that.
  if (e->type() == QEvent::WindowStateChange)
    workflow_->setPaused(isMinimized() || pauseAction_->isChecked());
}

// Tab and Shift+Tab go from word to word, not from widget to widget.
bool BoardWindow::focusNextPrevChild(bool next) {
  workflow_->goToNextWord(next ? 1 : -1);
  return true;
}

void BoardWindow::acceptHandedOverCrossword(const QString& path) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  if (!path.isEmpty()) workflow_->switchTo(path);
}

void BoardWindow::saveSettingsAndCloseClues() {
  if (clueList_ && clueList_->isVisible()) {
    const QRect g = clueList_->geometry();
    workflow_->setClueListGeometry(
        QString("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).toStdString());
  }
  workflow_->writeSettings();
  if (clueList_) clueList_->hide();
  acrossWindow_.reset();
  downWindow_.reset();
}

void BoardWindow::saveProgressAndClose() {
  if (!workflow_->saveProgress()) return;  // reported; the window stays open
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
  if (!progressSaved_ && !workflow_->saveProgress()) progressLost_ = true;
  saveSettingsAndCloseClues();
  finishedForGood_ = true;
  emit finished();
}

void BoardWindow::showClues() {
  const Board* b = workflow_->board();
  if (!b || !acrossWindow_ || !downWindow_) return;
  if (b->completed()) return;  // completion hid them for good
  const QRect work = workArea();
  acrossWindow_->showClue(b->acrossClueAt(), b->direction(), geometry(), work, this);
  downWindow_->showClue(b->downClueAt(), b->direction(), geometry(), work, this);
  clueList_->followCursor(*b);
}

void BoardWindow::keyPressEvent(QKeyEvent* e) {
  // The character the key gives on a US keyboard; without a key code (or with Ctrl/Alt),
  // the character the event carries.
  std::optional<char> ch;
  // Delete and Backspace erase; neither types nor runs the completion test.
  if (e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace) {
    if (e->key() == Qt::Key_Delete)
      workflow_->eraseCurrent();
    else
      workflow_->eraseBackward();
    e->accept();
    return;
  }
  // Alt or Super with a key is a command to the desktop, never a typed character;
  // Ctrl with a key still is one (a control character, which only runs the completion test).
  if ((e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && !(e->modifiers() & Qt::ControlModifier)) {
    QWidget::keyPressEvent(e);
    return;
  }
  const bool chord = e->modifiers() & Qt::ControlModifier;
  if (e->nativeScanCode() != 0 && !chord)
    ch = usCharacterForKey(e->nativeScanCode(), e->modifiers() & Qt::ShiftModifier);
  if (!ch) {
    const QString text = e->text();
    if (text.isEmpty()) {
      QWidget::keyPressEvent(e);
      return;
    }
    const char16_t u = text.at(0).unicode();
    ch = u < 0x80 ? static_cast<char>(u) : '\x7f';  // not a US key: never an accepted letter
  }
  workflow_->typeCharacter(*ch);
}

void BoardWindow::wheelEvent(QWheelEvent* e) {
  // A notch of the wheel is an Up or Down arrow.
  const int dy = e->angleDelta().y();
  const Board* b = workflow_->board();
  if (!b || dy == 0) return;
  if (dy > 0 && b->canMoveUp()) workflow_->move(-1, 0);
  if (dy < 0 && b->canMoveDown()) workflow_->move(1, 0);
  e->accept();
}

void BoardWindow::contextMenuEvent(QContextMenuEvent* e) { contextMenu_->exec(e->globalPos()); }

}  // namespace gw::cross
