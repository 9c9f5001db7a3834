#include "solver/board_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>
#include <cstdio>

#include "common/us_keyboard.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"
#include "gui_common/qt_bridge.h"
#include "solver/board_accessible.h"
#include "solver/board_view.h"
#include "solver/clue_window.h"
#include "solver/core/cell_size.h"
#include "solver/window_look.h"

namespace gw::cross {

namespace {
const QString kTitle = QStringLiteral("Crossword Solving Tool");
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
  connect(boardView_, &BoardView::cellClicked, w, &BoardWorkflow::selectCell);
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
  connect(zoomInAction_, &QAction::triggered, w, [w] { w->zoomBy(1); });
  connect(zoomOutAction_, &QAction::triggered, w, [w] { w->zoomBy(-1); });
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
    hide();
    return;
  }
  std::vector<QImage> images;
  for (std::size_t i = 0; i < b->pictures().size(); ++i) images.push_back(gui::toQImage(b->pictureImage(i)));
  boardView_->setBoard(b, std::move(images));
  acrossWindow_ = std::make_unique<ClueWindow>(Direction::Across, b->clueCharset());
  downWindow_ = std::make_unique<ClueWindow>(Direction::Down, b->clueCharset());
  layOutBoard();
  boardView_->repaint();
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
  const int clueFont = static_cast<int>(std::lround(11.0 * zoom / kDefaultCellSize));
  for (ClueWindow* w : {acrossWindow_.get(), downWindow_.get()})
    if (w) w->setTextPixelSize(clueFont);
  const Board* b = workflow_->board();
  if (!b) return;
  const QRect work = workArea();
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const BoardFit fit{b->rows(),
                     b->columns(),
                     work.width(),
                     work.height(),
                     acrossWindow_ ? acrossWindow_->oneLineHeight() : 22,
                     s ? s->devicePixelRatio() : 1.0};
  boardView_->setCellSize(fittedCellSize(zoom, fit));
  const QSize size = boardView_->boardSize();
  setFixedSize(size);
  boardView_->setGeometry(QRect(QPoint(0, 0), size));
  move(work.x() + (work.width() - size.width()) / 2, work.y() + (work.height() - size.height()) / 2);
}

void BoardWindow::acceptHandedOverCrossword(const QString& path) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  if (!path.isEmpty()) workflow_->switchTo(path);
}

void BoardWindow::saveSettingsAndCloseClues() {
  workflow_->writeSettings();
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
