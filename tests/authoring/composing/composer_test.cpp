#include "authoring/composing/search/composer.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/errors.h"
#include "common/file_io.h"
#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

using Case = ComposeProblem;

std::vector<Case> cases() { return backtrackingProblems(); }

Layout layoutOf(const Case& c) { return parseTextLayout(c.layout, Language::English); }

// A workspace with the layout and words of case `n`.
Workspace workspaceOf(std::size_t n) {
  const Case c = cases()[n];
  return Workspace(c.layout, c.words);
}

TEST(Search, FindsExactlyTheFillsOfABruteForceEnumeration) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    RecordingListener l;
    std::vector<RecordedResult> results = ws.composeAll(&l);
    std::set<std::string> found;
    for (std::size_t i = 0; i < results.size(); ++i) {
      EXPECT_EQ(results[i].number, static_cast<int>(i) + 1);
      EXPECT_EQ(results[i].name, "grid" + std::to_string(i + 1) + ".C_W");
      found.insert(resultBoard(results[i].bytes, layoutOf(c)));
    }
    std::set<std::string> expected = bruteForceFills(layoutOf(c), c.words);
    EXPECT_EQ(found.size(), results.size()) << "a fill was written twice";
    EXPECT_EQ(found, expected);
    EXPECT_GT(expected.size(), 0u);
  }
}

TEST(Search, TwoSlotLayoutWritesOneResultPerFittingPairThenEndsExhausted) {
  Workspace ws("#A#\nB.C\n#D#\n", {"BAC", "BOC", "BUC", "AOD", "AUD", "AXD"});
  RecordingListener l;
  std::vector<RecordedResult> results = ws.composeAll(&l);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].bytes.substr(7, 9), " A BOC D ");
  EXPECT_EQ(results[1].bytes.substr(7, 9), " A BUC D ");
  using S = ComposerSound;
  EXPECT_EQ(l.sounds, (std::vector<S>{S::Started, S::ResultWritten, S::ResultWritten, S::Exhausted}));
  EXPECT_EQ(l.outcomes, (std::vector<ComposeOutcome>{ComposeOutcome::Exhausted}));
  EXPECT_TRUE(l.messages.empty());
}

TEST(Search, EveryCandidateAfterABackUpIsTried) {
  // Position 1 is the across word; its first candidate fails at the second slot level, and the
  // very next candidate (not the one after it) is the only one that completes.
  Workspace ws("..\n..\n", {"AA", "AB", "BA", "BB", "CA"});
  std::set<std::string> expected =
      bruteForceFills(parseTextLayout("..\n..\n", Language::English), {"AA", "AB", "BA", "BB", "CA"});
  std::set<std::string> found;
  for (const RecordedResult& r : ws.composeAll()) found.insert(r.bytes.substr(7, 4));
  EXPECT_EQ(found, expected);
}

TEST(Search, OneCellSlotWithoutOneLetterWordsIsNeverFilled) {
  Workspace ws("#.#\n...\n#.#\n", {"ABC", "BAB"});
  RecordingListener l;
  EXPECT_TRUE(ws.composeAll(&l).empty());
  EXPECT_TRUE(l.messages.empty());  // not rejected by ordering
  EXPECT_EQ(l.sounds.back(), ComposerSound::Exhausted);
}

TEST(Search, ANewSearchNumbersAfterTheResultsOfItsLayoutAndOverwritesNothing) {
  Workspace ws = workspaceOf(0);
  Session s(ws);
  s.openAndStart(ws);
  runToEnd(s.composer);
  const int first = static_cast<int>(s.listener.results.size());
  ASSERT_GT(first, 1);
  // The author clued result 1 since: a second search keeps it and numbers on. The last
  // result is empty, as a power cut leaves one whose content had not reached the disk: its
  // number is free again.
  writeFileAtomically(ws.results / "grid1.C_W", "clued");
  const fs::path emptied = ws.results / ("grid" + std::to_string(first) + ".C_W");
  writeFileAtomically(emptied, "");
  s.composer.start();
  runToEnd(s.composer);
  ASSERT_EQ(s.listener.results.size(), 2u * first);
  EXPECT_EQ(s.composer.resultCount(), first);  // "R:" counts this search's results
  EXPECT_EQ(s.listener.results[first].number, first);
  EXPECT_EQ(s.listener.results[first].bytes, s.listener.results[0].bytes);
  EXPECT_EQ(readWholeFile(ws.results / "grid1.C_W"), "clued");
  EXPECT_EQ(readWholeFile(emptied), s.listener.results[0].bytes);
}

// A stopped search resumed after another writer took its next name: a file of other bytes
// moves the numbering on (and the state file keeps it); the search's own bytes, left by a
// run killed after writing them, count as written; an empty file, left by a power cut
// before the content reached the disk, is written again.
TEST(Search, AResumedSearchSkipsNamesTakenByOtherFiles) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.composeAll();
  ASSERT_GE(baseline.size(), 3u);
  const struct {
    const char* what;
    std::string bytes;
    int shift;
  } cases[] = {
      {"other bytes", "foreign", 1}, {"the search's own bytes", baseline[1].bytes, 0}, {"empty", "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int shift = c.shift;
    ws.clearResults();
    auto s = std::make_unique<Session>(ws);
    s->session.open(ws.pattern);
    s->listener.onResult = [&] { s->composer.stop(); };
    s->composer.start();
    runToEnd(s->composer);
    ASSERT_EQ(s->state(), ComposingState::Stopped);
    writeFileAtomically(ws.results / "grid2.C_W", c.bytes);
    s = std::make_unique<Session>(ws);
    s->session.open(ws.pattern);
    s->listener.onResult = [&] { s->composer.stop(); };
    s->composer.resume();
    runToEnd(s->composer);
    ASSERT_EQ(s->listener.results.size(), 1u);
    EXPECT_EQ(s->listener.results[0].number, 2 + shift);
    EXPECT_EQ(s->listener.results[0].bytes, baseline[1].bytes);
    EXPECT_EQ(readStateFile(s->session.stateFile(), s->session.layout()).numberBase, shift);
    s->listener.onResult = nullptr;
    s->composer.start();
    runToEnd(s->composer);
    EXPECT_EQ(s->listener.results.back().number, static_cast<int>(baseline.size()) + shift);
    EXPECT_EQ(readWholeFile(ws.results / "grid2.C_W"), shift ? c.bytes : baseline[1].bytes);
  }
}

TEST(Search, TheAuthorsLayoutIsNotTouchedWhileTheSearchFillsItsOwnBoard) {
  Workspace ws = workspaceOf(4);
  Session s(ws);
  s.session.open(ws.pattern);
  const Layout authored = s.session.layout();
  s.composer.start();
  s.composer.run(RunBudget::forSteps(40));
  ASSERT_EQ(s.state(), ComposingState::Running);
  EXPECT_EQ(s.session.layout(), authored);
  EXPECT_NE(s.composer.shownLayout().board, authored.board);
  runToEnd(s.composer);
  EXPECT_EQ(s.composer.shownLayout(), authored);  // exhausted: the layout as drawn again
}

// The number of steps of an uninterrupted search (the last one finds it exhausted).
long countSteps(const Workspace& ws) {
  Session s(ws);
  s.openAndStart(ws);
  long steps = 0;
  while (s.state() == ComposingState::Running) {
    s.composer.run(RunBudget::forSteps(1));
    ++steps;
  }
  return steps;
}

constexpr long kNever = -1;

// Runs the search to its end, stopping it between run() calls after `first` steps (kNever: never;
// 0: before the first step) and then after every `every` steps (kNever: never), and resuming it
// each time, either in the same composer or by opening the layout again ("Continue?" answered Yes).
std::vector<RecordedResult> composeWithStops(const Workspace& ws, long first, long every, bool reopen,
                                             int* stops = nullptr) {
  ws.clearResults();
  std::vector<RecordedResult> all;
  auto s = std::make_unique<Session>(ws);
  s->openAndStart(ws);
  int n = 0;
  long next = first != kNever ? first : every;
  while (s->state() != ComposingState::Editable) {
    if (s->state() == ComposingState::Running) {
      if (next == kNever) {
        runToEnd(s->composer);
        continue;
      }
      if (next > 0) s->composer.run(RunBudget::forSteps(static_cast<std::uint64_t>(next)));
      next = every;
      s->composer.stop();
      continue;
    }
    // Stopped.
    if (++n > 100000) break;
    EXPECT_TRUE(fs::exists(s->session.stateFile()));
    if (reopen) {
      all.insert(all.end(), s->listener.results.begin(), s->listener.results.end());
      s = std::make_unique<Session>(ws);
      s->session.open(ws.pattern);
      EXPECT_TRUE(s->session.hasSavedSearch());
      s->composer.resume();
    } else {
      s->composer.start();
    }
  }
  all.insert(all.end(), s->listener.results.begin(), s->listener.results.end());
  EXPECT_FALSE(fs::exists(s->session.stateFile()));
  if (stops) *stops = n;
  return all;
}

TEST(StopAndResume, StoppingAfterAnyStepLosesAndRepeatsNothing) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    std::vector<RecordedResult> baseline = ws.composeAll();
    const long steps = countSteps(ws);
    const long stride = std::max(1L, steps / 120);
    for (long k = 0; k <= steps; k += stride) {
      SCOPED_TRACE("stop after step " + std::to_string(k));
      int stops = 0;
      ASSERT_EQ(composeWithStops(ws, k, kNever, false, &stops), baseline);
      EXPECT_EQ(stops, k < steps ? 1 : 0);
    }
  }
}

TEST(StopAndResume, StoppingAfterEveryStepOrEveryFewGivesTheSameFiles) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    std::vector<RecordedResult> baseline = ws.composeAll();
    for (long every : {1L, 3L, 4L, 7L, 29L}) {
      SCOPED_TRACE("stop every " + std::to_string(every));
      EXPECT_EQ(composeWithStops(ws, kNever, every, false), baseline);
      EXPECT_EQ(composeWithStops(ws, kNever, every, true), baseline);
    }
  }
}

TEST(StopAndResume, ReopeningAfterAStopAtEachStepResumesExactly) {
  Workspace ws = workspaceOf(2);
  std::vector<RecordedResult> baseline = ws.composeAll();
  const long steps = countSteps(ws);
  for (long k = 0; k <= steps; k += 2) {
    SCOPED_TRACE("stop after step " + std::to_string(k));
    ASSERT_EQ(composeWithStops(ws, k, kNever, true), baseline);
  }
}

// One part of the search, stopped every `every` steps and reopened from its state file.
std::vector<RecordedResult> composePart(const Workspace& ws, SearchPart part, long every) {
  std::vector<RecordedResult> all;
  bool fresh = true;
  for (int reopened = 0; reopened < 100000; ++reopened) {
    Session s(ws);
    s.session.setSearchTag(part.tag());
    s.composer.setPart(part);
    s.session.open(ws.pattern);
    if (fresh)
      s.composer.start();
    else
      s.composer.resume();
    fresh = false;
    if (s.state() == ComposingState::Running)
      s.composer.run(RunBudget::forSteps(static_cast<std::uint64_t>(every)));
    s.composer.stop();
    all.insert(all.end(), s.listener.results.begin(), s.listener.results.end());
    if (s.state() == ComposingState::Editable) break;
    EXPECT_TRUE(fs::exists(ws.dir / ("grid" + part.tag() + ".TMP")));
  }
  return all;
}

TEST(Parts, PartsTogetherWriteTheWholeSearchsFillsInItsOrderThroughStops) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    std::vector<std::string> whole;
    for (const RecordedResult& r : ws.composeAll()) whole.push_back(r.bytes);
    // Reopening costs a dictionary load: stops inside parts are checked for one split only.
    for (auto [n, every] : {std::pair{1, 1000000L}, {2, 1000000L}, {3, 7L}, {5, 1000000L}}) {
      SCOPED_TRACE(std::to_string(n) + " parts, stopped every " + std::to_string(every) + " steps");
      std::vector<std::string> joined;
      for (int k = 1; k <= n; ++k) {
        const SearchPart part{k, n};
        std::vector<RecordedResult> results = composePart(ws, part, every);
        for (std::size_t i = 0; i < results.size(); ++i) {
          EXPECT_EQ(results[i].name, "grid" + part.tag() + std::to_string(i + 1) + ".C_W");
          joined.push_back(results[i].bytes);
        }
      }
      EXPECT_EQ(joined, whole);
    }
  }
}

TEST(StopAndResume, AStopFromInsideTheSearchTakesEffectAtTheEndOfItsStep) {
  // As gridwright-compose stops at --max-results: from the result notification.
  Workspace ws = workspaceOf(4);
  const std::vector<RecordedResult> baseline = ws.baseline();
  ASSERT_GT(baseline.size(), 2u);
  Session s(ws);
  s.listener.onResult = [&] { s.composer.stop(); };
  s.openAndStart(ws);
  int runs = 0;
  while (s.state() != ComposingState::Editable && runs < 10000) {
    if (s.state() == ComposingState::Stopped) s.composer.start();
    const ComposingState after = s.composer.run(RunBudget::unlimited());
    EXPECT_EQ(after, s.state());
    ++runs;
    if (s.state() == ComposingState::Stopped) {
      EXPECT_EQ(s.listener.results.size(), static_cast<std::size_t>(s.composer.resultCount()));
    }
  }
  EXPECT_EQ(s.listener.results, baseline);
  EXPECT_EQ(runs, static_cast<int>(baseline.size()) + 1);  // one stop per result, then exhausted
}

TEST(StopAndResume, TimeSlicesGiveTheSameFilesAsOneRun) {
  Workspace ws = workspaceOf(4);
  const std::vector<RecordedResult> baseline = ws.baseline();
  Session s(ws);
  s.openAndStart(ws);
  runToEnd(s.composer, RunBudget::forTime(std::chrono::milliseconds(1)));
  EXPECT_EQ(s.listener.results, baseline);
}

TEST(StopAndResume, StoppedSearchShowsBestPartialFillAndKeepsCounters) {
  Workspace ws = workspaceOf(4);
  Session s(ws);
  s.openAndStart(ws);
  s.composer.run(RunBudget::forSteps(25));
  s.composer.stop();
  ASSERT_EQ(s.state(), ComposingState::Stopped);
  EXPECT_FALSE(s.session.canEdit());
  EXPECT_GT(s.listener.bestFillChanges, 0);
  EXPECT_GE(s.composer.deepestDepth(), s.composer.depth());
  EXPECT_EQ(s.listener.lastCounters, s.composer.counters());
  EXPECT_EQ(s.listener.outcomes, (std::vector<ComposeOutcome>{ComposeOutcome::Stopped}));
  // The board shown is the author's board plus the best partial fill's words.
  ComposingBoard expected = s.session.layout().board;
  ASSERT_FALSE(s.composer.bestPartialFill().empty());
  for (std::size_t k = 0; k < s.composer.bestPartialFill().size(); ++k)
    placeWord(expected, s.composer.slots()[k], s.composer.bestPartialFill()[k]);
  EXPECT_EQ(s.composer.shownLayout().board, expected);
  SearchState saved = readStateFile(s.session.stateFile(), readPatternFile(ws.pattern));
  EXPECT_EQ(saved.depth, s.composer.depth());
  EXPECT_EQ(saved.resultCount, s.composer.resultCount());
}

TEST(Lifecycle, StateFollowsEditableRunningStoppedAndBack) {
  Workspace ws = workspaceOf(0);
  Session s(ws);
  auto& l = s.listener;
  using St = ComposingState;
  EXPECT_EQ(s.state(), St::Closed);
  s.session.open(ws.pattern);
  EXPECT_TRUE(s.session.canEdit());
  s.composer.start();
  s.composer.run(RunBudget::forSteps(3));
  EXPECT_EQ(s.state(), St::Running);
  s.composer.start();  // already running: nothing happens
  s.composer.stop();
  EXPECT_EQ(l.states, (std::vector<St>{St::Editable, St::Running, St::Stopped}));
  EXPECT_EQ(l.sounds, (std::vector<ComposerSound>{ComposerSound::Started}));
  s.composer.stop();                                               // nothing runs: no change
  EXPECT_EQ(s.composer.run(RunBudget::unlimited()), St::Stopped);  // nor does run()
  EXPECT_EQ(l.outcomes.size(), 1u);
  s.composer.start();  // resumes and runs out
  runToEnd(s.composer);
  EXPECT_EQ(l.states.back(), St::Editable);
  EXPECT_TRUE(s.session.canEdit());
  EXPECT_EQ(l.sounds.back(), ComposerSound::Exhausted);
  s.session.close();
  EXPECT_EQ(l.states.back(), St::Closed);
  s.composer.start();  // no layout: nothing happens
  EXPECT_EQ(s.state(), St::Closed);
}

TEST(Lifecycle, LayoutCallsWaitForARunningSearchAndDiscardAStoppedOne) {
  Workspace ws = workspaceOf(0);
  Session s(ws);
  s.openAndStart(ws);
  s.composer.run(RunBudget::forSteps(10));
  ASSERT_EQ(s.state(), ComposingState::Running);
  s.session.close();
  s.session.newLayout(3, 3, Language::English);
  s.session.open(ws.pattern);
  EXPECT_EQ(s.state(), ComposingState::Running);
  EXPECT_FALSE(s.session.setIsle(0, 0));  // no edits while a search exists
  s.composer.stop();
  EXPECT_FALSE(s.session.toggleCell(0, 0));
  s.session.open(ws.pattern);  // reopening drops the stopped search; its file stays
  EXPECT_EQ(s.state(), ComposingState::Editable);
  EXPECT_EQ(s.composer.counters(), ComposerCounters{});
  EXPECT_TRUE(s.composer.slots().empty());
  EXPECT_TRUE(s.session.hasSavedSearch());
  EXPECT_TRUE(s.session.setIsle(0, 0));
}

TEST(Failures, NoWordsThenEditAndStartAgain) {
  Workspace ws("AB\nCD\n", {"AB", "CD", "AC", "BD", "XY"});
  Session s(ws);
  auto& l = s.listener;
  s.session.open(ws.pattern);
  EXPECT_TRUE(s.composer.proposedOrder().empty());
  s.composer.start();
  EXPECT_EQ(l.messages, (std::vector<std::string>{"No words"}));
  EXPECT_EQ(l.outcomes, (std::vector<ComposeOutcome>{ComposeOutcome::NoWords}));
  EXPECT_FALSE(fs::exists(s.session.stateFile()));
  ASSERT_TRUE(s.session.canEdit());
  EXPECT_TRUE(s.session.clearCell(1, 1));
  s.composer.start();
  runToEnd(s.composer);
  EXPECT_EQ(l.messages.size(), 1u);
  ASSERT_EQ(l.results.size(), 1u);
  EXPECT_EQ(l.results[0].bytes.substr(7, 4), "ABCD");
  EXPECT_TRUE(s.session.canEdit());
}

TEST(Failures, NoSolutionPossibleThenEditAndStartAgain) {
  Workspace ws("Q..\n...\n", {"ABC", "AB", "BA"});
  Session s(ws);
  auto& l = s.listener;
  s.session.open(ws.pattern);
  EXPECT_TRUE(s.composer.proposedOrder().empty());  // no word order dialog
  s.composer.start();
  EXPECT_EQ(l.messages, (std::vector<std::string>{"No solution possible!"}));
  EXPECT_EQ(l.outcomes, (std::vector<ComposeOutcome>{ComposeOutcome::NoSolution}));
  EXPECT_NE(s.state(), ComposingState::Running);
  ASSERT_TRUE(s.session.canEdit());
  EXPECT_TRUE(s.session.putLetter(0, 0, 'a'));
  EXPECT_FALSE(s.composer.proposedOrder().empty());
  s.composer.start();
  runToEnd(s.composer);
  EXPECT_EQ(l.messages.size(), 1u);
  EXPECT_EQ(s.state(), ComposingState::Editable);
  EXPECT_EQ(l.sounds.back(), ComposerSound::Exhausted);
}

TEST(Failures, MissingWordFileMeansNoSolutionPossibleAndSaysSo) {
  Workspace ws("...\n...\n", {});
  ComposingFiles files = ws.files();
  files.wordFile = [absent = ws.dir / "absent.words"](Language) { return absent; };
  Dictionary d;
  RecordingListener l;
  LayoutSession session(d, files, &l);
  Composer composer(session, l);
  session.open(ws.pattern);
  composer.start();
  EXPECT_EQ(l.messages, (std::vector<std::string>{"No solution possible!\nThe word list \"" +
                                                  (ws.dir / "absent.words").string() + "\" is missing."}));
}

TEST(Failures, UnwritableResultStopsTheSearchAndResumesWithTheSameFile) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.baseline();
  writeText(ws.dir / "notAFolder", "x");
  Session s(ws);
  auto& l = s.listener;
  s.session.setResultsFolder(ws.dir / "notAFolder");
  s.openAndStart(ws);
  runToEnd(s.composer);
  ASSERT_EQ(l.messages.size(), 1u);
  EXPECT_NE(l.messages[0].find("Cannot create"), std::string::npos) << l.messages[0];
  EXPECT_NE(l.messages[0].find("grid1.C_W"), std::string::npos) << l.messages[0];
  EXPECT_NE(l.messages[0].find("Composing has been stopped."), std::string::npos) << l.messages[0];
  EXPECT_EQ(l.outcomes, (std::vector<ComposeOutcome>{ComposeOutcome::Stopped}));
  EXPECT_EQ(s.state(), ComposingState::Stopped);
  EXPECT_EQ(s.composer.resultCount(), 0);
  EXPECT_TRUE(l.results.empty());
  EXPECT_TRUE(fs::exists(s.session.stateFile()));
  // With the folder fixed, resuming writes every result, the first one included.
  s.session.setResultsFolder(ws.results);
  s.composer.start();
  runToEnd(s.composer);
  EXPECT_EQ(l.results, baseline);
}

TEST(Failures, UnwritableStateFileIsReportedAndTheSearchResumesFromMemory) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.baseline();
  Session s(ws);
  s.openAndStart(ws);
  s.composer.run(RunBudget::forSteps(30));
  fs::create_directories(s.session.stateFile());  // a folder where the file would go
  s.composer.stop();
  ASSERT_EQ(s.listener.messages.size(), 1u);
  EXPECT_EQ(s.state(), ComposingState::Stopped);
  fs::remove_all(s.session.stateFile());
  s.composer.start();
  runToEnd(s.composer);
  EXPECT_EQ(s.listener.results, baseline);
}

// A search of the layout started and stopped after `steps` steps, its state file left behind.
void leaveStoppedSearch(const Workspace& ws, std::uint64_t steps = 0) {
  Session s(ws);
  s.openAndStart(ws);
  if (steps > 0) s.composer.run(RunBudget::forSteps(steps));
  s.composer.stop();
}

// The state file of the layout's stopped search.
SearchState savedState(const Workspace& ws) {
  return readStateFile(stateFileFor(ws.pattern), readPatternFile(ws.pattern));
}

// Opens the layout in `s` and runs its resumed search to the end.
void resumeToEnd(Session& s, const Workspace& ws) {
  s.session.open(ws.pattern);
  s.composer.resume();
  runToEnd(s.composer);
}

TEST(Resume, StateOfDepthOneOrZeroIsHandledSoundly) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.baseline();
  ASSERT_GT(baseline.size(), 0u);

  // Stopped before the first step: depth 1, nothing tried yet.
  leaveStoppedSearch(ws);
  const SearchState st = savedState(ws);
  EXPECT_EQ(st.depth, 1);
  EXPECT_EQ(st.slots[0].candidateIndex, -1);

  // Depth 1 with its candidates used up: the search is over at once.
  SearchState done = st;
  done.slots[0].candidateIndex = done.slots[0].candidateCount();
  writeStateFile(stateFileFor(ws.pattern), done);
  {
    Session s(ws);
    resumeToEnd(s, ws);
    EXPECT_TRUE(s.listener.results.empty());
    EXPECT_EQ(s.state(), ComposingState::Editable);
    EXPECT_EQ(s.listener.sounds.back(), ComposerSound::Exhausted);
    EXPECT_FALSE(fs::exists(stateFileFor(ws.pattern)));
  }

  // Depth 0 with results already counted: the search runs from its first slot, numbering on.
  SearchState fresh = st;
  fresh.depth = 0;
  fresh.resultCount = 5;
  writeStateFile(stateFileFor(ws.pattern), fresh);
  {
    Session s(ws);
    resumeToEnd(s, ws);
    ASSERT_EQ(s.listener.results.size(), baseline.size());
    EXPECT_EQ(s.listener.results[0].number, 6);
    EXPECT_EQ(s.listener.results[0].bytes, baseline[0].bytes);
  }
}

// The last result number is used and the search stops before the next result, which would
// have none: no overflow, no file with a negative number.
TEST(Resume, ResultNumbersStopAtTheLargestOne) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.baseline();
  ASSERT_GE(baseline.size(), 2u);
  leaveStoppedSearch(ws);
  SearchState st = savedState(ws);
  st.resultCount = std::numeric_limits<int>::max() - 1;
  writeStateFile(stateFileFor(ws.pattern), st);
  Session s(ws);
  resumeToEnd(s, ws);
  ASSERT_EQ(s.listener.results.size(), 1u);
  EXPECT_EQ(s.listener.results[0].number, std::numeric_limits<int>::max());
  EXPECT_EQ(s.state(), ComposingState::Stopped);
  ASSERT_FALSE(s.listener.messages.empty());
  EXPECT_NE(s.listener.messages.back().find("last result number"), std::string::npos);
  EXPECT_EQ(s.composer.resultCount(), std::numeric_limits<int>::max());
}

// Two composers on one layout would mix their result and state files: the second is refused
// while a search of the first exists (running or stopped), and may go once it has ended.
TEST(Lifecycle, OneSearchPerLayoutAtATime) {
  Workspace ws = workspaceOf(0);
  Session first(ws), second(ws);
  first.session.open(ws.pattern);
  second.session.open(ws.pattern);
  first.composer.start();
  ASSERT_EQ(first.state(), ComposingState::Running);
  try {
    second.composer.start();
    ADD_FAILURE() << "a second search started";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Another composer is working on the layout"), std::string::npos);
  }
  EXPECT_EQ(second.state(), ComposingState::Editable);
  first.composer.stop();
  EXPECT_THROW(second.composer.resume(), FileError);  // the stopped search still owns its state file
  EXPECT_EQ(second.state(), ComposingState::Editable);
  first.composer.start();  // resumes the stopped one
  runToEnd(first.composer);
  EXPECT_EQ(first.state(), ComposingState::Editable);
  EXPECT_FALSE(fs::exists(ws.dir / "grid.LCK"));
  second.composer.start();
  runToEnd(second.composer);
  EXPECT_EQ(second.listener.results.size(), first.listener.results.size());
}

TEST(Resume, ContinueAnsweredNoLeavesTheStateFileUntilAFreshSearchEnds) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.baseline();
  leaveStoppedSearch(ws, 10);
  Session s(ws);
  s.session.open(ws.pattern);
  EXPECT_TRUE(s.session.hasSavedSearch());
  EXPECT_TRUE(s.session.canEdit());
  EXPECT_TRUE(fs::exists(s.session.stateFile()));
  // A fresh search, numbered after the stopped one's results, which stay.
  const int kept =
      static_cast<int>(std::distance(fs::directory_iterator(ws.results), fs::directory_iterator()));
  ASSERT_GT(kept, 0);
  s.composer.start();
  runToEnd(s.composer);
  ASSERT_EQ(s.listener.results.size(), baseline.size());
  for (std::size_t i = 0; i < baseline.size(); ++i) {
    EXPECT_EQ(s.listener.results[i].number, kept + static_cast<int>(i) + 1);
    EXPECT_EQ(s.listener.results[i].bytes, baseline[i].bytes);
  }
  EXPECT_FALSE(s.session.hasSavedSearch());
}

TEST(Resume, DamagedStateFileIsReportedAndTheLayoutStaysEditable) {
  Workspace ws = workspaceOf(0);
  writeText(stateFileFor(ws.pattern), std::string("\x01\0\0\0\x09\0\0\0", 8));
  Session s(ws);
  s.session.open(ws.pattern);
  try {
    s.composer.resume();
    ADD_FAILURE() << "a damaged state file was accepted";
  } catch (const FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("state file ends early"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(s.session.canEdit());
  EXPECT_TRUE(fs::exists(stateFileFor(ws.pattern)));
  EXPECT_TRUE(s.listener.results.empty());
  EXPECT_TRUE(s.listener.sounds.empty());
}

// A stopped search resumes only on the layout it was made on: the same slots with fewer, more
// or other fixed letters are refused, and the state file stays.
TEST(Resume, AStateOfTheSameSlotsWithOtherFixedLettersIsRefused) {
  const Case c = cases()[2];  // "A..#\n...B\n#...\n"
  struct Change {
    const char* name;
    const char* layout;
    bool accepted;
  };
  for (const Change& change :
       {Change{"unchanged", "A..#\n...B\n#...\n", true}, Change{"fewer", "...#\n...B\n#...\n", false},
        Change{"fewer at the end", "A..#\n....\n#...\n", false},
        Change{"other", "C..#\n...B\n#...\n", false}}) {
    SCOPED_TRACE(change.name);
    Workspace ws(c.layout, c.words);
    {
      Session s(ws);
      s.session.open(ws.pattern);
      s.listener.onResult = [&] { s.composer.stop(); };  // every position placed
      s.composer.start();
      runToEnd(s.composer);
      ASSERT_EQ(s.state(), ComposingState::Stopped);
    }
    writePatternFile(ws.pattern, parseTextLayout(change.layout, Language::English));
    Session s(ws);
    s.session.open(ws.pattern);
    if (change.accepted) {
      s.composer.resume();
      EXPECT_EQ(s.state(), ComposingState::Running);
      continue;
    }
    try {
      s.composer.resume();
      ADD_FAILURE() << "the state of another layout was accepted";
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find("disagree with the layout's fixed letters"), std::string::npos)
          << e.what();
    }
    EXPECT_TRUE(s.session.canEdit());
    EXPECT_TRUE(fs::exists(stateFileFor(ws.pattern)));
  }
}

TEST(Layouts, NewLayoutNeedsAFileNameBeforeComposing) {
  Workspace ws = workspaceOf(0);
  Session s(ws);
  s.session.newLayout(3, 3, Language::English);
  EXPECT_EQ(s.session.layout().rows, 3);
  EXPECT_EQ(s.session.layout().columns, 3);
  EXPECT_THROW(s.composer.start(), std::logic_error);  // the caller asks for a name first
  EXPECT_EQ(s.state(), ComposingState::Editable);
  s.session.saveAs(ws.dir / "new.C_WM");
  s.composer.start();
  runToEnd(s.composer);
  EXPECT_EQ(readWholeFile(ws.dir / "new.C_WM").size(), kPatternFileSize);
  ASSERT_FALSE(s.listener.results.empty());
  EXPECT_EQ(s.listener.results[0].name, "new1.C_W");
}

TEST(Layouts, AFreshStartSavesTheLayoutAndAFailedSaveStartsNothing) {
  Workspace ws = workspaceOf(0);
  Session s(ws);
  s.session.open(ws.pattern);
  ASSERT_TRUE(s.session.setIsle(0, 0));
  fs::remove(ws.pattern);
  fs::create_directories(ws.pattern / "blocker");  // the pattern file's name is now a folder
  EXPECT_THROW(s.composer.start(), FileError);
  EXPECT_EQ(s.state(), ComposingState::Editable);
  EXPECT_TRUE(s.listener.sounds.empty());
  fs::remove_all(ws.pattern);
  s.composer.start();
  EXPECT_EQ(readPatternFile(ws.pattern), s.session.layout());
}

TEST(WordOrder, TheAuthorsOrderIsUsedAndANonPermutationIgnored) {
  Workspace ws = workspaceOf(0);
  const std::vector<RecordedResult> baseline = ws.baseline();
  // Reversed; a list that is no permutation (kept as computed); unchanged; none given.
  const std::vector<std::vector<int>> answers{{6, 5, 4, 3, 2, 1}, {1, 1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}, {}};
  for (std::size_t answer = 0; answer < answers.size(); ++answer) {
    const bool valid = answer == 0;
    Session s(ws);
    s.session.open(ws.pattern);
    std::vector<Slot> shown = s.composer.proposedOrder();
    ASSERT_EQ(shown.size(), 6u);
    s.composer.start(answers[answer]);
    for (int p = 0; p < 6; ++p) {
      const Slot& expected = shown[static_cast<std::size_t>(valid ? 5 - p : p)];
      EXPECT_TRUE(s.composer.slots()[static_cast<std::size_t>(p)].samePlace(expected));
    }
    runToEnd(s.composer);
    std::multiset<std::string> a, b;
    for (const RecordedResult& r : s.listener.results) a.insert(r.bytes);
    for (const RecordedResult& r : baseline) b.insert(r.bytes);
    EXPECT_EQ(a, b);
  }
}

}  // namespace
}  // namespace gw
