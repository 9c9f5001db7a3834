// The prompts facade as tests use it: queued answers in order, Escape's button when nothing is
// queued, and the texts shown.
#include <QTest>

#include "tests/support/prompt_answers.h"

using gw::gui::FileChoice;
using gw::gui::Prompts;
using gw::gui::Question;

class PromptsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void queuedAnswersComeInOrder() {
    gw::test::PromptAnswers answers;
    answers.next(QMessageBox::Yes);
    answers.next(QMessageBox::Cancel);
    const Question q{"T", "Save changes?", {}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel};
    QCOMPARE(Prompts::ask(nullptr, q), QMessageBox::Yes);
    QCOMPARE(Prompts::ask(nullptr, q), QMessageBox::Cancel);
    QVERIFY(answers.allUsed());
    QCOMPARE(answers.shown(), QStringList({"Save changes?", "Save changes?"}));
  }

  void unansweredQuestionsTakeTheEscapeButton_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("expected");
    QTest::newRow("yes no cancel") << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                   << int(QMessageBox::Cancel);
    QTest::newRow("yes no") << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No);
    QTest::newRow("ok cancel") << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel);
  }
  void unansweredQuestionsTakeTheEscapeButton() {
    QFETCH(int, buttons);
    QFETCH(int, expected);
    gw::test::PromptAnswers answers;
    Question q{"T", "Sure?", {}, QMessageBox::StandardButtons(buttons)};
    QCOMPARE(int(Prompts::ask(nullptr, q)), expected);
  }

  void fileChoicesComeFromTheQueueOrAreCancelled() {
    gw::test::PromptAnswers answers;
    answers.nextFile("/tmp/a.C_W");
    QCOMPARE(Prompts::chooseFile(nullptr, FileChoice{}), QString("/tmp/a.C_W"));
    QVERIFY(Prompts::chooseFile(nullptr, FileChoice{}).isEmpty());
  }

  void messagesAreRecorded() {
    gw::test::PromptAnswers answers;
    Prompts::inform(nullptr, "T", "Done");
    Prompts::fail(nullptr, "T", "Cannot open");
    QCOMPARE(answers.shown(), QStringList({"Done", "Cannot open"}));
  }
};

QTEST_MAIN(PromptsTest)
#include "prompts_test.moc"
