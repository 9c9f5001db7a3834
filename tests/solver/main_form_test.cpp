// The real board window, offscreen: typing in three languages, moving, pictures,
// marking, cheating, completion and its timer, progress, clue windows, load failures.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "common/codepage.h"
#include "common/file_io.h"
#include "sample_crosswords.h"
#include "solver/explain_window.h"
#include "solver/main_form.h"

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

// The window with its questions answered by the test.
class TestForm : public TMainForm {
 public:
  TestForm(const std::filesystem::path& conf, std::vector<Played>* sounds)
      : TMainForm(conf, "/nowhere/Data", std::make_unique<RecordingSounds>(sounds)) {}
  QStringList messages;
  int questions = 0;
  bool answerTryAnother = false;
  QString nextCrossword;

 protected:
  void showMessage(const QString& text) override { messages << text; }
  bool confirmTryAnother() override {
    ++questions;
    return answerTryAnother;
  }
  QString chooseCrossword() override { return nextCrossword; }
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
  std::unique_ptr<TestForm> form_;

  QString write(const QString& name, const gw::CrosswordFile& f) {
    QString p = dir_.filePath(name);
    gw::writeCrosswordFile(p.toStdString(), f);
    return p;
  }
  TestForm& open(const gw::CrosswordFile& f, const QString& name = "puzzle.C_W") {
    QString p = write(name, f);
    sounds_.clear();
    form_ = std::make_unique<TestForm>(std::filesystem::path(dir_.filePath("CROSS.CONF").toStdString()), &sounds_);
    bool ok = form_->LoadCrossword(p);
    if (!ok) qWarning() << form_->messages;
    form_->show();
    form_->updateActions();
    return *form_;
  }
  void trigger(const char* name) {
    form_->updateActions();
    QAction* a = form_->action(name);
    QVERIFY2(a, name);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
    form_->updateActions();
  }
  bool enabled(const char* name) {
    form_->updateActions();
    return form_->action(name)->isEnabled();
  }
  // Counts pixels of a colour family inside a cell.
  int pixelsInCell(int c, int r, bool (*match)(QColor)) {
    QImage img = form_->grab().toImage();
    int n = 0;
    for (int y = 20 * r + 3; y < 20 * r + 20; ++y)
      for (int x = 20 * c + 3; x < 20 * c + 20; ++x)
        if (match(img.pixelColor(x, y))) ++n;
    return n;
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    QFile::remove(dir_.filePath("puzzle.RES_CW"));
    QDir(dir_.path()).rmdir("puzzle.RES_CW");
    QFile::remove(dir_.filePath("CROSS.CONF"));
  }
  void cleanup() { form_.reset(); }

  void typingEnglishAdvancesAndShowsClues() {
    TestForm& f = open(englishSample());
    QCOMPARE(f.size(), QSize(6 * 20 + 2, 4 * 20 + 2));
    QCOMPARE(f.acrossWindow()->labelText(), QString("Clue CAT"));
    QCOMPARE(f.downWindow()->labelText(), QString("Clue COW"));
    QVERIFY(f.acrossWindow()->isVisible());
    QVERIFY(f.acrossWindow()->isHighlighted());
    QVERIFY(!f.downWindow()->isHighlighted());
    QTest::keyClicks(&f, "ca");
    QCOMPARE(f.board()->entries().substr(0, 2), std::string("CA"));
    QCOMPARE(f.board()->current(), (Cell{2, 0}));
    QCOMPARE(f.downWindow()->labelText(), QString("Clue TEN"));
    QTest::keyClicks(&f, "t");  // onto the block after CAT
    QCOMPARE(f.board()->current(), (Cell{3, 0}));
    QVERIFY(!f.acrossWindow()->isVisible());  // a block has no clues
    QVERIFY(!f.downWindow()->isVisible());
    QCOMPARE(numbers(sounds_), (std::vector<int>{1, 1, 1}));
    QTest::keyClick(&f, 'q');  // stores nothing on a block
    QCOMPARE(f.board()->entryAt(3, 0), ' ');
    QCOMPARE(sounds_.size(), size_t(3));
  }

  void directionChangeHighlightsTheDownWindow() {
    TestForm& f = open(englishSample());
    QVERIFY(!enabled("RightDirection"));
    trigger("DownDirection");
    QCOMPARE(f.board()->direction(), Direction::Down);
    QVERIFY(f.downWindow()->isHighlighted());
    QVERIFY(!f.acrossWindow()->isHighlighted());
    QVERIFY(f.action("DownDirection")->isChecked());
    QVERIFY(!enabled("DownDirection"));
    QTest::keyClicks(&f, "co");
    QCOMPARE(f.board()->current(), (Cell{0, 2}));
    QCOMPARE(numbers(sounds_), (std::vector<int>{5, 1, 1}));
  }

  void soundsSettingSilencesEverySound() {
    TestForm& f = open(englishSample());
    f.action("Sounds1")->trigger();
    QVERIFY(!f.soundsOn());
    QTest::keyClicks(&f, "cow");
    trigger("Fill1");
    QTest::keyClick(&f, 'x');
    QVERIFY(f.board()->completed());
    QVERIFY(sounds_.empty());
    trigger("DownDirection");  // the direction change is always heard
    QCOMPARE(numbers(sounds_), (std::vector<int>{5}));
  }

  void germanSwapsYAndZAndPicturesBlockMoves() {
    TestForm& f = open(germanSample());
    QTest::keyClicks(&f, "yeit");  // the US key Y enters Z
    QCOMPARE(f.board()->entries().substr(0, 4), std::string("ZEIT"));
    f.SelectCell({3, 1});
    QTest::keyClick(&f, 'z');  // the US key Z enters Y
    QCOMPARE(f.board()->entryAt(3, 1), 'Y');
    f.SelectCell({3, 2});
    sounds_.clear();
    trigger("aRight");  // the picture is in the way
    QCOMPARE(f.board()->current(), (Cell{3, 2}));
    QCOMPARE(numbers(sounds_), (std::vector<int>{2}));
    f.SelectCell({3, 2});
    QTest::keyClick(&f, 't');  // the last letter before the picture: the cursor stays
    QCOMPARE(f.board()->current(), (Cell{3, 2}));
    QCOMPARE(numbers(sounds_).back(), 5);
    // A click on the picture does nothing; a click on a cell selects it.
    QTest::mouseClick(f.findChild<QWidget*>("PaintBox1"), Qt::LeftButton, {}, QPoint(105, 55));
    QCOMPARE(f.board()->current(), (Cell{3, 2}));
    QTest::mouseClick(f.findChild<QWidget*>("PaintBox1"), Qt::LeftButton, {}, QPoint(25, 25));
    QCOMPARE(f.board()->current(), (Cell{1, 1}));
    QTest::mouseClick(f.findChild<QWidget*>("PaintBox1"), Qt::LeftButton, {}, QPoint(121, 10));
    QCOMPARE(f.board()->current(), (Cell{1, 1}));  // the right border line
  }

  void serbianKeysByPosition() {
    TestForm& f = open(serbianSample());
    QCOMPARE(f.acrossWindow()->labelText(), cp1251("Реч ШУМА"));
    QTest::keyClick(&f, '[');
    QTest::keyClick(&f, '{');
    QCOMPARE(f.board()->entryAt(0, 0), gw::fromUtf8("Ш", "windows-1251")[0]);
    QCOMPARE(f.board()->entryAt(1, 0), gw::fromUtf8("Ш", "windows-1251")[0]);  // a wrong letter
    f.SelectCell({0, 2});
    QTest::keyClicks(&f, "\\eq\"");
    QCOMPARE(f.board()->entries().substr(10, 4), gw::fromUtf8("ЖЕЉЋ", "windows-1251"));
  }

  void keyPositionsWinOverThePlayersLayout() {
    TestForm& f = open(englishSample());
    // A German layout sends "z" for the key in the US Y position (X11 key code 29).
    QKeyEvent yKey(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, 29, 0, 0, "z");
    QApplication::sendEvent(&f, &yKey);
    QCOMPARE(f.board()->entryAt(0, 0), 'Y');
    // With Shift the shifted US character; a key without a character does nothing.
    QKeyEvent shiftC(QEvent::KeyPress, Qt::Key_C, Qt::ShiftModifier, 54, 0, 0, "C");
    QApplication::sendEvent(&f, &shiftC);
    QCOMPARE(f.board()->entryAt(1, 0), 'C');
    QKeyEvent shiftAlone(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 50, 0, 0, "");
    QApplication::sendEvent(&f, &shiftAlone);
    QCOMPARE(f.board()->current(), (Cell{2, 0}));
    // Alt with a letter is no typing; Ctrl with one gives a control character, stored nowhere.
    QKeyEvent altT(QEvent::KeyPress, Qt::Key_T, Qt::AltModifier, 28, 0, 0, "t");
    QApplication::sendEvent(&f, &altT);
    QKeyEvent ctrlT(QEvent::KeyPress, Qt::Key_T, Qt::ControlModifier, 28, 0, 0, "\x14");
    QApplication::sendEvent(&f, &ctrlT);
    QCOMPARE(f.board()->entryAt(2, 0), ' ');
    QCOMPARE(f.board()->current(), (Cell{2, 0}));
  }

  void noAudioDeviceIsNotAnError() {
    EffectSoundOutput out;
    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= 5; ++n) out.play(static_cast<Sound>(n), n == 3, n == 4);
    QVERIFY(clock.elapsed() < 5000);  // a synchronous clip waits at most about its length
  }

  void arrowsStopAtTheEdgesAndTheWheelMoves() {
    TestForm& f = open(englishSample());
    QVERIFY(!enabled("aLeft"));
    QVERIFY(!enabled("aUp"));
    QVERIFY(enabled("CheatOne"));
    QVERIFY(enabled("ChangeShow"));
    f.SelectCell({5, 3});  // the lower right corner
    QVERIFY(!enabled("aRight"));
    QVERIFY(!enabled("aDown"));
    QVERIFY(enabled("aLeft") && enabled("aUp"));
    f.SelectCell({3, 0});  // a block: nothing to reveal
    QVERIFY(!enabled("CheatOne"));
    QVERIFY(enabled("Fill1"));
    f.SelectCell({0, 0});
    trigger("aDown");
    trigger("aRight");
    QCOMPARE(f.board()->current(), (Cell{1, 1}));
    QVERIFY(sounds_.empty());
    QPoint at(25, 25);
    QWheelEvent up(at, f.mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&f, &up);
    QCOMPARE(f.board()->current(), (Cell{1, 0}));
    QApplication::sendEvent(&f, &up);
    QCOMPARE(f.board()->current(), (Cell{1, 0}));
  }

  void shortcutsReachTheActions() {
    TestForm& f = open(englishSample());
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.updateActions();
    QTest::keyClick(&f, Qt::Key_Right);
    QCOMPARE(f.board()->current(), (Cell{1, 0}));
    f.updateActions();
    QTest::keyClick(&f, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(f.board()->direction(), Direction::Down);
    f.SelectCell({0, 0});
    f.updateActions();
    QTest::keyClick(&f, Qt::Key_Return, Qt::ControlModifier);  // cheat one field
    QCOMPARE(f.board()->entryAt(0, 0), 'C');
  }

  // Lines, block squares, the cursor box, dotted edges and the picture frame, pixel by pixel.
  void boardGeometryPixelByPixel() {
    open(englishSample());
    const QColor navy(0, 0, 128), white(Qt::white), yellow(255, 255, 0), red(255, 0, 0);
    QImage img = form_->grab().toImage();
    auto at = [&](int x, int y) { return img.pixelColor(x, y); };
    QCOMPARE(at(0, 0), white);
    QCOMPARE(at(1, 1), navy);  // the outer border, (1, 1) to (121, 81)
    QCOMPARE(at(121, 50), navy);
    QCOMPARE(at(60, 81), navy);
    QCOMPARE(at(90, 21), navy);  // top edge of (4, 1): 81 to 100
    QCOMPARE(at(81, 30), navy);  // left edge of (4, 1)
    // The block (3, 0): navy from +3 to +19, white around it.
    for (int d : {3, 10, 19}) {
      QCOMPARE(at(60 + d, 10), navy);
      QCOMPARE(at(70, d), navy);
    }
    QCOMPARE(at(62, 10), white);
    QCOMPARE(at(80, 10), white);
    QCOMPARE(at(70, 2), white);
    QCOMPARE(at(70, 20), white);
    // The cursor at (0, 0): navy outline from +2 to +20, yellow inside.
    for (int d : {2, 10, 20}) {
      QCOMPARE(at(2, d), navy);
      QCOMPARE(at(20, d), navy);
      QCOMPARE(at(d, 2), navy);
      QCOMPARE(at(d, 20), navy);
    }
    QCOMPARE(at(3, 19), yellow);
    QCOMPARE(at(19, 3), yellow);
    // Dotted: the left edge of (1, 0) and the top edge of (2, 1) show gaps.
    int dots = 0, gaps = 0;
    for (int y = 2; y <= 20; ++y) (at(21, y) == navy ? dots : gaps)++;
    QVERIFY(dots >= 5 && gaps >= 5);
    dots = gaps = 0;
    for (int x = 42; x <= 60; ++x) (at(x, 21) == navy ? dots : gaps)++;
    QVERIFY(dots >= 5 && gaps >= 5);
    // The entry: nothing of it left of +5 or above +3, and in the window-text colour.
    QTest::keyClick(form_.get(), 'a');  // cell (0, 0) holds A; the cursor is now on (1, 0)
    img = form_->grab().toImage();
    int left = 99, top = 99;
    for (int y = 2; y <= 20; ++y)
      for (int x = 2; x <= 20; ++x)
        if (at(x, y) != white) left = std::min(left, x), top = std::min(top, y);
    QVERIFY2(left >= 5 && left <= 8, qPrintable(QString::number(left)));
    QVERIFY2(top >= 3 && top <= 8, qPrintable(QString::number(top)));
    QCOMPARE(at(2, 10), white);  // the old cursor box is gone
    QCOMPARE(at(22, 10), navy);   // the new one
    // The cursor on a block cell is red, with no block square showing through.
    form_->SelectCell({3, 0});
    img = form_->grab().toImage();
    QCOMPARE(at(62, 10), navy);
    QCOMPARE(at(70, 10), red);
    QCOMPARE(at(63, 3), red);

    // A picture at (4, 2), 2 × 2 cells: frame (81, 41) to (121, 81), image (82, 42) to (120, 80).
    open(germanSample());
    img = form_->grab().toImage();
    QCOMPARE(at(81, 60), navy);
    QCOMPARE(at(100, 41), navy);
    for (QPoint p : {QPoint(82, 42), QPoint(120, 80), QPoint(101, 61), QPoint(82, 80)}) {
      QColor c = at(p.x(), p.y());
      QVERIFY2(c != navy && c != white, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    }
  }

  // Without a letter cell the cursor stays at (0, 0), and a picture there covers its box.
  void pictureCoversTheCursorOfABoardWithoutLetters() {
    gw::CrosswordFile cw = boardFromRows(0, {"AB"});
    cw.pictures.push_back({0, 0, 2, 1, samplePicture()});
    open(cw);
    QCOMPARE(form_->board()->current(), (Cell{0, 0}));
    QImage img = form_->grab().toImage();
    for (QPoint p : {QPoint(3, 3), QPoint(10, 10), QPoint(19, 19)})
      QVERIFY(img.pixelColor(p) != QColor(255, 255, 0));
  }

  void markingColoursEntries() {
    TestForm& f = open(englishSample());
    QTest::keyClicks(&f, "cx");
    f.SelectCell({5, 3});
    auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; };
    auto red = [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; };
    QCOMPARE(pixelsInCell(0, 0, blue) + pixelsInCell(1, 0, red), 0);
    trigger("ChangeShow");
    QVERIFY(f.markBadEntries());
    QVERIFY(f.action("ChangeShow")->isChecked());
    QVERIFY(pixelsInCell(0, 0, blue) > 5);
    QVERIFY(pixelsInCell(1, 0, red) > 5);
    f.SelectCell({1, 0});
    trigger("CheatOne");
    f.SelectCell({5, 3});
    QVERIFY(pixelsInCell(1, 0, blue) > 5);  // revealed letters are right
    QCOMPARE(numbers(sounds_).back(), 5);
    QVERIFY(sounds_.back().wait);
  }

  void completionBlinksThenAsks() {
    TestForm& f = open(englishSample());
    f.SaveProgress();
    QVERIFY(QFile::exists(dir_.filePath("puzzle.RES_CW")));
    trigger("Fill1");
    QVERIFY(!f.board()->completed());  // revealing does not complete
    QTest::keyClick(&f, '5');          // any key does
    QVERIFY(f.board()->completed());
    QVERIFY(f.timer()->isActive());
    QCOMPARE(f.timer()->interval(), 200);
    QVERIFY(!f.acrossWindow()->isVisible());
    QVERIFY(!f.downWindow()->isVisible());
    QCOMPARE(numbers(sounds_), (std::vector<int>{3, 4}));
    QVERIFY(sounds_[0].wait);
    QVERIFY(!QFile::exists(dir_.filePath("puzzle.RES_CW")));
    QTest::keyClick(&f, 'q');  // typing is ignored now
    QSignalSpy finished(&f, &TMainForm::finished);
    QVERIFY(QTest::qWaitFor([&] { return f.questions == 1; }, 8000));
    QCOMPARE(f.board()->blinkCount(), 20);
    QCOMPARE(f.board()->entries(), englishSample().board);  // the solution shows at the end
    QVERIFY(!f.timer()->isActive());
    QCOMPARE(finished.count(), 1);  // Cancel closes the window
    QVERIFY(!QFile::exists(dir_.filePath("puzzle.RES_CW")));  // not saved: it was solved
  }

  void tryAnotherLoadsTheNextCrossword() {
    QString next = write("next.C_W", serbianSample());
    TestForm& f = open(englishSample());
    f.answerTryAnother = true;
    f.nextCrossword = next;
    trigger("Fill1");
    QTest::keyClick(&f, '5');  // a key that stores nothing completes the revealed crossword
    QVERIFY(f.board()->completed());
    for (int i = 0; i <= 20; ++i) f.Timer1Timer();
    QCOMPARE(f.questions, 1);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(f.board()->languageCode(), 2);
    QVERIFY(!f.board()->completed());
    QCOMPARE(f.size(), QSize(5 * 20 + 2, 3 * 20 + 2));
    QCOMPARE(f.acrossWindow()->labelText(), cp1251("Реч ШУМА"));
    QVERIFY(QFile::exists(dir_.filePath("CROSS.CONF")));  // settings written before the load
  }

  void tryAnotherWithTheOpenDialogCancelledCloses() {
    TestForm& f = open(englishSample());
    f.answerTryAnother = true;  // OK, then no file chosen
    QSignalSpy finished(&f, &TMainForm::finished);
    trigger("Fill1");
    QTest::keyClick(&f, '5');  // a key that stores nothing completes the revealed crossword
    QVERIFY(f.board()->completed());
    for (int i = 0; i < 20; ++i) f.Timer1Timer();
    QCOMPARE(f.questions, 0);  // twenty ticks of blinking come first
    f.Timer1Timer();
    QCOMPARE(f.questions, 1);
    QCOMPARE(finished.count(), 1);
    QVERIFY(f.messages.isEmpty());
    QVERIFY(!QFile::exists(dir_.filePath("puzzle.RES_CW")));
  }

  void failedTryAnotherKeepsNothing() {
    QString bad = dir_.filePath("bad.C_W");
    gw::writeFileAtomically(bad.toStdString(), std::string("CW10\0\x05", 6));
    TestForm& f = open(englishSample());
    f.answerTryAnother = true;
    f.nextCrossword = bad;
    QSignalSpy finished(&f, &TMainForm::finished);
    trigger("Fill1");
    QTest::keyClick(&f, '5');  // a key that stores nothing completes the revealed crossword
    QVERIFY(f.board()->completed());
    for (int i = 0; i <= 20; ++i) f.Timer1Timer();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.board() == nullptr);  // neither the old nor a half-read new crossword
    QCOMPARE(finished.count(), 1);
  }

  void progressIsKeptHoweverTheWindowCloses() {
    TestForm& f = open(englishSample());
    QTest::keyClicks(&f, "cat");
    QVERIFY(f.close());  // as the window manager closes it
    std::string saved = gw::readWholeFile(dir_.filePath("puzzle.RES_CW").toStdString());
    QCOMPARE(saved.substr(0, 4), std::string("CAT "));
    TestForm& again = open(englishSample());
    QCOMPARE(again.board()->entries(), saved);
    QCOMPARE(again.board()->current(), (Cell{0, 0}));
  }

  // "Exit" keeps the window open when the progress cannot be written; closing it any
  // other way reports the failure and closes all the same.
  void unwritableProgressKeepsExitButNotClose() {
    TestForm& f = open(englishSample());
    QVERIFY(QDir(dir_.path()).mkdir("puzzle.RES_CW"));  // a folder where the file should go
    QTest::keyClicks(&f, "ca");
    QSignalSpy finished(&f, &TMainForm::finished);
    f.action("Exit1")->trigger();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.isVisible());
    QCOMPARE(finished.count(), 0);
    QVERIFY(f.close());
    QCOMPARE(f.messages.size(), 2);
    QCOMPARE(finished.count(), 1);
    QVERIFY2(f.messages[0].contains("puzzle.RES_CW"), qPrintable(f.messages[0]));
  }

  void settingsAreReadAndWritten() {
    gw::writeFileAtomically(dir_.filePath("CROSS.CONF").toStdString(),
                            "[General]\nMark correct=1\nSounds=0\n");
    TestForm& f = open(englishSample());
    QVERIFY(f.markBadEntries());
    QVERIFY(f.action("ChangeShow")->isChecked());
    QVERIFY(!f.soundsOn());
    f.action("Sounds1")->trigger();
    QVERIFY(f.close());
    std::string text = gw::readWholeFile(dir_.filePath("CROSS.CONF").toStdString());
    QVERIFY(text.find("Sounds=1") != std::string::npos);
    QVERIFY(text.find("Solve=" + dir_.path().toStdString()) != std::string::npos);
  }

  void contextMenuOrder() {
    TestForm& f = open(englishSample());
    QStringList captions;
    for (QAction* a : f.popupMenu()->actions()) captions << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(captions, (QStringList{"Cheat one field", "Cheat the whole crossword", "-",
                                    "Mark bad entries", "Sounds", "-", "Right direction",
                                    "Down direction", "-", "Exit"}));
    QCOMPARE(f.action("Exit1")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  }

  void clueWindowsSitAboveAndBelow() {
    gw::CrosswordFile cw = englishSample();
    cw.definitions[0].clue = std::string(300, 'w') + " long clue that wraps over several lines";
    TestForm& f = open(cw);
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
    TdExplain across(true, 0);
    across.ShowClue("clue", Direction::Down, 10, 400, 122, 82, work, nullptr);
    QCOMPARE(across.geometry(), QRect(0, 0, 1000, 12));  // down to 2 pixels below the board's top
    QVERIFY(!across.isHighlighted());
    TdExplain down(false, 0);
    down.ShowClue("clue", Direction::Down, 600, 400, 122, 82, work, nullptr);
    QCOMPARE(down.geometry(), QRect(0, 0, 1000, 700 - 600 - 82));
    QVERIFY(down.isHighlighted());
    down.ShowClue("clue", Direction::Down, 300, 400, 122, 82, work, nullptr);
    QCOMPARE(down.geometry().topLeft(), QPoint((1000 - 289) / 2, 382));
    down.ShowClue(" ", Direction::Down, 300, 400, 122, 82, work, nullptr);
    QVERIFY(down.isVisible());  // one space is a clue
    down.ShowClue("", Direction::Down, 300, 400, 122, 82, work, nullptr);
    QVERIFY(!down.isVisible());
    TdExplain latin(true, 2);
    latin.ShowClue(gw::fromUtf8("Čačak", "windows-1250"), Direction::Across, 300, 0, 0, 0, work, nullptr);
    QCOMPARE(latin.labelText(), QString::fromUtf8("Čačak"));
  }

  void loadFailuresShowTheMessageAndKeepNoBoard() {
    auto failing = [&](const QString& path) {
      form_ = std::make_unique<TestForm>(std::filesystem::path(), &sounds_);
      bool ok = form_->LoadCrossword(path);
      return std::make_pair(ok, form_->messages.value(0));
    };
    QString missing = dir_.filePath("none.C_W");
    auto r = failing(missing);
    QVERIFY(!r.first);
    QCOMPARE(r.second, "File doesn't \n" + missing + "\n exist!");
    QVERIFY(form_->board() == nullptr);
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
    QVERIFY(form_->board() == nullptr);
    QVERIFY(form_->acrossWindow() == nullptr);
  }
};

QTEST_MAIN(CrossWindowTest)
#include "main_form_test.moc"
