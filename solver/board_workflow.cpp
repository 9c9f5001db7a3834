#include "solver/board_workflow.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "gui_common/prompts.h"
#include "solver/core/cell_size.h"
#include "solver/off_thread_work.h"

namespace gw::cross {

namespace {

const QString kTitle = QStringLiteral("Crossword Solving Tool");

// Shown as separate lines whatever the platform's line ends.
QString displayText(const std::string& message) {
  return QString::fromStdString(message).replace("\r\n", "\n");
}

}  // namespace

QString clockText(qint64 seconds) {
  const qint64 h = seconds / 3600, m = seconds / 60 % 60, sec = seconds % 60;
  if (h > 0) return QString("%1:%2:%3").arg(h).arg(m, 2, 10, QChar('0')).arg(sec, 2, 10, QChar('0'));
  return QString("%1:%2").arg(m).arg(sec, 2, 10, QChar('0'));
}

BoardWorkflow::BoardWorkflow(std::filesystem::path settingsPath, std::string defaultSolveFolder,
                             std::unique_ptr<SoundOutput> sounds, QObject* parent)
    : QObject(parent), settingsPath_(std::move(settingsPath)), sounds_(std::move(sounds)) {
  if (settingsPath_.empty()) {
    settings_.solveFolder = defaultSolveFolder;
  } else {
    settings_ = readSettings(settingsPath_, defaultSolveFolder);
  }
  blinkTimer_.setInterval(200);
  blinkTimer_.setObjectName("blinkTimer");
  connect(&blinkTimer_, &QTimer::timeout, this, &BoardWorkflow::blinkTick);
  clockTick_.setInterval(1000);
  connect(&clockTick_, &QTimer::timeout, this, &BoardWorkflow::clockTicked);
}

BoardWorkflow::~BoardWorkflow() = default;

// The one place a failure becomes a message.
void BoardWorkflow::report(const std::exception& e) {
  if (unattended_) {
    std::fprintf(stderr, "Cross: %s\n", e.what());
    return;
  }
  emit failed(displayText(e.what()));
}

BoardState BoardWorkflow::state() const {
  BoardState s;
  const Board* b = board();
  s.loaded = b != nullptr;
  s.canMoveLeft = b && b->canMoveLeft();
  s.canMoveRight = b && b->canMoveRight();
  s.canMoveUp = b && b->canMoveUp();
  s.canMoveDown = b && b->canMoveDown();
  s.direction = b ? b->direction() : Direction::Across;
  s.canCheatOne = b && b->canCheatOne();
  s.markBadEntries = settings_.markBadEntries;
  s.sounds = settings_.sounds;
  s.canZoomIn = settings_.cellSize < kLargestCellSize;
  s.canZoomOut = settings_.cellSize > smallestCellSize(1.0);
  s.inWord = b && !b->completed() && b->currentWord() >= 0;
  s.numbers = settings_.showNumbers();
  s.jumpToNextWord = settings_.jumps();
  s.clueList = settings_.showClueList();
  s.paused = paused_;
  return s;
}

void BoardWorkflow::rememberFolderOf(const QString& path) {
  settings_.solveFolder = QFileInfo(path).absolutePath().toStdString();
}

bool BoardWorkflow::load(const QString& path, bool keepCurrentOnFailure) {
  std::optional<LoadedCrossword> loaded;
  try {
    // Off the window thread: a crossword of many pictures takes a while to decode, and the
    // window must go on answering (repaints, termination signals) meanwhile.
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    runOffWindowThread([&] { loaded = loadCrossword(file); });
  } catch (const std::exception& e) {
    if (!keepCurrentOnFailure) {
      // Nothing of a failed load is kept, and nothing of the old crossword is shown with it.
      rememberFolderOf(path);
      blinkTimer_.stop();
      runClock(false);
      crossword_.reset();
      emit crosswordReplaced();
      emit stateChanged();
    }
    report(e);
    return false;
  }
  blinkTimer_.stop();
  runClock(false);
  crossword_ = std::move(loaded);
  clockBase_ = readSolvingTime(*crossword_);
  paused_ = false;
  runClock(true);
  rememberFolderOf(path);
  emit crosswordReplaced();
  emit cursorMoved();
  emit stateChanged();
  if (crossword_->readOnly)
    emit failed(
        "This crossword is open in another copy of Cross. It is opened read-only here: the letters "
        "you type are not saved.");
  if (crossword_->progressDiscarded)
    emit failed(
        "The saved progress belongs to another version of this crossword. The crossword starts "
        "empty, and the old progress is replaced when your letters are next saved.");
  return true;
}

bool BoardWorkflow::switchTo(const QString& path) {
  if (!saveProgress()) return false;  // reported; the player's letters stay on the board
  return load(path, true);
}

QString BoardWorkflow::chooseCrossword() {
  gui::FileChoice choice;
  choice.objectName = "openCrosswordDialog";
  choice.title = "Open";
  choice.folder = QString::fromStdString(settings_.solveFolder);
  // ipuz and .puz files open as crosswords too; the dialog starts on the filter that shows all.
  choice.filter =
      "Crossword files (*.C_W);;All crosswords (*.C_W *.ipuz *.puz);;ipuz crosswords (*.ipuz);;"
      "Across Lite crosswords (*.puz)";
  choice.selectedFilter = "All crosswords (*.C_W *.ipuz *.puz)";
  return gui::Prompts::chooseFile(dialogParent_, choice);
}

void BoardWorkflow::openAnother() {
  if (!saveProgress()) return;
  const QString path = chooseCrossword();
  if (!path.isEmpty()) load(path, true);
}

bool BoardWorkflow::saveProgress() {
  if (!crossword_ || crossword_->board.completed()) return true;
  try {
    cross::saveProgress(*crossword_);
  } catch (const std::exception& e) {
    report(e);
    return false;
  }
  keepSolvingTime(elapsedSeconds());
  return true;
}

// The clock is a comfort: a clock that cannot be written never holds up the letters.
void BoardWorkflow::keepSolvingTime(qint64 seconds) {
  try {
    saveSolvingTime(*crossword_, seconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Cross: %s\n", e.what());
  }
}

void BoardWorkflow::writeSettings() {
  if (settingsPath_.empty()) return;
  try {
    std::error_code ec;
    std::filesystem::create_directories(settingsPath_.parent_path(), ec);
    cross::writeSettings(settingsPath_, settings_);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Cross: %s\n", e.what());
  }
}

void BoardWorkflow::play(Sound sound, bool wait, bool unlessPlaying) {
  if (sound == Sound::None || !sounds_ || !settings_.sounds) return;
  sounds_->play(sound, wait, unlessPlaying);
}

void BoardWorkflow::selectCell(CellPos cell) {
  if (!crossword_) return;
  crossword_->board.selectCell(cell);
  emit cursorMoved();
  emit stateChanged();
}

void BoardWorkflow::clickCell(CellPos cell) {
  if (!crossword_) return;
  if (cell == crossword_->board.current()) {
    setDirection(crossword_->board.direction() == Direction::Across ? Direction::Down : Direction::Across);
    return;
  }
  selectCell(cell);
}

void BoardWorkflow::afterErase() {
  emit entriesChanged();
  selectCell(crossword_->board.current());
}

void BoardWorkflow::eraseBackward() {
  if (!crossword_ || crossword_->board.completed()) return;
  crossword_->board.eraseBackward();
  afterErase();
}

void BoardWorkflow::eraseCurrent() {
  if (!crossword_ || crossword_->board.completed()) return;
  crossword_->board.eraseCurrent();
  afterErase();
}

void BoardWorkflow::goToNextWord(int step) {
  if (!crossword_) return;
  crossword_->board.goToNextWord(step);
  selectCell(crossword_->board.current());
}

void BoardWorkflow::goToWord(int word) {
  if (!crossword_) return;
  crossword_->board.goToWord(word);
  selectCell(crossword_->board.current());
}

void BoardWorkflow::checkWord() {
  if (!crossword_) return;
  crossword_->board.checkWord();
  emit entriesChanged();
}

void BoardWorkflow::revealWord() {
  if (!crossword_ || crossword_->board.completed()) return;
  crossword_->board.cheatWord();
  play(Sound::Stay, true);
  emit entriesChanged();
  selectCell(crossword_->board.current());
}

void BoardWorkflow::setNumbers(bool on) {
  settings_.numbers = on;
  emit entriesChanged();
  emit stateChanged();
}

void BoardWorkflow::setJumpToNextWord(bool on) {
  settings_.jumpToNextWord = on;
  emit stateChanged();
}

void BoardWorkflow::setClueList(bool on) {
  settings_.clueList = on;
  emit stateChanged();
}

void BoardWorkflow::runClock(bool run) {
  if (!run && clock_.isValid()) {
    clockBase_ += clock_.elapsed() / 1000;
    clock_.invalidate();
  }
  const bool ticking = run && crossword_ && !crossword_->board.completed() && !paused_;
  if (ticking && !clock_.isValid()) clock_.start();
  if (ticking)
    clockTick_.start();
  else
    clockTick_.stop();
}

qint64 BoardWorkflow::elapsedSeconds() const {
  return clockBase_ + (clock_.isValid() ? clock_.elapsed() / 1000 : 0);
}

void BoardWorkflow::setPaused(bool paused) {
  if (paused == paused_) return;
  runClock(false);
  paused_ = paused;
  runClock(true);
  emit stateChanged();
  emit clockTicked();
}

void BoardWorkflow::move(int dRow, int dColumn) {
  if (!crossword_) return;
  const Sound s = crossword_->board.move(dRow, dColumn);
  if (s == Sound::Refused) {
    play(s);
    return;
  }
  selectCell(crossword_->board.current());
}

void BoardWorkflow::setDirection(Direction d) {
  if (!crossword_) return;
  const Sound s = crossword_->board.setDirection(d);
  selectCell(crossword_->board.current());
  // The direction change is the one clip heard whatever the "Sounds" check mark says:
  // with no window title and no caret, it is the player's only sign that it happened.
  if (s != Sound::None && sounds_) sounds_->play(s, false, false);
}

void BoardWorkflow::typeCharacter(char usCharacter) {
  if (!crossword_) return;
  Board& b = crossword_->board;
  if (paused_) return;
  const KeyOutcome out = b.typeKey(usCharacter, settings_.jumps());
  if (out.stored) {
    emit entriesChanged();
    selectCell(b.current());
    play(out.sound);
  }
  if (out.completedNow) complete();
}

void BoardWorkflow::toggleMarkBadEntries() {
  settings_.markBadEntries = !settings_.markBadEntries;
  emit entriesChanged();
  emit stateChanged();
  if (crossword_) selectCell(crossword_->board.current());
}

void BoardWorkflow::setSounds(bool on) {
  settings_.sounds = on;
  emit stateChanged();
}

void BoardWorkflow::revealCell() {
  if (!crossword_) return;
  const Sound s = crossword_->board.cheatOne();
  if (s == Sound::None) return;
  play(s, true);
  emit entriesChanged();
  selectCell(crossword_->board.current());
}

void BoardWorkflow::revealAll() {
  if (!crossword_) return;
  const gui::Question reveal{
      kTitle, "Reveal the whole crossword?", {}, QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
  if (gui::Prompts::ask(dialogParent_, reveal) != QMessageBox::Yes) return;
  crossword_->board.cheatAll();
  emit entriesChanged();
}

void BoardWorkflow::setCellSize(int cellSize) {
  settings_.cellSize = boundedCellSize(cellSize);
  emit stateChanged();
}

void BoardWorkflow::zoomBy(int steps, int shownCellSize) {
  settings_.cellSize = zoomedCellSize(shownCellSize > 0 ? shownCellSize : settings_.cellSize, steps);
  emit zoomChanged();
  emit stateChanged();
}

void BoardWorkflow::resetZoom() {
  settings_.cellSize = kDefaultCellSize;
  emit zoomChanged();
  emit stateChanged();
}

void BoardWorkflow::complete() {
  runClock(false);
  emit solved();
  // The first tick comes only after the completion clip has ended.
  play(Sound::Completed, true);
  blinkTimer_.start();
  play(Sound::Fanfare, false, true);
  keepSolvingTime(-1);
  try {
    deleteProgress(*crossword_);
  } catch (const std::exception& e) {
    report(e);
  }
}

void BoardWorkflow::blinkTick() {
  if (!crossword_) {
    blinkTimer_.stop();
    return;
  }
  if (crossword_->board.blinkStep()) {
    emit entriesChanged();
    return;
  }
  blinkTimer_.stop();
  // The classic question, with the time it took.
  const gui::Question tryAnother{kTitle,
                                 "Solved in " + clockText(clockBase_) + ". Try another?",
                                 {},
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok};
  if (gui::Prompts::ask(dialogParent_, tryAnother) == QMessageBox::Ok) {
    const QString path = chooseCrossword();
    if (!path.isEmpty()) {
      writeSettings();
      if (load(path)) return;
    }
  }
  emit closeRequested();
}

}  // namespace gw::cross
