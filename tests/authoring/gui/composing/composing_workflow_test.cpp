// The composing workflow without a widget: the state its commands are enabled from, the
// searches it runs, the files it leaves behind and what it tells the author.
#include <QtTest>
#include <functional>

#include "authoring/composing/layout/composing_files.h"
#include "composing_test_support.h"

using namespace gw;
using namespace gw::gui;
using namespace gw::gui::testing;

namespace {

ComposingWorkflow::WordOrderChoice reversedOrder(std::vector<int>& answer) {
  return [&answer](const std::vector<Slot>& order) {
    for (int p = static_cast<int>(order.size()); p >= 1; --p) answer.push_back(p);
    return std::optional(answer);
  };
}

}  // namespace

class ComposingWorkflowTest : public WorkflowTestBase {
  Q_OBJECT

  // Isles at the top-left and bottom-right corners.
  void drawCornerLayout() {
    newLayout(4, 4);
    isleAt(0, 0);
    isleAt(3, 3);
  }
  // Which of the page's commands the current state allows, by the action's name.
  QStringList allowed() {
    const ComposingStatus s = status();
    const std::pair<const char*, bool> commands[] = {
        {"new", rules::newLayout(s)},
        {"open", rules::openLayout(s)},
        {"close", rules::closeLayout(s)},
        {"save", rules::saveLayout(s)},
        {"start", rules::startCompose(s)},
        {"stop", rules::stopCompose(s)},
        {"quickFill", rules::quickFill(s)},
        {"clearLayout", rules::clearLayout(s)},
        {"clearField", rules::clearField(s)},
        {"setIsle", rules::setIsle(s)},
        {"noRepeat", rules::noRepeatedWords(s)},
    };
    QStringList names;
    for (const auto& [name, on] : commands)
      if (on) names << name;
    return names;
  }

 private Q_SLOTS:
  void init() { openWorkflow(fewWords(), {"ABC"}); }
  void cleanup() { closeWorkflow(); }

  void commandsFollowTheLayoutState() {
    QCOMPARE(allowed(), (QStringList{"new", "open", "noRepeat"}));
    newLayout(4, 4);
    QCOMPARE(allowed(), (QStringList{"new", "open", "close", "save", "start", "quickFill", "clearLayout",
                                     "setIsle", "noRepeat"}));
    workflow_->setIsle();
    QCOMPARE(allowed(), (QStringList{"new", "open", "close", "save", "start", "quickFill", "clearLayout",
                                     "clearField", "noRepeat"}));
    type(1, 1, "a");  // the cursor moves on to an empty cell
    QVERIFY(rules::setIsle(status()) && !rules::clearField(status()));
    workflow_->setCurrentCell({1, 1});
    QVERIFY(rules::setIsle(status()) && rules::clearField(status()));

    workflow_->setPageInFront(false);
    QCOMPARE(allowed(),
             (QStringList{"start", "quickFill", "clearLayout", "clearField", "setIsle", "noRepeat"}));
    workflow_->setPageInFront(true);

    newLayout(3, 6);
    QVERIFY2(!rules::quickFill(status()), "smaller than 4 × 4");
    workflow_->closeLayout();
    QCOMPARE(allowed(), (QStringList{"new", "open", "noRepeat"}));
  }

  void theStateSignalCarriesEveryChange() {
    QList<ComposingStatus> seen;
    connect(workflow_, &ComposingWorkflow::statusChanged, this, [&](const ComposingStatus& s) { seen << s; });
    newLayout(4, 4);
    QCOMPARE(seen.last(), status());
    workflow_->setIsle();
    QCOMPARE(seen.last().current, CurrentCell::Isle);
    const qsizetype before = seen.size();
    workflow_->setCurrentCell({0, 0});
    QCOMPARE(seen.size(), before);  // nothing changed, nothing sent
    workflow_->setCurrentCell({0, 1});
    QCOMPARE(seen.last().current, CurrentCell::Empty);
  }

  void runningAndStoppedSearchesLockTheCells() {
    program_->writeWords("EN.words", someWords("ABCDE", 6, 0.05, 3));
    newLayout(6, 6);
    startAs("locked.C_WM");
    QCOMPARE(status().layout, ComposingState::Running);
    QCOMPARE(allowed(), (QStringList{"stop"}));
    QVERIFY(!rules::focusMark(status()));

    // Letters, double-clicks and Space do not touch a running search (nor its layout).
    const Layout before = session().layout();
    type(0, 0, "abc");
    workflow_->toggleCell({2, 2});
    workflow_->setIsle();
    QVERIFY(session().layout() == before);

    workflow_->stopComposing();
    QCOMPARE(status().layout, ComposingState::Stopped);
    QCOMPARE(allowed(), (QStringList{"new", "open", "close", "save", "start", "noRepeat"}));
    workflow_->toggleCell({1, 1});
    type(0, 0, "q");
    QVERIFY(session().layout() == before);
    QVERIFY(rules::focusMark(status()));
  }

  void changeStatusWantsAtLeastFourByFour() {
    newLayout(3, 8);
    workflow_->toggleComposing({});
    QCOMPARE(failures_, QStringList{"Define crossword pattern first!"});
    QCOMPARE(status().layout, ComposingState::Editable);
    // With no layout it stops, which changes nothing.
    workflow_->closeLayout();
    workflow_->toggleComposing({});
    QCOMPARE(status().layout, ComposingState::Closed);
  }

  void composingWritesTheSameResultsAsTheHeadlessComposer() {
    drawCornerLayout();
    std::vector<Slot> shown;
    startAs("corner.C_WM", [&](const std::vector<Slot>& order) {
      shown = order;
      std::vector<int> same;
      for (std::size_t i = 0; i < order.size(); ++i) same.push_back(static_cast<int>(i) + 1);
      return std::optional(same);
    });
    QVERIFY(!shown.empty());
    QVERIFY(workflow_->isComposing());
    QCOMPARE(caption_, QString("Make : corner.C_WM"));
    waitUntilNotRunning();
    QCOMPARE(status().layout, ComposingState::Editable);
    QVERIFY(failures_.isEmpty());
    const auto windowResults = program_->resultFiles();
    QVERIFY(!windowResults.empty());
    QCOMPARE(workflow_->counterTexts().at(1), QString("R:%1").arg(windowResults.size()));
    QCOMPARE(sounds_.count(ComposerSound::Started), 1);
    QCOMPARE(sounds_.count(ComposerSound::Exhausted), 1);
    QCOMPARE(sounds_.count(ComposerSound::ResultWritten), static_cast<int>(windowResults.size()));
    QVERIFY2(!fs::exists(program_->path("Make/corner.TMP")), "an exhausted search leaves no state file");

    // The same layout composed without a window, into a folder of its own.
    fs::path headlessResults = program_->path("headless");
    fs::create_directories(headlessResults);
    Dictionary dictionary;
    ComposingFiles files{[&](Language) { return program_->path("Make/EN.words"); }, headlessResults};
    LayoutSession headless(dictionary, files);
    ComposerListener quiet;
    Composer composer(headless, quiet);
    headless.open(program_->path("Make/corner.C_WM"));
    headless.saveAs(program_->path("headless/corner.C_WM"));
    composer.start();
    while (composer.run(RunBudget::unlimited()) == ComposingState::Running) {
    }
    fs::remove(headlessResults / "corner.C_WM");
    std::map<std::string, std::string> expected;
    for (const auto& entry : fs::directory_iterator(headlessResults))
      expected[entry.path().filename().string()] = readBytes(entry.path());
    QVERIFY(expected == windowResults);

    // An exhausted search gives back the author's layout.
    const Layout drawn = session().layout();
    QVERIFY(workflow_->shownLayout() == drawn);
  }

  void stopWritesTheStateFileAndSaveKeepsTheAuthorsLayout() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startAs("long.C_WM");
    QTRY_VERIFY(workflow_->counterTexts().at(3) != "M: 0");  // counters are live
    workflow_->stopComposing();
    QCOMPARE(status().layout, ComposingState::Stopped);
    const fs::path stateFile = program_->path("Make/long.TMP");
    QVERIFY(fs::exists(stateFile));
    const SearchState saved = readStateFile(stateFile, session().layout());
    QCOMPARE(saved.depth, workflow_->controller().composer().depth());
    QCOMPARE(readBytes(stateFile), serializeState(workflow_->controller().composer().searchState()));

    // Save while stopped writes the author's layout, not the best partial fill shown.
    workflow_->saveLayout();
    QVERIFY(readPatternFile(program_->path("Make/long.C_WM")) == session().layout());
    if (!workflow_->controller().composer().bestPartialFill().empty())
      QVERIFY(!(workflow_->shownLayout() == session().layout()));
  }

  void theWordOrderAnswerReachesTheStateFile() {
    drawCornerLayout();
    std::vector<int> answer;
    std::vector<Slot> proposed;
    startAs("order.C_WM", [&](const std::vector<Slot>& order) {
      proposed = order;
      return reversedOrder(answer)(order);
    });
    QVERIFY(workflow_->isComposing());
    workflow_->stopBeforeExit();  // before the first slice: the state file holds the order only
    QCOMPARE(status().layout, ComposingState::Stopped);
    const SearchState saved = readStateFile(program_->path("Make/order.TMP"), session().layout());
    QCOMPARE(saved.slots.size(), proposed.size());
    for (std::size_t p = 0; p < answer.size(); ++p)
      QVERIFY(saved.slots[p].samePlace(proposed[static_cast<std::size_t>(answer[p] - 1)]));
    // Cancel keeps the computed order.
    workflow_->closeLayout();
    drawCornerLayout();
    startAs("kept.C_WM");
    workflow_->stopBeforeExit();
    const SearchState kept = readStateFile(program_->path("Make/kept.TMP"), session().layout());
    for (std::size_t p = 0; p < kept.slots.size(); ++p) QVERIFY(kept.slots[p].samePlace(proposed[p]));
  }

  void openingAsksToContinueAStoppedSearch() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startAs("resume.C_WM");
    workflow_->stopBeforeExit();
    workflow_->closeLayout();

    const QString file = QString::fromStdString(program_->path("Make/resume.C_WM").string());
    answers_->nextFile(file);
    answers_->next(QMessageBox::No);
    workflow_->openLayout();
    QCOMPARE(answers_->shown(), QStringList{"Continue?"});
    QCOMPARE(status().layout, ComposingState::Editable);
    QCOMPARE(caption_, QString("Composing : resume.C_WM"));
    QVERIFY2(fs::exists(program_->path("Make/resume.TMP")), "No keeps the state file");
    QCOMPARE(dialogFolders_.composeOpen, QString::fromStdString(program_->path("Make").string()));

    answers_->next(QMessageBox::Yes);
    workflow_->openPatternFile(file);
    QCOMPARE(status().layout, ComposingState::Running);

    // A damaged state file: its reader's message, and the layout stays editable.
    workflow_->stopBeforeExit();
    const fs::path state = program_->path("Make/resume.TMP");
    writeBytes(state, readBytes(state).substr(0, 30));
    answers_->next(QMessageBox::Yes);
    workflow_->openPatternFile(file);
    QCOMPARE(failures_.size(), 1);
    QCOMPARE(status().layout, ComposingState::Editable);
    QVERIFY(answers_->allUsed());
  }

  void aFileThatIsNoPatternChangesNothing() {
    newLayout(4, 4);
    type(0, 0, "abc");
    const Layout before = session().layout();
    for (std::string bytes :
         {std::string("CW10\0\0\0", 7), std::string(3374, '\x7f'), std::string(100, '\0')}) {
      fs::path bad = program_->path("bad.C_WM");
      writeBytes(bad, bytes);
      failures_.clear();
      workflow_->openPatternFile(QString::fromStdString(bad.string()));
      QCOMPARE(failures_.size(), 1);
      QVERIFY(session().layout() == before);
      QCOMPARE(status().layout, ComposingState::Editable);
    }
    failures_.clear();
    workflow_->openPatternFile(QString::fromStdString(program_->path("missing.C_WM").string()));
    QCOMPARE(failures_.size(), 1);
    QVERIFY(session().layout() == before);
  }

  void saveAsksForANameOnceAndRemembersTheFolder() {
    newLayout(4, 4);
    nameOnFirstSave("first.C_WM");
    workflow_->saveLayout();
    QCOMPARE(caption_, QString("Make : first.C_WM"));
    QCOMPARE(dialogFolders_.composeSave, QString::fromStdString(program_->path("Make").string()));
    QCOMPARE(fs::file_size(program_->path("Make/first.C_WM")), kPatternFileSize);
    type(0, 0, "w");
    workflow_->saveLayout();  // no file choice queued: none asked for
    QCOMPARE(readPatternFile(program_->path("Make/first.C_WM")).board.cell(0, 0).character, 'W');
    // Cancelling the choice at Start leaves the layout unsaved and nothing started.
    newLayout(4, 4);
    answers_->nextFile({});
    workflow_->startComposing({});
    QCOMPARE(status().layout, ComposingState::Editable);
    QVERIFY(answers_->allUsed());
  }

  void aWorkflowThatGoesWhileSearchingSavesTheSearch() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startAs("exit.C_WM");
    QTRY_VERIFY(workflow_->controller().composer().steps() > 0);
    QVERIFY(workflow_->isComposing());
    ownWorkflow_.reset();
    workflow_ = nullptr;
    QVERIFY(fs::exists(program_->path("Make/exit.TMP")));
  }

  void undoAndRedoTakeBackEachKindOfChange() {
    struct Change {
      const char* name;
      std::function<void()> make;
    };
    const Change changes[] = {
        {"isle", [&] { isleAt(1, 1); }},
        {"letter", [&] { type(2, 0, "q"); }},
        {"clear field",
         [&] {
           workflow_->setCurrentCell({0, 0});
           workflow_->clearField();
         }},
        {"double-click",
         [&] {
           workflow_->toggleCell({3, 3});
         }},
        {"clear layout", [&] { workflow_->clearLayout(); }},
    };
    newLayout(4, 4);
    type(0, 0, "ab");
    for (const Change& change : changes) {
      const Layout before = session().layout();
      change.make();
      const Layout after = session().layout();
      QVERIFY2(!(after == before), change.name);
      QVERIFY2(rules::undo(status()) && !rules::redo(status()), change.name);
      workflow_->undo();
      QVERIFY2(session().layout() == before, change.name);
      workflow_->redo();
      QVERIFY2(session().layout() == after, change.name);
    }
    // A running search takes no undo; a new layout starts a new history.
    newLayout(4, 4);
    QVERIFY(!status().canUndo && !status().canRedo);
  }

  void symmetryActsOnThePartnerCell() {
    newLayout(5, 5);
    workflow_->setSymmetry(LayoutSymmetry::Rotational);
    isleAt(0, 1);
    QCOMPARE(cell(4, 3), '#');
    QVERIFY(workflow_->isSymmetric());
    workflow_->undo();  // both cells in one step
    QCOMPARE(cell(0, 1), '.');
    QCOMPARE(cell(4, 3), '.');
    workflow_->toggleCell({2, 0});  // middle row
    QCOMPARE(cell(2, 4), '#');
    workflow_->toggleCell({2, 2});  // the centre is its own partner
    QCOMPARE(cell(2, 2), '#');
    QCOMPARE(workflow_->statistics().blocks, 3);
    workflow_->setCurrentCell({2, 4});
    workflow_->clearField();
    QCOMPARE(cell(2, 0), '.');

    workflow_->setSymmetry(LayoutSymmetry::Mirror);
    type(1, 4, "z");  // a partner's letter stays when its isle partner goes
    isleAt(1, 0);
    QCOMPARE(cell(1, 4), '#');
    workflow_->setSymmetry(LayoutSymmetry::None);
    isleAt(3, 0);
    QCOMPARE(cell(3, 4), '.');
    workflow_->setSymmetry(LayoutSymmetry::Mirror);
    QVERIFY(!workflow_->isSymmetric());
  }

  void aChangedLayoutAsksBeforeItIsDropped() {
    newLayout(4, 4);
    QVERIFY2(workflow_->maybeSave(), "nothing changed: nothing asked");
    QVERIFY(answers_->shown().isEmpty());
    isleAt(1, 1);
    QVERIFY(status().modified);

    // Escape is Cancel: nothing written, the layout stays changed.
    QVERIFY(!workflow_->maybeSave());
    QCOMPARE(answers_->shown(), QStringList{"Save changes?"});
    QVERIFY(status().modified);
    answers_->next(QMessageBox::No);
    QVERIFY(workflow_->maybeSave());
    QVERIFY(program_->resultFiles().empty());

    // Yes saves, asking for a name; cancelling the name cancels.
    answers_->next(QMessageBox::Yes);
    answers_->nextFile({});
    QVERIFY(!workflow_->maybeSave());
    answers_->next(QMessageBox::Yes);
    nameOnFirstSave("asked.C_WM");
    QVERIFY(workflow_->maybeSave());
    QVERIFY(!status().modified);
    QCOMPARE(readPatternFile(program_->path("Make/asked.C_WM")).board.cell(1, 1).character, kIsle);

    // Open asks first; Cancel keeps the layout.
    type(0, 0, "c");
    answers_->next(QMessageBox::Cancel);
    workflow_->openLayout();
    QCOMPARE(cell(0, 0), 'C');
    QVERIFY(status().modified);
    workflow_->undo();
    QVERIFY2(status().modified, "undo is a change too");
    QVERIFY(answers_->allUsed());
  }

  void discardSavedSearchMakesTheLayoutEditableAgain() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startAs("discard.C_WM");
    workflow_->stopComposing();
    QVERIFY(workflow_->statusMessage().contains("Start compose resumes it"));
    QVERIFY(rules::discardSavedSearch(status()));
    const fs::path state = program_->path("Make/discard.TMP");

    answers_->next(QMessageBox::Cancel);
    workflow_->discardSavedSearch();
    QVERIFY(fs::exists(state));
    QCOMPARE(status().layout, ComposingState::Stopped);

    answers_->next(QMessageBox::Yes);
    workflow_->discardSavedSearch();
    QVERIFY(!fs::exists(state));
    QCOMPARE(status().layout, ComposingState::Editable);
    QVERIFY(!rules::discardSavedSearch(status()));
    isleAt(0, 0);
    QCOMPARE(cell(0, 0), '#');
    workflow_->undo();

    // After No to "Continue?" the saved search can be discarded as well; the question said so.
    startAs("discard.C_WM");
    workflow_->stopComposing();
    answers_->next(QMessageBox::No);
    workflow_->openPatternFile(QString::fromStdString(program_->path("Make/discard.C_WM").string()));
    QCOMPARE(status().layout, ComposingState::Editable);
    QVERIFY(rules::discardSavedSearch(status()));
    answers_->next(QMessageBox::Yes);
    workflow_->discardSavedSearch();
    QVERIFY(!fs::exists(state));
    QVERIFY(answers_->allUsed());
  }

  void aLayoutWithoutWordsSaysSo() {
    newLayout(4, 4);
    for (int c = 0; c < 4; ++c) isleAt(0, c);
    for (int r = 1; r < 4; ++r) type(r, 0, "abcd");
    startAs("full.C_WM");
    QCOMPARE(failures_, QStringList{"No words"});
    QCOMPARE(status().layout, ComposingState::Editable);
  }
};

QTEST_MAIN(ComposingWorkflowTest)
#include "composing_workflow_test.moc"
