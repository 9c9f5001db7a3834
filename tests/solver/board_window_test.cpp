// The real board window, offscreen: typing in three languages, moving, pictures,
// marking, cheating, completion and its timer, progress, clue windows, load failures.
#include <QAccessible>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "common/codepage.h"
#include "common/file_io.h"
#include "sample_crosswords.h"
#include "solver/board_view.h"
#include "solver/board_window.h"
#include "solver/clue_list_window.h"
#include "solver/clue_window.h"
#include "solver/instance_channel.h"
#include "tests/support/prompt_answers.h"

using gw::CellPos;
using gw::ClueCharset;
using gw::Direction;
using gw::Language;
using namespace gw::cross;
using namespace gw::cross::testing;

namespace {

struct Played {
  int sound;
  bool wait;
};

class RecordingSounds : public SoundOutput {
 public:
  explicit RecordingSounds(std::vector<Played>* log) : log_(log) {}
  void play(Sound s, bool wait, bool) override { log_->push_back({static_cast<int>(s), wait}); }

 private:
  std::vector<Played>* log_;
};

std::vector<int> numbers(const std::vector<Played>& log) {
  std::vector<int> n;
  for (const Played& p : log) n.push_back(p.sound);
  return n;
}

QString cp1251(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

class CrossWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::vector<Played> sounds_;
  std::unique_ptr<BoardWindow> window_;
  std::optional<gw::test::PromptAnswers> answers_;

  // Messages shown, and how often "Try another?" was asked.
  QStringList messages() const {
    QStringList m = answers_->shown();
    m.removeIf(
        [](const QString& t) { return t.endsWith("Try another?") || t.startsWith("Reveal the whole"); });
    return m;
  }
  int questions() const {
    const QStringList shown = answers_->shown();
    return static_cast<int>(std::count_if(shown.begin(), shown.end(),
                                          [](const QString& t) { return t.endsWith("Try another?"); }));
  }

  QString write(const QString& name, const gw::CrosswordFile& f) {
    QString p = dir_.filePath(name);
    gw::writeCrosswordFile(p.toStdString(), f);
    return p;
  }
  BoardWindow& open(const gw::CrosswordFile& f, const QString& name = "puzzle.C_W") {
    QString p = write(name, f);
    sounds_.clear();
    window_ = std::make_unique<BoardWindow>(std::filesystem::path(dir_.filePath("CROSS.CONF").toStdString()),
                                            "/nowhere/Data", std::make_unique<RecordingSounds>(&sounds_));
    bool ok = window_->loadCrossword(p);
    if (!ok) qWarning() << messages();
    window_->show();
    return *window_;
  }
  // "Cheat the whole crossword", answered Yes.
  void revealAll() {
    answers_->next(QMessageBox::Yes);
    trigger("revealAllAction");
  }
  // Every letter revealed and the crossword completed by a key that stores nothing; "Try
  // another?" will be answered OK and the open dialog with `file` (none chosen when empty).
  void completeAndTryAnother(BoardWindow& f, const QString& file) {
    revealAll();
    answers_->next(QMessageBox::Ok);
    if (!file.isEmpty()) answers_->nextFile(file);
    QTest::keyClick(&f, '5');
    QVERIFY(f.board()->completed());
  }
  void trigger(const char* name) {
    QAction* a = window_->action(name);
    QVERIFY2(a, name);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
  }
  bool enabled(const char* name) { return window_->action(name)->isEnabled(); }
  // Counts pixels of a colour family inside a cell.
  int pixelsInCell(int r, int c, bool (*match)(QColor)) {
    QImage img = window_->grab().toImage();
    int n = 0;
    for (int y = 20 * r + 3; y < 20 * r + 20; ++y)
      for (int x = 20 * c + 3; x < 20 * c + 20; ++x)
        if (match(img.pixelColor(x, y))) ++n;
    return n;
  }

 private slots:
  void initTestCase() { qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8()); }
  void init() {
    QVERIFY(dir_.isValid());
    for (const QString& name : QDir(dir_.path()).entryList({"*.RES_CW"}, QDir::Files))
      QFile::remove(dir_.filePath(name));
    QDir(dir_.path()).rmdir("puzzle.RES_CW");
    QFile::remove(dir_.filePath("CROSS.CONF"));
    answers_.emplace();
  }
  void cleanup() {
    window_.reset();
    answers_.reset();
  }

  void typingEnglishAdvancesAndShowsClues() {
    BoardWindow& f = open(englishSample());
    QCOMPARE(f.size(), QSize(6 * 20 + 2, 4 * 20 + 2));
    QCOMPARE(f.acrossWindow()->clueText(), QString("Clue CAT"));
    QCOMPARE(f.downWindow()->clueText(), QString("Clue COW"));
    QVERIFY(f.acrossWindow()->isVisible());
    QVERIFY(f.acrossWindow()->isHighlighted());
    QVERIFY(!f.downWindow()->isHighlighted());
    QTest::keyClicks(&f, "ca");
    QCOMPARE(f.board()->entries().substr(0, 2), std::string("CA"));
    QCOMPARE(f.board()->current(), (CellPos{0, 2}));
    QCOMPARE(f.downWindow()->clueText(), QString("Clue TEN"));
    QTest::keyClicks(&f, "t");  // onto the block after CAT
    QCOMPARE(f.board()->current(), (CellPos{0, 3}));
    QVERIFY(!f.acrossWindow()->isVisible());  // a block has no clues
    QVERIFY(!f.downWindow()->isVisible());
    QCOMPARE(numbers(sounds_), (std::vector<int>{1, 1, 1}));
    QTest::keyClick(&f, 'q');  // stores nothing on a block
    QCOMPARE(f.board()->entryAt(0, 3), ' ');
    QCOMPARE(sounds_.size(), size_t(3));
  }

  void directionChangeHighlightsTheDownWindow() {
    BoardWindow& f = open(englishSample());
    QVERIFY(!enabled("acrossDirectionAction"));
    trigger("downDirectionAction");
    QCOMPARE(f.board()->direction(), Direction::Down);
    QVERIFY(f.downWindow()->isHighlighted());
    QVERIFY(!f.acrossWindow()->isHighlighted());
    QVERIFY(f.action("downDirectionAction")->isChecked());
    QVERIFY(!enabled("downDirectionAction"));
    QTest::keyClicks(&f, "co");
    QCOMPARE(f.board()->current(), (CellPos{2, 0}));
    QCOMPARE(numbers(sounds_), (std::vector<int>{5, 1, 1}));
  }

  void soundsSettingSilencesEverySound() {
    BoardWindow& f = open(englishSample());
    f.action("soundsAction")->trigger();
    QVERIFY(!f.workflow().settings().sounds);
    QTest::keyClicks(&f, "cow");
    revealAll();
    QTest::keyClick(&f, 'x');
    QVERIFY(f.board()->completed());
    QVERIFY(sounds_.empty());
    trigger("downDirectionAction");  // the direction change is always heard
    QCOMPARE(numbers(sounds_), (std::vector<int>{5}));
  }

  void germanSwapsYAndZAndPicturesBlockMoves() {
    BoardWindow& f = open(germanSample());
    QTest::keyClicks(&f, "yeit");  // the US key Y enters Z
    QCOMPARE(f.board()->entries().substr(0, 4), std::string("ZEIT"));
    f.workflow().selectCell({1, 3});
    QTest::keyClick(&f, 'z');  // the US key Z enters Y
    QCOMPARE(f.board()->entryAt(1, 3), 'Y');
    f.workflow().selectCell({2, 3});
    sounds_.clear();
    trigger("moveRightAction");  // the picture is in the way
    QCOMPARE(f.board()->current(), (CellPos{2, 3}));
    QCOMPARE(numbers(sounds_), (std::vector<int>{2}));
    f.workflow().selectCell({2, 3});
    QTest::keyClick(&f, 't');  // the last letter before the picture: the cursor stays
    QCOMPARE(f.board()->current(), (CellPos{2, 3}));
    QCOMPARE(numbers(sounds_).back(), 5);
    // A click on the picture does nothing; a click on a cell selects it.
    QTest::mouseClick(f.findChild<QWidget*>("boardView"), Qt::LeftButton, {}, QPoint(105, 55));
    QCOMPARE(f.board()->current(), (CellPos{2, 3}));
    QTest::mouseClick(f.findChild<QWidget*>("boardView"), Qt::LeftButton, {}, QPoint(25, 25));
    QCOMPARE(f.board()->current(), (CellPos{1, 1}));
    QTest::mouseClick(f.findChild<QWidget*>("boardView"), Qt::LeftButton, {}, QPoint(121, 10));
    QCOMPARE(f.board()->current(), (CellPos{1, 1}));  // the right border line
  }

  void serbianKeysByPosition() {
    BoardWindow& f = open(serbianSample());
    QCOMPARE(f.acrossWindow()->clueText(), cp1251("Реч ШУМА"));
    QTest::keyClick(&f, '[');
    QTest::keyClick(&f, '{');
    QCOMPARE(f.board()->entryAt(0, 0), gw::fromUtf8("Ш", "windows-1251")[0]);
    QCOMPARE(f.board()->entryAt(0, 1), gw::fromUtf8("Ш", "windows-1251")[0]);  // a wrong letter
    f.workflow().selectCell({2, 0});
    QTest::keyClicks(&f, "\\eq\"");
    QCOMPARE(f.board()->entries().substr(10, 4), gw::fromUtf8("ЖЕЉЋ", "windows-1251"));
  }

  void keyPositionsWinOverThePlayersLayout() {
    BoardWindow& f = open(englishSample());
    // A German layout sends "z" for the key in the US Y position (X11 key code 29).
    QKeyEvent yKey(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, 29, 0, 0, "z");
    QApplication::sendEvent(&f, &yKey);
    QCOMPARE(f.board()->entryAt(0, 0), 'Y');
    // With Shift the shifted US character; a key without a character does nothing.
    QKeyEvent shiftC(QEvent::KeyPress, Qt::Key_C, Qt::ShiftModifier, 54, 0, 0, "C");
    QApplication::sendEvent(&f, &shiftC);
    QCOMPARE(f.board()->entryAt(0, 1), 'C');
    QKeyEvent shiftAlone(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 50, 0, 0, "");
    QApplication::sendEvent(&f, &shiftAlone);
    QCOMPARE(f.board()->current(), (CellPos{0, 2}));
    // Alt with a letter is no typing; Ctrl with one gives a control character, stored nowhere.
    QKeyEvent altT(QEvent::KeyPress, Qt::Key_T, Qt::AltModifier, 28, 0, 0, "t");
    QApplication::sendEvent(&f, &altT);
    QKeyEvent ctrlT(QEvent::KeyPress, Qt::Key_T, Qt::ControlModifier, 28, 0, 0, "\x14");
    QApplication::sendEvent(&f, &ctrlT);
    QCOMPARE(f.board()->entryAt(0, 2), ' ');
    QCOMPARE(f.board()->current(), (CellPos{0, 2}));
  }

  // Backspace, Delete, Tab and a second click reach the board as a player uses them; neither
  // erasing key completes a revealed crossword.
  void editingKeysTabAndSecondClick() {
    BoardWindow& f = open(englishSample());
    QTest::keyClicks(&f, "cat");  // onto the block after CAT
    QTest::keyClick(&f, Qt::Key_Backspace);
    QCOMPARE(f.board()->current(), (CellPos{0, 2}));
    QCOMPARE(f.board()->entries().substr(0, 3), std::string("CA "));
    QTest::keyClick(&f, Qt::Key_Tab);
    const gw::NumberedWord& second = f.board()->wordsInOrder()[1];
    QCOMPARE(f.board()->current(), (CellPos{second.row, second.column}));
    QTest::keyClick(&f, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.board()->current(), (CellPos{0, 2}));  // the first empty cell of CAT
    auto* view = f.findChild<QWidget*>("boardView");
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(2 * 20 + 5, 5));
    QCOMPARE(f.board()->direction(), Direction::Down);  // the second click on the cursor's cell
    revealAll();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, 119, 0, 0, "\x7f");
    QApplication::sendEvent(&f, &del);
    QCOMPARE(f.board()->entryAt(0, 2), ' ');
    QVERIFY(!f.board()->completed());
  }

  // A progress file of another version opens an empty board, says so once, and is replaced on save.
  void progressOfAnotherVersionOpensEmpty() {
    QString progress = dir_.filePath("puzzle.RES_CW");
    gw::writeFileAtomically(progress.toStdString(), "CAT");
    BoardWindow& f = open(englishSample());
    QVERIFY(f.board());
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages()[0].contains("another version"), qPrintable(messages()[0]));
    QCOMPARE(f.board()->entries(), std::string(24, ' '));
    QTest::keyClicks(&f, "co");
    QVERIFY(f.close());
    QCOMPARE(messages().size(), 1);
    QCOMPARE(gw::readWholeFile(progress.toStdString()).substr(0, 3), std::string("CO "));
    BoardWindow& again = open(englishSample());
    QCOMPARE(messages().size(), 1);  // nothing more for the second opening
    QCOMPARE(again.board()->entryAt(0, 1), 'O');
  }

  // The fanfare follows the waited-for completion clip even when the backend still reports
  // that clip playing; a clip that really plays still holds the fanfare back.
  void fanfareFollowsTheCompletionClip() {
    struct StickyClip : SoundClip {
      explicit StickyClip(std::map<int, int>* plays, int n) : plays_(plays), n_(n) {}
      void play() override {
        ++(*plays_)[n_];
        playing_ = true;
      }
      void stop() override {}  // the backend keeps saying it plays
      bool isPlaying() const override { return playing_; }
      bool failed() const override { return false; }
      std::map<int, int>* plays_;
      int n_;
      bool playing_ = false;
    };
    std::map<int, int> plays;
    EffectSoundOutput out([&](Sound s) { return std::make_unique<StickyClip>(&plays, static_cast<int>(s)); });
    out.play(Sound::Completed, true, false);
    out.play(Sound::Fanfare, false, true);
    QCOMPARE(plays[4], 1);
    out.play(Sound::Stored, false, false);
    out.play(Sound::Fanfare, false, true);
    QCOMPARE(plays[4], 1);
  }

  void noAudioDeviceIsNotAnError() {
    EffectSoundOutput out;
    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= 5; ++n) out.play(static_cast<Sound>(n), n == 3, n == 4);
    QVERIFY(clock.elapsed() < 5000);  // a synchronous clip waits at most about its length
  }

  void arrowsStopAtTheEdgesAndTheWheelMoves() {
    BoardWindow& f = open(englishSample());
    QVERIFY(!enabled("moveLeftAction"));
    QVERIFY(!enabled("moveUpAction"));
    QVERIFY(enabled("revealCellAction"));
    QVERIFY(enabled("markErrorsAction"));
    f.workflow().selectCell({3, 5});  // the lower right corner
    QVERIFY(!enabled("moveRightAction"));
    QVERIFY(!enabled("moveDownAction"));
    QVERIFY(enabled("moveLeftAction") && enabled("moveUpAction"));
    f.workflow().selectCell({0, 3});  // a block: nothing to reveal
    QVERIFY(!enabled("revealCellAction"));
    QVERIFY(enabled("revealAllAction"));
    f.workflow().selectCell({0, 0});
    trigger("moveDownAction");
    trigger("moveRightAction");
    QCOMPARE(f.board()->current(), (CellPos{1, 1}));
    QVERIFY(sounds_.empty());
    QPoint at(25, 25);
    QWheelEvent up(at, f.mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&f, &up);
    QCOMPARE(f.board()->current(), (CellPos{0, 1}));
    QApplication::sendEvent(&f, &up);
    QCOMPARE(f.board()->current(), (CellPos{0, 1}));
  }

  void shortcutsReachTheActions() {
    BoardWindow& f = open(englishSample());
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_Right);
    QCOMPARE(f.board()->current(), (CellPos{0, 1}));
    QTest::keyClick(&f, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(f.board()->direction(), Direction::Down);
    f.workflow().selectCell({0, 0});
    QTest::keyClick(&f, Qt::Key_Return, Qt::ControlModifier);  // cheat one field
    QCOMPARE(f.board()->entryAt(0, 0), 'C');
  }

  // What the player sees of each cell: blocks, the cursor box following the typing, the red box
  // on a block, dotted edges where the file marks them, and the picture over its cells.
  void boardShowsBlocksCursorEdgesAndPictures() {
    open(englishSample());
    const QColor navy(0, 0, 128), white(Qt::white), yellow(255, 255, 0), red(255, 0, 0);
    auto count = [](QColor colour) { return [colour](QColor c) { return c == colour; }; };
    auto cellCount = [&](int r, int c, QColor colour) {
      int n = 0;
      QImage img = window_->grab().toImage();
      for (int y = 20 * r + 3; y < 20 * r + 20; ++y)
        for (int x = 20 * c + 3; x < 20 * c + 20; ++x) n += count(colour)(img.pixelColor(x, y));
      return n;
    };
    constexpr int kInside = 17 * 17;
    QCOMPARE(cellCount(0, 3, navy), kInside);        // the block after CAT
    QVERIFY(cellCount(0, 0, yellow) > kInside / 2);  // the cursor starts on the first letter
    QCOMPARE(cellCount(0, 1, yellow), 0);
    QTest::keyClick(window_.get(), 'a');  // the cursor follows the typing
    QCOMPARE(cellCount(0, 0, yellow), 0);
    QVERIFY(cellCount(0, 1, yellow) > kInside / 2);
    QVERIFY(cellCount(0, 0, white) < kInside);  // the letter typed shows
    window_->workflow().selectCell({0, 3});     // the cursor on a block is red over the block
    QVERIFY(cellCount(0, 3, red) > kInside / 2);

    // The marked edges (left of row 0 column 1, top of row 1 column 2) are dotted; others are solid.
    QImage img = window_->grab().toImage();
    auto gapsAlong = [&](QPoint from, QPoint step) {
      int gaps = 0;
      for (int i = 1; i < 19; ++i) gaps += img.pixelColor(from + i * step) != navy;
      return gaps;
    };
    QVERIFY(gapsAlong(QPoint(21, 1), QPoint(0, 1)) >= 5);
    QVERIFY(gapsAlong(QPoint(41, 21), QPoint(1, 0)) >= 5);
    QCOMPARE(gapsAlong(QPoint(41, 1), QPoint(0, 1)), 0);
    QCOMPARE(gapsAlong(QPoint(21, 21), QPoint(1, 0)), 0);

    // The German sample's picture covers its 2 x 2 cells with neither white nor lines inside.
    open(germanSample());
    img = window_->grab().toImage();
    for (QPoint p : {QPoint(85, 45), QPoint(118, 78), QPoint(101, 61), QPoint(85, 78)}) {
      QColor c = img.pixelColor(p);
      QVERIFY2(c != navy && c != white, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    }
  }

  // Without a letter cell the cursor stays at (0, 0), and a picture there covers its box.
  void pictureCoversTheCursorOfABoardWithoutLetters() {
    gw::CrosswordFile cw = boardFromRows(Language::English, {"AB"});
    cw.pictures.push_back({0, 0, 2, 1, samplePicture()});
    open(cw);
    QCOMPARE(window_->board()->current(), (CellPos{0, 0}));
    QImage img = window_->grab().toImage();
    for (QPoint p : {QPoint(3, 3), QPoint(10, 10), QPoint(19, 19)})
      QVERIFY(img.pixelColor(p) != QColor(255, 255, 0));
  }

  void markingColoursEntries() {
    BoardWindow& f = open(englishSample());
    trigger("numbersAction");  // only the letters in the cells
    QTest::keyClicks(&f, "cx");
    f.workflow().selectCell({3, 5});
    auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; };
    auto red = [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; };
    QCOMPARE(pixelsInCell(0, 0, blue) + pixelsInCell(0, 1, red), 0);
    trigger("markErrorsAction");
    QVERIFY(f.workflow().settings().markBadEntries);
    QVERIFY(f.action("markErrorsAction")->isChecked());
    QVERIFY(pixelsInCell(0, 0, blue) > 5);
    QVERIFY(pixelsInCell(0, 1, red) > 5);
    f.workflow().selectCell({0, 1});
    trigger("revealCellAction");
    f.workflow().selectCell({3, 5});
    QVERIFY(pixelsInCell(0, 1, blue) > 5);  // revealed letters are right
    QCOMPARE(numbers(sounds_).back(), 5);
    QVERIFY(sounds_.back().wait);
  }

  void completionBlinksThenAsks() {
    BoardWindow& f = open(englishSample());
    f.saveProgress();
    QVERIFY(QFile::exists(dir_.filePath("puzzle.RES_CW")));
    revealAll();
    QVERIFY(!f.board()->completed());  // revealing does not complete
    QTest::keyClick(&f, '5');          // any key does
    QVERIFY(f.board()->completed());
    QVERIFY(f.workflow().blinkTimer()->isActive());
    QCOMPARE(f.workflow().blinkTimer()->interval(), 200);
    QVERIFY(!f.acrossWindow()->isVisible());
    QVERIFY(!f.downWindow()->isVisible());
    QCOMPARE(numbers(sounds_), (std::vector<int>{3, 4}));
    QVERIFY(sounds_[0].wait);
    QVERIFY(!QFile::exists(dir_.filePath("puzzle.RES_CW")));
    QTest::keyClick(&f, 'q');  // typing is ignored now
    QSignalSpy finished(&f, &BoardWindow::finished);
    QVERIFY(QTest::qWaitFor([&] { return questions() == 1; }, 8000));
    QCOMPARE(f.board()->blinkCount(), 20);
    QCOMPARE(f.board()->entries(), englishSample().board);  // the solution shows at the end
    QVERIFY(!f.workflow().blinkTimer()->isActive());
    QCOMPARE(finished.count(), 1);                            // Cancel closes the window
    QVERIFY(!QFile::exists(dir_.filePath("puzzle.RES_CW")));  // not saved: it was solved
  }

  void tryAnotherLoadsTheNextCrossword() {
    QString next = write("next.C_W", serbianSample());
    BoardWindow& f = open(englishSample());
    completeAndTryAnother(f, next);
    for (int i = 0; i <= 20; ++i) f.workflow().blinkTick();
    QCOMPARE(questions(), 1);
    QVERIFY(messages().isEmpty());
    QCOMPARE(f.board()->language(), Language::Serbian);
    QVERIFY(!f.board()->completed());
    QCOMPARE(f.size(), QSize(5 * 20 + 2, 3 * 20 + 2));
    QCOMPARE(f.acrossWindow()->clueText(), cp1251("Реч ШУМА"));
    QVERIFY(QFile::exists(dir_.filePath("CROSS.CONF")));  // settings written before the load
  }

  void tryAnotherWithTheOpenDialogCancelledCloses() {
    BoardWindow& f = open(englishSample());
    QSignalSpy finished(&f, &BoardWindow::finished);
    completeAndTryAnother(f, {});  // OK, then no file chosen
    for (int i = 0; i < 20; ++i) f.workflow().blinkTick();
    QCOMPARE(questions(), 0);  // twenty ticks of blinking come first
    f.workflow().blinkTick();
    QCOMPARE(questions(), 1);
    QCOMPARE(finished.count(), 1);
    QVERIFY(messages().isEmpty());
    QVERIFY(!QFile::exists(dir_.filePath("puzzle.RES_CW")));
  }

  void failedTryAnotherKeepsNothing() {
    QString bad = dir_.filePath("bad.C_W");
    gw::writeFileAtomically(bad.toStdString(), std::string("CW10\0\x05", 6));
    BoardWindow& f = open(englishSample());
    QSignalSpy finished(&f, &BoardWindow::finished);
    completeAndTryAnother(f, bad);
    for (int i = 0; i <= 20; ++i) f.workflow().blinkTick();
    QCOMPARE(messages().size(), 1);
    QVERIFY(f.board() == nullptr);  // neither the old nor a half-read new crossword
    QCOMPARE(finished.count(), 1);
  }

  void progressIsKeptHoweverTheWindowCloses() {
    BoardWindow& f = open(englishSample());
    QTest::keyClicks(&f, "cat");
    QVERIFY(f.close());  // as the window manager closes it
    std::string saved = gw::readWholeFile(dir_.filePath("puzzle.RES_CW").toStdString());
    QCOMPARE(saved.substr(0, 4), std::string("CAT "));
    BoardWindow& again = open(englishSample());
    QCOMPARE(again.board()->entries(), saved);
    QCOMPARE(again.board()->current(), (CellPos{0, 0}));
  }

  // "Exit" keeps the window open when the progress cannot be written; closing it any
  // other way reports the failure and closes all the same.
  void unwritableProgressKeepsExitButNotClose() {
    BoardWindow& f = open(englishSample());
    QVERIFY(QDir(dir_.path()).mkdir("puzzle.RES_CW"));  // a folder where the file should go
    QTest::keyClicks(&f, "ca");
    QSignalSpy finished(&f, &BoardWindow::finished);
    f.action("exitAction")->trigger();
    QCOMPARE(messages().size(), 1);
    QVERIFY(f.isVisible());
    QCOMPARE(finished.count(), 0);
    QVERIFY(f.close());
    QCOMPARE(messages().size(), 2);
    QCOMPARE(finished.count(), 1);
    QVERIFY2(messages()[0].contains("puzzle.RES_CW"), qPrintable(messages()[0]));
  }

  // A signal or a log-out closes without a message box to click: the failure goes to
  // standard error and the window closes.
  void unwritableProgressOnASignalClosesWithoutAMessage() {
    BoardWindow& f = open(englishSample());
    QVERIFY(QDir(dir_.path()).mkdir("puzzle.RES_CW"));
    QTest::keyClicks(&f, "ca");
    QSignalSpy finished(&f, &BoardWindow::finished);
    f.setUnattended();
    QVERIFY(!f.saveProgress());
    QVERIFY(f.close());
    QCOMPARE(messages().size(), 0);
    QCOMPARE(finished.count(), 1);
    QVERIFY(f.progressLost());
  }

  // A signal during a start-up message finishes a window that was never shown: the progress is
  // written all the same, once, and a later close changes nothing.
  void finishingAnUnshownWindowSavesOnce() {
    BoardWindow& f = open(englishSample());
    f.hide();
    const QString progress = dir_.filePath("puzzle.RES_CW");
    QSignalSpy finished(&f, &BoardWindow::finished);
    f.finishForGood();
    QCOMPARE(finished.count(), 1);
    QVERIFY(QFileInfo(progress).isFile());
    QVERIFY(!f.progressLost());
    QVERIFY(QFile::remove(progress));
    QVERIFY(f.close());
    QCOMPARE(finished.count(), 1);
    QVERIFY(!QFileInfo::exists(progress));
  }

  void settingsAreReadAndWritten() {
    gw::writeFileAtomically(dir_.filePath("CROSS.CONF").toStdString(),
                            "[General]\nMark correct=1\nSounds=0\n");
    BoardWindow& f = open(englishSample());
    QVERIFY(f.workflow().settings().markBadEntries);
    QVERIFY(f.action("markErrorsAction")->isChecked());
    QVERIFY(!f.workflow().settings().sounds);
    f.action("soundsAction")->trigger();
    QVERIFY(f.close());
    std::string text = gw::readWholeFile(dir_.filePath("CROSS.CONF").toStdString());
    QVERIFY(text.find("Sounds=1") != std::string::npos);
    QVERIFY(text.find("Solve=" + dir_.path().toStdString()) != std::string::npos);
  }

  // The context menu offers the player's commands, and its "Exit" saves and closes like Alt+F4.
  void contextMenuOffersTheCommandsAndExitSaves() {
    BoardWindow& f = open(englishSample());
    QSet<QString> offered;
    for (QAction* a : f.contextMenu()->actions())
      if (!a->isSeparator()) offered << a->text();
    QCOMPARE(offered,
             (QSet<QString>{"Cheat one field", "Cheat the whole crossword", "Mark bad entries", "Sounds",
                            "Right direction", "Down direction", "Zoom in", "Zoom out", "Normal size",
                            "Open crossword...", "Exit", "Check word", "Cheat one word", "Numbers",
                            "Clue list", "Jump to the next word", "Pause"}));
    QCOMPARE(f.action("exitAction")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    QTest::keyClicks(&f, "ca");
    QSignalSpy finished(&f, &BoardWindow::finished);
    for (QAction* a : f.contextMenu()->actions())
      if (a->text() == "Exit") a->trigger();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(gw::readWholeFile(dir_.filePath("puzzle.RES_CW").toStdString()).substr(0, 3),
             std::string("CA "));
  }

  // Zoom changes the cell size, the clicks and the clue font, and is remembered; Ctrl+0 resets it.
  void zoomResizesTheBoardAndIsRemembered() {
    BoardWindow& f = open(englishSample());
    const int clueFont = f.acrossWindow()->findChild<QLabel*>("clueLabel")->font().pixelSize();
    trigger("zoomInAction");
    trigger("zoomInAction");
    QCOMPARE(f.cellSize(), 24);
    QCOMPARE(f.size(), QSize(6 * 24 + 2, 4 * 24 + 2));
    QVERIFY(f.acrossWindow()->findChild<QLabel*>("clueLabel")->font().pixelSize() > clueFont);
    QTest::mouseClick(f.findChild<QWidget*>("boardView"), Qt::LeftButton, {}, QPoint(24 * 2 + 5, 24 + 5));
    QCOMPARE(f.board()->current(), (CellPos{1, 2}));
    QVERIFY(f.close());
    std::string conf = gw::readWholeFile(dir_.filePath("CROSS.CONF").toStdString());
    QVERIFY2(conf.find("Cell size=24") != std::string::npos, conf.c_str());
    BoardWindow& again = open(englishSample());
    QCOMPARE(again.cellSize(), 24);
    trigger("zoomResetAction");
    QCOMPARE(again.cellSize(), 20);
    trigger("zoomOutAction");
    QCOMPARE(again.size(), QSize(6 * 18 + 2, 4 * 18 + 2));
  }

  // A board taller than the screen shrinks its cells until it and a clue line above and below fit.
  void tallBoardFitsTheScreen() {
    const int tall = QGuiApplication::primaryScreen()->availableGeometry().height() / 20 + 4;
    std::vector<std::string> rows(tall, std::string(30, 'A'));  // taller than the offscreen screen
    BoardWindow& f = open(boardFromRows(Language::English, rows));
    QRect work = f.screen()->availableGeometry();
    QVERIFY(f.cellSize() < 20);
    QVERIFY(f.height() + 2 * f.acrossWindow()->oneLineHeight() <= work.height());
    QVERIFY(f.geometry().top() - work.top() >= f.acrossWindow()->oneLineHeight());
    QVERIFY(f.acrossWindow()->height() >= f.acrossWindow()->oneLineHeight());
    QTest::keyClick(&f, 'a');
    QCOMPARE(f.board()->current(), (CellPos{0, 1}));
  }

  // "Open crossword..." keeps the progress and opens another; a failed load keeps the current one.
  void openAnotherKeepsProgressAndSurvivesBadFiles() {
    QString next = write("next.C_W", serbianSample());
    QString bad = dir_.filePath("bad.C_W");
    gw::writeFileAtomically(bad.toStdString(), "XYZW0000000000");
    BoardWindow& f = open(englishSample());
    QTest::keyClicks(&f, "ca");
    answers_->nextFile(bad);
    trigger("openAction");
    QCOMPARE(messages(), QStringList{"Bad file format : XYZW"});
    QCOMPARE(f.board()->entries().substr(0, 2), std::string("CA"));  // still the English board
    QVERIFY(f.acrossWindow());
    answers_->nextFile(next);
    trigger("openAction");
    QCOMPARE(f.board()->language(), Language::Serbian);
    QCOMPARE(gw::readWholeFile(dir_.filePath("puzzle.RES_CW").toStdString()).substr(0, 3),
             std::string("CA "));
    answers_->nextFile("");  // the dialog cancelled: nothing changes
    trigger("openAction");
    QCOMPARE(f.board()->language(), Language::Serbian);
    QCOMPARE(messages().size(), 1);
  }

  // A second copy hands its crossword to the running one, which saves the progress and switches;
  // with nobody listening the hand-over says so.
  void handedOverCrosswordReplacesTheCurrentOne() {
    const QString socket = dir_.filePath("cross.socket");
    QVERIFY(!InstanceChannel::handOver(socket, "x.C_W"));
    InstanceChannel channel(socket);
    QVERIFY(channel.listen());
    QString next = write("next.C_W", germanSample());
    BoardWindow& f = open(englishSample());
    connect(&channel, &InstanceChannel::crosswordHandedOver, &f, &BoardWindow::acceptHandedOverCrossword);
    QTest::keyClicks(&f, "c");
    QSignalSpy handed(&channel, &InstanceChannel::crosswordHandedOver);
    QVERIFY(InstanceChannel::handOver(socket, next));
    QTRY_COMPARE(handed.count(), 1);
    QCOMPARE(handed[0][0].toString(), next);
    QCOMPARE(f.board()->language(), Language::German);
    QCOMPARE(gw::readWholeFile(dir_.filePath("puzzle.RES_CW").toStdString()).substr(0, 2), std::string("C "));
    QVERIFY(InstanceChannel::handOver(socket, ""));  // no file: only to the front
    QTRY_COMPARE(handed.count(), 2);
    QCOMPARE(f.board()->language(), Language::German);
    QVERIFY2(messages().isEmpty(), qPrintable(messages().join('|')));
    // A stale socket of a crashed copy does not keep the next copy from listening.
    InstanceChannel again(socket);
    QVERIFY(again.listen());
  }

  // Assistive technology reads the board as a table: each cell's place, letter or kind, its clues,
  // and the cursor as the focused cell.
  void boardIsAnAccessibleTable() {
    BoardWindow& f = open(germanSample());
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(f.findChild<BoardView*>("boardView"));
    QVERIFY(board);
    QCOMPARE(board->role(), QAccessible::Table);
    QAccessibleTableInterface* table = board->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->columnCount(), 6);
    QTest::keyClicks(&f, "y");  // the US key Y enters Z in German
    QAccessibleInterface* first = table->cellAt(0, 0);
    QCOMPARE(first->text(QAccessible::Name), QString("Row 1, column 1, Z"));
    QCOMPARE(first->text(QAccessible::Description), QString("Across: Wort ZEIT; Down: Wort ZOO"));
    QCOMPARE(table->cellAt(2, 4)->text(QAccessible::Name), QString("Row 3, column 5, picture"));
    QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Name), QString("Row 1, column 2, empty"));
    QVERIFY(table->cellAt(0, 1)->state().focused);  // the cursor moved on
    QVERIFY(!first->state().focused);
    QCOMPARE(board->focusChild(), table->cellAt(0, 1));
    QCOMPARE(board->indexOfChild(table->cellAt(1, 2)), 1 * 6 + 2);
    QCOMPARE(table->cellAt(3, 0)->text(QAccessible::Name), QString("Row 4, column 1, block"));
    QVERIFY(table->cellAt(4, 0) == nullptr);
  }

  // The clue list selects the clues through the cursor, as a screen reader's selected item, and a
  // click on a clue takes the cursor to its word's first empty cell.
  void clueListFollowsTheCursorAndLeads() {
    BoardWindow& f = open(englishSample());
    QListWidget* across = f.clueList()->acrossList();
    f.workflow().setClueList(true);  // asked for, also where it has no room beside the board
    QVERIFY(f.clueList()->isVisible());
    QCOMPARE(across->currentItem()->text(), QString("1. Clue CAT"));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(across);
    QCOMPARE(list->role(), QAccessible::List);
    QTest::keyClick(&f, Qt::Key_Tab);
    QCOMPARE(across->currentRow(), 1);
    QListWidget* down = f.clueList()->downList();
    const QRect last = down->visualItemRect(down->item(down->count() - 1));
    QTest::mouseClick(down->viewport(), Qt::LeftButton, {}, last.center());
    QCOMPARE(f.board()->direction(), Direction::Down);
    QCOMPARE(f.board()->currentWord(), static_cast<int>(f.board()->wordsInOrder().size()) - 1);
  }

  void clueWindowsSitAboveAndBelow() {
    gw::CrosswordFile cw = englishSample();
    cw.definitions[0].clue = std::string(300, 'w') + " long clue that wraps over several lines";
    BoardWindow& f = open(cw);
    QRect board = f.geometry();
    QRect across = f.acrossWindow()->geometry();
    QRect down = f.downWindow()->geometry();
    QCOMPARE(across.bottom() + 1, board.top());
    QCOMPARE(down.top(), board.bottom() + 1);
    QCOMPARE(across.width(), 289);
    QVERIFY(down.height() > across.height());  // the long down clue wrapped
  }

  void clueWindowsBecomeStripsWhereTheyDoNotFit() {
    QRect work(0, 0, 1000, 700);
    ClueWindow across(Direction::Across, ClueCharset::Ansi);
    across.showClue("clue", Direction::Down, QRect(400, 10, 122, 82), work, nullptr);
    QCOMPARE(across.geometry(), QRect(0, 0, 1000, 12));  // down to 2 pixels below the board's top
    QVERIFY(!across.isHighlighted());
    ClueWindow down(Direction::Down, ClueCharset::Ansi);
    down.showClue("clue", Direction::Down, QRect(400, 600, 122, 82), work, nullptr);
    QCOMPARE(down.geometry(), QRect(0, 0, 1000, 700 - 600 - 82));
    QVERIFY(down.isHighlighted());
    down.showClue("clue", Direction::Down, QRect(400, 300, 122, 82), work, nullptr);
    QCOMPARE(down.geometry().topLeft(), QPoint((1000 - 289) / 2, 382));
    down.showClue(" ", Direction::Down, QRect(400, 300, 122, 82), work, nullptr);
    QVERIFY(down.isVisible());  // one space is a clue
    down.showClue("", Direction::Down, QRect(400, 300, 122, 82), work, nullptr);
    QVERIFY(!down.isVisible());
    ClueWindow latin(Direction::Across, ClueCharset::SerbianLatin);
    latin.showClue(gw::fromUtf8("Čačak", "windows-1250"), Direction::Across, QRect(0, 300, 0, 0), work,
                   nullptr);
    QCOMPARE(latin.clueText(), QString::fromUtf8("Čačak"));
  }

  void loadFailuresShowTheMessageAndKeepNoBoard() {
    auto failing = [&](const QString& path) {
      answers_.emplace();
      window_ = std::make_unique<BoardWindow>(std::filesystem::path(), "/nowhere/Data",
                                              std::make_unique<RecordingSounds>(&sounds_));
      bool ok = window_->loadCrossword(path);
      return std::make_pair(ok, messages().value(0));
    };
    QString missing = dir_.filePath("none.C_W");
    auto r = failing(missing);
    QVERIFY(!r.first);
    QCOMPARE(r.second, "File doesn't \n" + missing + "\n exist!");
    QVERIFY(window_->board() == nullptr);
    QString shortFile = dir_.filePath("short.C_W");
    gw::writeFileAtomically(shortFile.toStdString(), "CW");
    QCOMPARE(failing(shortFile).second, QString("Bad file!"));
    QString magic = dir_.filePath("magic.C_W");
    gw::writeFileAtomically(magic.toStdString(), "XYZW0000000000");
    QCOMPARE(failing(magic).second, QString("Bad file format : XYZW"));
    gw::CrosswordFile pic = germanSample();
    pic.pictures[0].jpeg.resize(pic.pictures[0].jpeg.size() - 40);
    r = failing(write("pic.C_W", pic));
    QVERIFY(!r.first);
    QVERIFY(!r.second.isEmpty());
    QVERIFY(window_->board() == nullptr);
    QVERIFY(window_->acrossWindow() == nullptr);
    // An ipuz file of pictures no memory holds: the same message as for a crossword file.
    const QString bomb = QFINDTESTDATA("../data/ipuz/broken-picture-bomb.ipuz");
    QVERIFY(!bomb.isEmpty());
    r = failing(bomb);
    QVERIFY(!r.first);
    QVERIFY2(r.second.contains("The crossword's pictures are too large"), qPrintable(r.second));
    QVERIFY(window_->board() == nullptr);
  }
};

QTEST_MAIN(CrossWindowTest)
#include "board_window_test.moc"
