// The editing workflow without widgets: the rules of New, Open, Save, Close, Try and the
// layout editor's outcome, with the user's answers queued.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "authoring/gui/editing/editing_workflow.h"
#include "common/crossword_reader.h"
#include "editing_test_support.h"
#include "tests/support/prompt_answers.h"

using namespace gw::gui;
using namespace gw::gui::testing;

class EditingWorkflowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  FileDialogFolders folders_;
  std::unique_ptr<EditingWorkflow> workflow_;
  QStringList captions_, failures_;

  QString path(const QString& name) const { return dir_.filePath(name); }
  QString write(const QString& name, const gw::CrosswordFile& f) {
    gw::writeCrosswordFile(path(name).toStdString(), f);
    return path(name);
  }
  const gw::CrosswordDocument& doc() const { return workflow_->document(); }
  static int saveQuestions(const gw::test::PromptAnswers& answers) {
    return static_cast<int>(answers.shown().count(QStringLiteral("Save changes?")));
  }
  static constexpr int kCdeRow = 4;  // the across word CDE of the small crossword

 private Q_SLOTS:
  void init() {
    folders_ = {};
    folders_.editSave = dir_.path();
    workflow_ = std::make_unique<EditingWorkflow>(folders_);
    captions_.clear();
    failures_.clear();
    connect(workflow_.get(), &EditingWorkflow::captionChanged, this,
            [this](const QString& c) { captions_ << c; });
    connect(workflow_.get(), &EditingWorkflow::failed, this, [this](const QString& m) { failures_ << m; });
  }
  void cleanup() {
    workflow_.reset();
    for (const QString& f : QDir(dir_.path()).entryList(QDir::Files)) QFile::remove(path(f));
  }

  // "Save changes?" offers Yes, No and Cancel; Escape (nothing queued) is Cancel, which
  // keeps the crossword open, modified and unwritten. Close, New, Open all ask the same way.
  void closeAsksToSaveChanges_data() {
    QTest::addColumn<int>("answer");  // 0: Escape
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("saveAsChosen");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("Yes saves under its name") << int(QMessageBox::Yes) << true << false << true << true;
    QTest::newRow("No discards") << int(QMessageBox::No) << true << false << true << false;
    QTest::newRow("Cancel keeps") << int(QMessageBox::Cancel) << true << false << false << false;
    QTest::newRow("Escape keeps") << 0 << true << false << false << false;
    QTest::newRow("Yes, never saved, Save as chosen")
        << int(QMessageBox::Yes) << false << true << true << true;
    QTest::newRow("Yes, never saved, Save as cancelled")
        << int(QMessageBox::Yes) << false << false << false << false;
  }
  void closeAsksToSaveChanges() {
    QFETCH(int, answer);
    QFETCH(bool, named);
    QFETCH(bool, saveAsChosen);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    gw::test::PromptAnswers answers;
    QString file = path("chosen.C_W");
    if (named) {
      file = write("small.C_W", smallCrossword());
      QVERIFY(workflow_->openFile(file));
    } else {
      workflow_->newCrossword(2, 3, gw::Language::English, gw::ClueCharset::Ansi);
      if (saveAsChosen) answers.nextFile(file);
    }
    const std::string before = readBytes(file);
    workflow_->markModified();
    if (answer != 0) answers.next(QMessageBox::StandardButton(answer));
    QCOMPARE(workflow_->closeCrossword(), closed);
    QCOMPARE(saveQuestions(answers), 1);
    QVERIFY(answers.allUsed());
    QCOMPARE(doc().isOpen(), !closed);
    QCOMPARE(readBytes(file) != before, written);
    if (closed) {
      QCOMPARE(captions_.last(), QString("Editing tool"));
      QVERIFY(doc().fileName().empty());
    } else {
      QVERIFY(doc().isModified());
    }

    // Opening another crossword asks the same question first.
    if (!closed) {
      if (answer != 0) answers.next(QMessageBox::StandardButton(answer));
      if (!named && saveAsChosen) answers.nextFile(file);
      QVERIFY(!workflow_->openFile(write("other.C_W", smallCrossword())));
      QVERIFY(doc().isModified());
      QVERIFY(captions_.isEmpty() || !captions_.last().endsWith("other.C_W"));
    }
  }

  void maybeSaveLeavesTheCrosswordOpen() {
    gw::test::PromptAnswers answers;
    QVERIFY(workflow_->maybeSave());  // nothing open: nothing asked
    QVERIFY(workflow_->openFile(write("small.C_W", smallCrossword())));
    QVERIFY(workflow_->maybeSave());  // unmodified: nothing asked
    workflow_->markModified();
    QVERIFY(!workflow_->maybeSave());  // Escape
    answers.next(QMessageBox::Yes);
    QVERIFY(workflow_->maybeSave());
    QCOMPARE(saveQuestions(answers), 2);
    QVERIFY(doc().isOpen() && !doc().isModified());
  }

  // A new crossword never saved can only be saved as; it never takes over the old file's name.
  void newCrosswordStartsWithoutANameAndCanOnlyBeSavedAs() {
    gw::test::PromptAnswers answers;
    const QString file = write("old.C_W", smallCrossword(0, "clue"));
    QVERIFY(workflow_->openFile(file));
    workflow_->document().toggleTopMark({1, 1});
    workflow_->markModified();
    answers.next(QMessageBox::No);
    QVERIFY(workflow_->closeCrossword());
    QSignalSpy states(workflow_.get(), &EditingWorkflow::stateChanged);
    workflow_->newCrossword(5, 7, gw::Language::English, gw::ClueCharset::Ansi);
    QVERIFY(!states.isEmpty());
    const EditingState s = workflow_->state();
    QVERIFY(s.open && s.modified && s.hasBoard && !s.hasFileName);
    QCOMPARE(s.definitionCount, 0);
    QVERIFY(doc().topMarks().empty());
    QVERIFY(!workflow_->save());  // Save falls back on Save as, here cancelled
    QCOMPARE(readBack(file).definitions.at(0).clue, std::string("clue"));
  }

  // A failed Open changes nothing, but the caption names the file tried.
  void aFailedOpenChangesNothing() {
    gw::test::PromptAnswers answers;
    const QString bad = path("bad.C_W");
    writeBytes(bad, "cw10 and more");
    answers.nextFile(bad);
    QVERIFY(!workflow_->openCrossword());
    QCOMPARE(failures_, QStringList({"Bad file format : cw10"}));
    QCOMPARE(captions_.last(), QString("Edit: bad.C_W"));
    QVERIFY(!doc().isOpen() && doc().fileName().empty());
    answers.nextFile(path("nothing.C_W"));
    QVERIFY(!workflow_->saveAs());  // nothing open: no file is asked for
    QCOMPARE(gw::gui::Prompts::pendingFileNames(), 1);
    gw::gui::Prompts::reset();
    QCOMPARE(readBytes(bad), std::string("cw10 and more"));

    writeBytes(bad, "CW1");
    QVERIFY(!workflow_->openFile(bad));
    QCOMPARE(failures_.mid(1), QStringList({"Bad file!", "Bad file format : CW1"}));
    QVERIFY(!workflow_->openFile(path("missing.C_W")));
    QCOMPARE(failures_.size(), 4);
  }

  void closeForgetsTheBoardAndNothingOpenWritesNothing() {
    gw::test::PromptAnswers answers;
    gw::CrosswordFile f = smallCrossword();
    f.pictures.push_back({0, 0, 1, 1, samplePicture()});
    QVERIFY(workflow_->openFile(write("pic.C_W", f)));
    QVERIFY(workflow_->closeCrossword());
    QVERIFY(!doc().hasBoard() && doc().pictures().empty());
    workflow_->prepareDefinitions();
    QCOMPARE(workflow_->state().definitionCount, 0);
    QVERIFY(answers.shown().isEmpty());
  }

  // Letters changed by the layout editor keep every clue; either way it closes, a change
  // marks the crossword modified, and only OK prepares the definitions again.
  void layoutChangesMarkTheCrosswordModified() {
    QVERIFY(workflow_->openFile(write("small.C_W", smallCrossword(0, "kept"))));
    auto before = doc().layoutSnapshot();
    workflow_->layoutEdited(before, false);  // cancelled without a change
    QVERIFY(!doc().isModified());
    workflow_->document().setCell({1, 1}, 'F');
    workflow_->layoutEdited(before, false);
    QVERIFY(doc().isModified());
    QCOMPARE(workflow_->word(kCdeRow), QString("CDE"));
    workflow_->layoutEdited(before, true);
    QCOMPARE(workflow_->word(kCdeRow), QString("CFE"));
    QCOMPARE(workflow_->clue(kCdeRow), QString("kept"));
  }

  void tryingSavesAModifiedCrosswordFirst() {
    const QString file = write("try.C_W", smallCrossword());
    QSignalSpy solver(workflow_.get(), &EditingWorkflow::solverRequested);
    workflow_->tryCrossword();
    QCOMPARE(solver.count(), 0);  // nothing open
    QVERIFY(workflow_->openFile(file));
    workflow_->tryCrossword();
    QVERIFY(workflow_->setClue(kCdeRow, "tried"));
    workflow_->tryCrossword();
    QCOMPARE(solver.count(), 2);
    QCOMPARE(solver.at(1).at(0).toString(), file);
    QVERIFY(!doc().isModified());
    QCOMPARE(readBack(file).definitions.at(kCdeRow).clue, std::string("tried"));
  }

  // A clue the charset cannot hold is refused with a message and never stored as '?'.
  void clueTheCharsetCannotHoldIsRefused() {
    QVERIFY(workflow_->openFile(write("ansi.C_W", smallCrossword(0, "old"))));
    QVERIFY(!workflow_->setClue(kCdeRow, QString::fromUtf8("Љубав")));
    QCOMPARE(failures_.size(), 1);
    QCOMPARE(workflow_->clue(kCdeRow), QString("old"));
    QVERIFY(!doc().isModified());
    workflow_->changeCharset(gw::ClueCharset::SerbianCyrillic);
    QVERIFY(workflow_->setClue(kCdeRow, QString::fromUtf8("Љубав")));
  }

  // The list shows the printed numbers; sorted by them it walks Across, then Down; the
  // missing clues are counted and asked about once before printing.
  void theListFollowsThePrintedNumbers() {
    gw::test::PromptAnswers answers;
    QVERIFY(workflow_->openFile(write("small.C_W", smallCrossword(0, "Third row"))));
    QCOMPARE(workflow_->printedLabel(kCdeRow), QString("3 Across"));
    QCOMPARE(workflow_->printedLabel(1), QString("2 Down"));
    QVERIFY(workflow_->printedLabel(2).isEmpty());  // E, one letter without a clue
    QCOMPARE(workflow_->clueStatus(), QString("3 of 4 words without a clue"));

    QCOMPARE(workflow_->stepDefinition(1, 1), 2);
    QSignalSpy resets(workflow_.get(), &EditingWorkflow::definitionsReset);
    workflow_->setSortedByNumber(true);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(workflow_->stepDefinition(3, 1), kCdeRow);  // 1 Across, 3 Across
    QCOMPARE(workflow_->stepDefinition(kCdeRow, 1), 0);  // then 1 Down
    QCOMPARE(workflow_->stepDefinition(0, -1), kCdeRow);
    QCOMPARE(workflow_->stepDefinition(2, 1), -1);  // E comes last

    // Clueing the one-letter word prints it, with a number of its own.
    QVERIFY(workflow_->setClue(2, "Fifth"));
    QCOMPARE(workflow_->printedLabel(2), QString("4 Down"));

    QVERIFY(!workflow_->confirmPrintingWithMissingClues());  // Escape: No
    answers.next(QMessageBox::Yes);
    QVERIFY(workflow_->confirmPrintingWithMissingClues());
    QCOMPARE(answers.shown().count(), 2);
    for (int i : {0, 1, 3}) QVERIFY(workflow_->setClue(i, "x"));
    QCOMPARE(workflow_->clueStatus(), QString("0 of 4 words without a clue"));
    QVERIFY(workflow_->confirmPrintingWithMissingClues());
    QCOMPARE(answers.shown().count(), 2);  // nothing missing: nothing asked
  }

  // After the layout editor's OK the answers the language's word list lacks are marked and
  // counted; the list is read once, off the window thread, and a later change is checked at once.
  void answersNotInTheWordListAreMarkedAfterTheLayoutEditor() {
    const QString words = path("EN.words");
    writeBytes(words, "ab\r\nCDE\nAC\n");
    int reads = 0;
    workflow_->setWordFiles([&](gw::Language language) {
      ++reads;
      return language == gw::Language::English ? std::filesystem::path(words.toStdString())
                                               : std::filesystem::path();
    });
    QVERIFY(workflow_->openFile(write("small.C_W", smallCrossword())));
    QVERIFY(!workflow_->notInWordList(1));  // nothing checked before the layout editor
    QSignalSpy checked(workflow_.get(), &EditingWorkflow::wordCheckChanged);
    workflow_->layoutEdited(doc().layoutSnapshot(), true);
    QVERIFY(workflow_->wordCheckPending());
    QVERIFY(checked.wait());
    auto marked = [this] {
      QStringList out;
      for (int i = 0; i < workflow_->state().definitionCount; ++i)
        if (workflow_->notInWordList(i)) out << workflow_->word(i);
      return out;
    };
    QCOMPARE(marked(), QStringList{"BD"});  // E has one letter: no word to check
    QCOMPARE(workflow_->wordCheckStatus(), QString("1 word not in the English word list"));
    QCOMPARE(workflow_->notInWordListText(), QString("not in the English word list"));

    // B becomes X: AX and XD are no words; nothing is refused, the board keeps them.
    const auto before = doc().layoutSnapshot();
    workflow_->document().setCell({0, 1}, 'X');
    workflow_->layoutEdited(before, true);
    QCOMPARE(marked(), (QStringList{"XD", "AX"}));
    QCOMPARE(workflow_->wordCheckStatus(), QString("2 words not in the English word list"));
    QVERIFY(doc().isModified());
    QCOMPARE(reads, 1);

    // Cancel leaves the marks as they were; another crossword starts unchecked.
    workflow_->layoutEdited(doc().layoutSnapshot(), false);
    QCOMPARE(marked().size(), 2);
    gw::test::PromptAnswers answers;
    answers.next(QMessageBox::No);
    QVERIFY(workflow_->openFile(write("other.C_W", smallCrossword())));
    QVERIFY(marked().isEmpty());
    QVERIFY(workflow_->wordCheckStatus().isEmpty());
  }

  void pastedCluesBecomeOneLine_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("clue");
    QTest::newRow("tab") << "one\ttwo"
                         << "one two";
    QTest::newRow("line ends") << "\nthree\r\nfour"
                               << " three four";
    QTest::newRow("paragraph") << QString::fromUtf8("a\u2029\t b") << "a  b";
  }
  void pastedCluesBecomeOneLine() {
    QFETCH(QString, pasted);
    QFETCH(QString, clue);
    QCOMPARE(EditingWorkflow::cleanClueText(pasted), clue);
  }
};

QTEST_MAIN(EditingWorkflowTest)
#include "editing_workflow_test.moc"
