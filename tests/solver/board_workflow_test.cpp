// The board window's rules without the window: what the actions are enabled from, the one
// failure path, and the questions of the completion sequence.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "common/file_io.h"
#include "sample_crosswords.h"
#include "solver/board_workflow.h"
#include "tests/support/prompt_answers.h"

using gw::CellPos;
using gw::Direction;
using namespace gw::cross;
using namespace gw::cross::testing;

class BoardWorkflowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::optional<gw::test::PromptAnswers> answers_;

  QString write(const QString& name, const gw::CrosswordFile& f) {
    const QString p = dir_.filePath(name);
    gw::writeCrosswordFile(p.toStdString(), f);
    return p;
  }
  std::unique_ptr<BoardWorkflow> loaded(const gw::CrosswordFile& f) {
    auto w = std::make_unique<BoardWorkflow>(std::filesystem::path(), "/nowhere", nullptr);
    w->load(write("puzzle.C_W", f));
    return w;
  }

 private slots:
  void initTestCase() { qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8()); }
  void init() {
    answers_.emplace();
    QFile::remove(dir_.filePath("puzzle.RES_CW"));
  }
  void cleanup() { answers_.reset(); }

  // Each action's rule as the cursor stands: arrows at the edges, the reveal on blocks, the
  // direction pair, and nothing but the zoom without a crossword.
  void enablingFollowsTheCursor() {
    BoardWorkflow none(std::filesystem::path(), "/nowhere", nullptr);
    const BoardState empty = none.state();
    QVERIFY(!empty.loaded && !empty.canMoveRight && !empty.canCheatOne);
    QVERIFY(empty.canZoomIn && empty.canZoomOut);

    auto w = loaded(englishSample());
    struct Case {
      CellPos at;
      bool left, right, up, down, cheat;
    };
    for (const Case& c :
         {Case{{0, 0}, false, true, false, true, true}, Case{{3, 5}, true, false, true, false, true},
          Case{{0, 3}, true, true, false, true, false}}) {
      w->selectCell(c.at);
      const BoardState s = w->state();
      QCOMPARE(s.canMoveLeft, c.left);
      QCOMPARE(s.canMoveRight, c.right);
      QCOMPARE(s.canMoveUp, c.up);
      QCOMPARE(s.canMoveDown, c.down);
      QCOMPARE(s.canCheatOne, c.cheat);
    }
    QSignalSpy changed(w.get(), &BoardWorkflow::stateChanged);
    w->setDirection(Direction::Down);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(w->state().direction, Direction::Down);
  }

  // Every failure comes out of one signal; a failed load keeps the crossword only when asked to.
  void failuresComeOutOfOneSignal() {
    auto w = loaded(englishSample());
    QSignalSpy failed(w.get(), &BoardWorkflow::failed);
    QVERIFY(!w->load(dir_.filePath("none.C_W"), true));
    QCOMPARE(failed.count(), 1);
    QVERIFY(failed[0][0].toString().startsWith("File doesn't \n"));
    QVERIFY(w->board());
    QVERIFY(QDir(dir_.path()).mkdir("puzzle.RES_CW"));  // the progress cannot be written
    QVERIFY(!w->saveProgress());
    QCOMPARE(failed.count(), 2);
    QVERIFY(QDir(dir_.path()).rmdir("puzzle.RES_CW"));
    QVERIFY(!w->load(dir_.filePath("none.C_W")));
    QVERIFY(!w->board());
  }

  // After the blinking, "Try another?": Cancel closes, OK with a file opens it.
  void tryAnotherAsksThenOpensOrCloses() {
    const QString next = write("next.C_W", germanSample());
    for (bool again : {false, true}) {
      auto w = loaded(englishSample());
      QSignalSpy closing(w.get(), &BoardWorkflow::closeRequested);
      answers_->next(QMessageBox::Yes);
      if (again) {
        answers_->next(QMessageBox::Ok);
        answers_->nextFile(next);
      }
      w->revealAll();
      w->typeCharacter('5');
      QVERIFY(w->board()->completed());
      for (int i = 0; i <= kBlinkTicks; ++i) w->blinkTick();
      QCOMPARE(closing.count(), again ? 0 : 1);
      QCOMPARE(w->board()->language(), again ? gw::Language::German : gw::Language::English);
    }
    for (const QString& asked : answers_->shown())
      QVERIFY2(asked.startsWith("Reveal the whole") || asked.endsWith(". Try another?"), qPrintable(asked));
  }

  // Revealing everything asks first, and No (also the default, and Escape) reveals nothing.
  void revealingAllAsksFirst() {
    auto w = loaded(englishSample());
    w->revealAll();  // nothing queued: Escape
    answers_->next(QMessageBox::No);
    w->revealAll();
    QCOMPARE(w->board()->entries(), std::string(24, ' '));
    answers_->next(QMessageBox::Yes);
    w->revealAll();
    QCOMPARE(w->board()->entries(), englishSample().board);
  }

  // The clock stops while paused, comes back with the crossword and is named when it is solved.
  void clockPausesIsKeptAndReported() {
    auto w = loaded(englishSample());
    saveSolvingTime(*w->crossword(), 754);
    w = loaded(englishSample());
    QVERIFY(w->elapsedSeconds() >= 754);
    w->setPaused(true);
    const qint64 paused = w->elapsedSeconds();
    QTest::qWait(1100);
    QCOMPARE(w->elapsedSeconds(), paused);
    QVERIFY(w->state().paused);
    w->typeCharacter('c');  // the board is hidden: nothing typed
    QCOMPARE(w->board()->entryAt(0, 0), ' ');
    w->setPaused(false);
    QVERIFY(w->saveProgress());
    QCOMPARE(loaded(englishSample())->elapsedSeconds(), paused);  // kept across closing
    answers_->next(QMessageBox::Yes);
    w->revealAll();
    w->typeCharacter('5');
    for (int i = 0; i <= kBlinkTicks; ++i) w->blinkTick();
    QCOMPARE(answers_->shown().last(), QString("Solved in 12:34. Try another?"));
    QCOMPARE(clockText(3723), QString("1:02:03"));
  }
};

QTEST_MAIN(BoardWorkflowTest)
#include "board_workflow_test.moc"
