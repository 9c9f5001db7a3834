#include "solver/main_form.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <cstdio>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/language.h"
#include "gui_common/board_painter.h"
#include "gui_common/qt_bridge.h"
#include "solver/core/us_keyboard.h"
#include "solver/explain_window.h"
#include "solver/window_look.h"

using gw::cross::Board;
using gw::cross::Cell;
using gw::cross::Direction;
using gw::cross::Sound;
using gw::cross::kCellPitch;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QString kTitle = QStringLiteral("Crossword Solving Tool");

// Shown as separate lines whatever the platform's line ends.
QString displayText(const std::string& message) {
  return QString::fromStdString(message).replace("\r\n", "\n");
}

}  // namespace

BoardPaintBox::BoardPaintBox(TMainForm* form) : QWidget(form), form_(form) {
  setObjectName("PaintBox1");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::NoFocus);
}

void BoardPaintBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  form_->PaintBox1Paint(p);
}

void BoardPaintBox::mousePressEvent(QMouseEvent* e) {
  form_->PaintBox1MouseDown(e->position().toPoint().x(), e->position().toPoint().y());
}

void BoardPaintBox::mouseMoveEvent(QMouseEvent* e) {
  form_->PaintBox1MouseMove(e->position().toPoint().x(), e->position().toPoint().y());
}

TMainForm::TMainForm(std::filesystem::path settingsPath, std::string defaultSolveFolder,
                     std::unique_ptr<SoundOutput> sounds)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      settingsPath_(std::move(settingsPath)),
      sounds_(std::move(sounds)) {
  setObjectName("MainForm");
  setWindowTitle(kTitle);
  applySolverLook(this);
  setFocusPolicy(Qt::StrongFocus);
  resize(222, 153);
  PaintBox1 = new BoardPaintBox(this);
  PaintBox1->setGeometry(rect());

  if (settingsPath_.empty()) {
    settings_.solveFolder = defaultSolveFolder;
  } else {
    settings_ = gw::cross::readSettings(settingsPath_, defaultSolveFolder);
  }

  aLeft = makeAction("aLeft", "Left", QKeySequence(Qt::Key_Left));
  aRight = makeAction("aRight", "Right", QKeySequence(Qt::Key_Right));
  aUp = makeAction("aUp", "Up", QKeySequence(Qt::Key_Up));
  aDown = makeAction("aDown", "Down", QKeySequence(Qt::Key_Down));
  RightDirection = makeAction("RightDirection", "Right direction", QKeySequence(Qt::CTRL | Qt::Key_Right));
  DownDirection = makeAction("DownDirection", "Down direction", QKeySequence(Qt::CTRL | Qt::Key_Down));
  ChangeShow = makeAction("ChangeShow", "Mark bad entries", QKeySequence());
  CheatOne = makeAction("CheatOne", "Cheat one field", QKeySequence(Qt::CTRL | Qt::Key_Return));
  CheatOne->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  Fill1 = makeAction("Fill1", "Cheat the whole crossword", QKeySequence());
  Sounds1 = makeAction("Sounds1", "Sounds", QKeySequence());
  Exit1 = makeAction("Exit1", "Exit", QKeySequence(Qt::ALT | Qt::Key_F4));

  RightDirection->setCheckable(true);
  DownDirection->setCheckable(true);
  directionGroup = new QActionGroup(this);
  directionGroup->addAction(RightDirection);
  directionGroup->addAction(DownDirection);
  ChangeShow->setCheckable(true);
  ChangeShow->setChecked(settings_.markBadEntries);
  Sounds1->setCheckable(true);
  Sounds1->setChecked(settings_.sounds);

  connect(aLeft, &QAction::triggered, this, [this] { arrow(-1, 0); });
  connect(aRight, &QAction::triggered, this, [this] { arrow(1, 0); });
  connect(aUp, &QAction::triggered, this, [this] { arrow(0, -1); });
  connect(aDown, &QAction::triggered, this, [this] { arrow(0, 1); });
  connect(RightDirection, &QAction::triggered, this, [this] { setDirection(Direction::Across); });
  connect(DownDirection, &QAction::triggered, this, [this] { setDirection(Direction::Down); });
  connect(ChangeShow, &QAction::triggered, this, [this] {  // ChangeShowExecute
    settings_.markBadEntries = !settings_.markBadEntries;
    ChangeShow->setChecked(settings_.markBadEntries);
    PaintBox1->repaint();
    if (crossword_) SelectCell(crossword_->board.current());
  });
  connect(CheatOne, &QAction::triggered, this, [this] {  // CheatOneExecute
    if (!crossword_) return;
    Sound s = crossword_->board.cheatOne();
    if (s == Sound::None) return;
    play(s, true);
    SelectCell(crossword_->board.current());
  });
  connect(Fill1, &QAction::triggered, this, [this] {  // Fill1Click
    if (!crossword_) return;
    crossword_->board.cheatAll();
    PaintBox1->repaint();
  });
  connect(Exit1, &QAction::triggered, this, [this] {  // Exit1Click
    if (!SaveProgress()) return;  // reported; the window stays open
    progressSaved_ = true;
    close();
  });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addAction(CheatOne);
  PopupMenu1->addAction(Fill1);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(ChangeShow);
  PopupMenu1->addAction(Sounds1);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(RightDirection);
  PopupMenu1->addAction(DownDirection);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(Exit1);

  Timer1.setInterval(200);
  Timer1.setObjectName("Timer1");
  connect(&Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

  // The update handlers all run from here, whenever the event loop is about to wait.
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TMainForm::updateActions);
  updateActions();
}

TMainForm::~TMainForm() {
  delete acrossWindow_;
  delete downWindow_;
}

QAction* TMainForm::makeAction(const char* name, const QString& caption, const QKeySequence& shortcut) {
  auto* a = new QAction(caption, this);
  a->setObjectName(name);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  a->setShortcutContext(Qt::WindowShortcut);
  addAction(a);
  return a;
}

QAction* TMainForm::action(const QString& objectName) const {
  return findChild<QAction*>(objectName);
}

void TMainForm::updateActions() {
  const Board* b = board();
  aLeft->setEnabled(b && b->canMoveLeft());
  aRight->setEnabled(b && b->canMoveRight());
  aUp->setEnabled(b && b->canMoveUp());
  aDown->setEnabled(b && b->canMoveDown());
  Direction d = b ? b->direction() : Direction::Across;
  RightDirection->setEnabled(b && d == Direction::Down);
  DownDirection->setEnabled(b && d == Direction::Across);
  (d == Direction::Across ? RightDirection : DownDirection)->setChecked(true);
  ChangeShow->setChecked(settings_.markBadEntries);
  CheatOne->setEnabled(b && b->canCheatOne());
  Fill1->setEnabled(b != nullptr);
}

void TMainForm::rememberFolderOf(const QString& path) {
  settings_.solveFolder = QFileInfo(path).absolutePath().toStdString();
}

bool TMainForm::LoadCrossword(const QString& path) {
  rememberFolderOf(path);
  std::optional<gw::cross::LoadedCrossword> loaded;
  std::vector<QImage> images;
  try {
    loaded = gw::cross::loadCrossword(std::filesystem::path(QFile::encodeName(path).toStdString()));
    for (const gw::cross::Picture& p : loaded->board.pictures()) images.push_back(gw::gui::toQImage(p.image));
  } catch (const std::exception& e) {
    // Nothing of a failed load is kept, and nothing of the old crossword is shown with it.
    crossword_.reset();
    pictureImages_.clear();
    delete acrossWindow_;
    delete downWindow_;
    acrossWindow_ = downWindow_ = nullptr;
    Timer1.stop();
    hide();
    showMessage(displayText(e.what()));
    return false;
  }
  Timer1.stop();
  crossword_ = std::move(loaded);
  pictureImages_ = std::move(images);
  const Board& b = crossword_->board;

  int width = b.columns() * kCellPitch + 2;
  int height = b.rows() * kCellPitch + 2;
  setFixedSize(width, height);
  PaintBox1->setGeometry(0, 0, width, height);

  delete acrossWindow_;
  delete downWindow_;
  acrossWindow_ = new TdExplain(true, b.clueCharset());
  downWindow_ = new TdExplain(false, b.clueCharset());

  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  QRect work = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
  move((work.width() - width) / 2, (work.height() - height) / 2);

  SelectCell(b.current());
  rememberFolderOf(path);
  updateActions();
  PaintBox1->update();
  return true;
}

void TMainForm::FormDestroy() {
  settings_.sounds = Sounds1->isChecked();
  if (!settingsPath_.empty()) {
    try {
      std::error_code ec;
      std::filesystem::create_directories(settingsPath_.parent_path(), ec);
      gw::cross::writeSettings(settingsPath_, settings_);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "Cross: %s\n", e.what());
    }
  }
  delete acrossWindow_;
  delete downWindow_;
  acrossWindow_ = downWindow_ = nullptr;
  pictureImages_.clear();
}

bool TMainForm::SaveProgress() {
  if (!crossword_ || crossword_->board.completed()) return true;
  try {
    gw::cross::saveProgress(*crossword_);
    return true;
  } catch (const std::exception& e) {
    showMessage(displayText(e.what()));
    return false;
  }
}

void TMainForm::closeEvent(QCloseEvent* e) {
  if (finishedForGood_) {
    e->accept();
    return;
  }
  // However else the window closes, an unfinished crossword keeps the player's letters
  // where it can. A progress file that cannot be written is reported but does not hold
  // the window open: the player would have no way left to close it.
  if (!progressSaved_) SaveProgress();
  FormDestroy();
  finishedForGood_ = true;
  e->accept();
  emit finished();
}

QString TMainForm::entryText(char byte) const {
  auto lang = static_cast<gw::Language>(crossword_->board.languageCode());
  return QString::fromStdString(gw::toUtf8(std::string(1, byte), gw::boardCodePage(lang)));
}

void TMainForm::PaintBox1Paint(QPainter& p) {
  if (!crossword_) return;
  // The board is drawn as the layout editor of Gridwright draws it; only the entries,
  // their colours and the cursor's colours are the solver's own.
  const Board& b = crossword_->board;
  const int R = b.rows(), C = b.columns();
  gw::gui::BoardScene scene(R, C);
  scene.font = font();
  const QColor text = palette().color(QPalette::WindowText);
  for (int r = 0; r < R; ++r) {
    for (int c = 0; c < C; ++c) {
      gw::gui::BoardScene::Cell& cell = scene.cell(r, c);
      cell.blank = b.isBlock(c, r);
      if (!cell.blank) {
        cell.text = entryText(b.entryAt(c, r));
        cell.textColour = !settings_.markBadEntries ? text : b.isEntryCorrect(c, r) ? kBlue : kRed;
      }
      scene.topDotted[scene.index(r, c)] = b.isTopEdgeMarked(c, r);
      scene.leftDotted[scene.index(r, c)] = b.isLeftEdgeMarked(c, r);
    }
  }
  const std::vector<gw::cross::Picture>& pics = b.pictures();
  for (std::size_t i = 0; i < pics.size(); ++i)
    scene.pictures.push_back({pics[i].row, pics[i].column, pics[i].height, pics[i].width,
                              i < pictureImages_.size() ? pictureImages_[i] : QImage()});
  if (R > 0 && C > 0) scene.cursor = gw::gui::BoardScene::Cursor{{b.current().row, b.current().column}, kYellow, kRed};
  gw::gui::paintBoard(p, scene);
}

void TMainForm::showClues() {
  if (!crossword_ || !acrossWindow_ || !downWindow_) return;
  const Board& b = crossword_->board;
  if (b.completed()) return;  // completion hid them for good
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  QRect work = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
  QRect g = geometry();
  acrossWindow_->ShowClue(b.acrossClueAt(), b.direction(), g.top(), g.left(), g.width(),
                          g.height(), work, this);
  downWindow_->ShowClue(b.downClueAt(), b.direction(), g.top(), g.left(), g.width(), g.height(),
                        work, this);
}

void TMainForm::SelectCell(Cell cell) {
  if (!crossword_) return;
  crossword_->board.selectCell(cell);
  PaintBox1->update();
  showClues();
}

void TMainForm::play(Sound sound, bool wait, bool unlessPlaying) {
  if (sound == Sound::None || !sounds_ || !Sounds1->isChecked()) return;
  sounds_->play(sound, wait, unlessPlaying);
}

void TMainForm::arrow(int dColumn, int dRow) {
  if (!crossword_) return;
  Board& b = crossword_->board;
  Sound s = b.move(dColumn, dRow);
  if (s == Sound::Refused) {
    play(s);
    return;
  }
  SelectCell(b.current());
}

void TMainForm::setDirection(Direction d) {
  if (!crossword_) return;
  Sound s = crossword_->board.setDirection(d);
  SelectCell(crossword_->board.current());
  // The direction change is the one clip heard whatever the "Sounds" check mark says:
  // with no window title and no caret, it is the player's only sign that it happened.
  if (s != Sound::None && sounds_) sounds_->play(s, false, false);
  updateActions();
}

void TMainForm::FormKeyPress(char usCharacter) {
  if (!crossword_) return;
  Board& b = crossword_->board;
  gw::cross::KeyOutcome out = b.typeKey(usCharacter);
  if (out.stored) {
    SelectCell(b.current());
    play(out.sound);
  }
  if (out.completedNow) completeCrossword();
}

void TMainForm::completeCrossword() {
  if (acrossWindow_) acrossWindow_->hide();
  if (downWindow_) downWindow_->hide();
  // The first tick comes only after the completion clip has ended.
  play(Sound::Completed, true);
  Timer1.start();
  play(Sound::Fanfare, false, true);
  try {
    gw::cross::deleteProgress(*crossword_);
  } catch (const std::exception& e) {
    showMessage(displayText(e.what()));
  }
}

void TMainForm::Timer1Timer() {
  if (!crossword_) {
    Timer1.stop();
    return;
  }
  if (crossword_->board.blinkStep()) {
    PaintBox1->repaint();
    return;
  }
  Timer1.stop();
  if (confirmTryAnother()) {
    QString path = chooseCrossword();
    if (!path.isEmpty()) {
      FormDestroy();
      if (LoadCrossword(path)) {
        PaintBox1->repaint();
        return;
      }
    }
  }
  close();
}

void TMainForm::keyPressEvent(QKeyEvent* e) {
  // The character the key gives on a US keyboard; without a key code (or with Ctrl/Alt),
  // the character the event carries.
  std::optional<char> ch;
  // Alt or Super with a key is a command to the desktop, never a typed character;
  // Ctrl with a key still is one (a control character, which only runs the completion test).
  if ((e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && !(e->modifiers() & Qt::ControlModifier)) {
    QWidget::keyPressEvent(e);
    return;
  }
  bool chord = e->modifiers() & Qt::ControlModifier;
  if (e->nativeScanCode() != 0 && !chord)
    ch = gw::cross::usCharacterForKey(e->nativeScanCode(), e->modifiers() & Qt::ShiftModifier);
  if (!ch) {
    QString text = e->text();
    if (text.isEmpty()) {
      QWidget::keyPressEvent(e);
      return;
    }
    char16_t u = text.at(0).unicode();
    ch = u < 0x80 ? static_cast<char>(u) : '\x7f';  // not a US key: never an accepted letter
  }
  FormKeyPress(*ch);
}

void TMainForm::wheelEvent(QWheelEvent* e) {
  // A notch of the wheel is an Up or Down arrow.
  int dy = e->angleDelta().y();
  if (!crossword_ || dy == 0) return;
  const Board& b = crossword_->board;
  if (dy > 0 && b.canMoveUp()) arrow(0, -1);
  if (dy < 0 && b.canMoveDown()) arrow(0, 1);
  e->accept();
}

void TMainForm::contextMenuEvent(QContextMenuEvent* e) {
  updateActions();
  PopupMenu1->exec(e->globalPos());
}

void TMainForm::PaintBox1MouseDown(int x, int y) {
  if (!crossword_) return;
  std::optional<Cell> cell = crossword_->board.cellAtPixel(x, y);
  if (!cell || crossword_->board.isUnderPicture(cell->column, cell->row)) return;
  SelectCell(*cell);
}

void TMainForm::PaintBox1MouseMove(int x, int y) {
  std::optional<Cell> cell = crossword_ ? crossword_->board.cellAtPixel(x, y) : std::nullopt;
  bool blocked = cell && crossword_->board.isUnderPicture(cell->column, cell->row);
  PaintBox1->setCursor(blocked ? Qt::ForbiddenCursor : Qt::CrossCursor);
}

void TMainForm::showMessage(const QString& text) {
  QMessageBox::warning(isVisible() ? this : nullptr, kTitle, text);
}

bool TMainForm::confirmTryAnother() {
  return QMessageBox::question(this, kTitle, "Try another?", QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

QString TMainForm::chooseCrossword() {
  return QFileDialog::getOpenFileName(isVisible() ? this : nullptr, "Open",
                                      QString::fromStdString(settings_.solveFolder),
                                      "Crossword files (*.C_W)");
}
