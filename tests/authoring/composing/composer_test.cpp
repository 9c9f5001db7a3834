#include "authoring/composing/composer.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

struct Case {
  std::string name;
  std::string layout;
  std::vector<std::string> words;
};

// Small layouts with word lists that make the search back up often.
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<Case> cases() {
  return {
      {"open3x3", "...\n...\n...\n", randomWords("ABC", {3}, 0.45, 1)},
      {"fourByFour", "#...\n....\n....\n...#\n", randomWords("AB", {3, 4}, 0.6, 2)},
      {"fixedLetters", "A..#\n...B\n#...\n", randomWords("ABC", {2, 3, 4}, 0.5, 3)},
      {"oneCellSlots", "#.#\n...\n#.#\n", std::vector<std::string>{"A", "C"} + randomWords("ABC", {3}, 0.5, 4)},
      {"fourByFive", "....\n.#..\n....\n..#.\n....\n", randomWords("AB", {1, 2, 3, 4, 5}, 0.7, 5)},
  };
}

Layout layoutOf(const Case& c) { return parseTextLayout(c.layout, Language::English); }

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
  EXPECT_EQ(l.sounds, (std::vector<int>{1, 2, 2, 3}));
  EXPECT_TRUE(l.messages.empty());
}

TEST(Search, EveryCandidateAfterABackUpIsTried) {
  // Position 1 is the across word; its first candidate fails at the second slot level, and the
  // very next candidate (not the one after it) is the only one that completes.
  Workspace ws("..\n..\n", {"AA", "AB", "BA", "BB", "CA"});
  std::set<std::string> expected = bruteForceFills(parseTextLayout("..\n..\n", Language::English),
                                                   {"AA", "AB", "BA", "BB", "CA"});
  std::set<std::string> found;
  for (const RecordedResult& r : ws.composeAll()) found.insert(r.bytes.substr(7, 4));
  EXPECT_EQ(found, expected);
}

TEST(Search, OneCellSlotWithoutOneLetterWordsIsNeverFilled) {
  Workspace ws("#.#\n...\n#.#\n", {"ABC", "BAB"});
  RecordingListener l;
  EXPECT_TRUE(ws.composeAll(&l).empty());
  EXPECT_TRUE(l.messages.empty());  // not rejected by ordering
  EXPECT_EQ(l.sounds.back(), 3);
}

TEST(Search, ResultNumbersRestartAfterAnExhaustedSearchAndOverwrite) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  composer.openLayout(ws.pattern);
  composer.start();
  std::size_t first = l.results.size();
  ASSERT_GT(first, 1u);
  composer.start();
  ASSERT_EQ(l.results.size(), 2 * first);
  EXPECT_EQ(l.results[first].number, 1);
  EXPECT_EQ(l.results[first], l.results[0]);
}

// Runs the search to its end, stopping it through `arrange` and resuming it each time,
// either in the same composer or by opening the layout again ("Continue?" answered Yes).
std::vector<RecordedResult> composeWithStops(const Workspace& ws, long stopAt, long stopEvery, bool reopen,
                                             int* stops = nullptr) {
  std::vector<RecordedResult> all;
  Dictionary d;
  auto l = std::make_unique<RecordingListener>();
  auto composer = std::make_unique<Composer>(d, *l);
  l->composer = composer.get();
  l->stopAtPump = stopAt;
  l->stopEveryPump = stopEvery;
  ws.setUp(*composer);
  composer->openLayout(ws.pattern);
  composer->start();
  int n = 0;
  while (composer->paused()) {
    if (++n > 100000) break;
    EXPECT_TRUE(fs::exists(composer->stateFile()));
    if (reopen) {
      all.insert(all.end(), l->results.begin(), l->results.end());
      auto next = std::make_unique<RecordingListener>();
      next->stopEveryPump = stopEvery;
      composer = std::make_unique<Composer>(d, *next);
      next->composer = composer.get();
      l = std::move(next);
      ws.setUp(*composer);
      EXPECT_EQ(composer->openLayout(ws.pattern), OpenResult::Continued);
    } else {
      composer->start();
    }
  }
  all.insert(all.end(), l->results.begin(), l->results.end());
  EXPECT_FALSE(fs::exists(composer->stateFile()));
  if (stops) *stops = n;
  return all;
}

TEST(StopAndResume, StoppingAtAnyPumpLosesAndRepeatsNothing) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    RecordingListener counting;
    std::vector<RecordedResult> baseline = ws.composeAll(&counting);
    const long pumps = counting.pumps;
    const long stride = std::max(1L, pumps / 120);
    for (long k = 1; k <= pumps + 1; k += stride) {
      SCOPED_TRACE("stop at pump " + std::to_string(k));
      int stops = 0;
      ASSERT_EQ(composeWithStops(ws, k, 0, false, &stops), baseline);
      if (k < pumps) {
        EXPECT_EQ(stops, 1);
      }
    }
  }
}

TEST(StopAndResume, ManyStopsInOneSearchGiveTheSameFiles) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    std::vector<RecordedResult> baseline = ws.composeAll();
    for (long every : {3L, 4L, 7L, 29L}) {
      SCOPED_TRACE("stop every " + std::to_string(every));
      EXPECT_EQ(composeWithStops(ws, 0, every, false), baseline);
      EXPECT_EQ(composeWithStops(ws, 0, every, true), baseline);
    }
  }
}

TEST(StopAndResume, ReopeningAfterAStopAtEachPointResumesExactly) {
  const Case c = cases()[2];
  Workspace ws(c.layout, c.words);
  RecordingListener counting;
  std::vector<RecordedResult> baseline = ws.composeAll(&counting);
  for (long k = 1; k <= counting.pumps; k += 3) {
    SCOPED_TRACE("stop at pump " + std::to_string(k));
    ASSERT_EQ(composeWithStops(ws, k, 0, true), baseline);
  }
}

TEST(StopAndResume, StoppedSearchShowsBestPartialFillAndKeepsCounters) {
  const Case c = cases()[4];
  Workspace ws(c.layout, c.words);
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  l.stopAtPump = 40;
  composer.openLayout(ws.pattern);
  composer.start();
  ASSERT_TRUE(composer.paused());
  EXPECT_FALSE(composer.running());
  EXPECT_TRUE(composer.searchStarted());
  EXPECT_FALSE(composer.canEdit());
  EXPECT_GE(composer.deepestDepth(), composer.depth());
  EXPECT_EQ(l.lastCounters, composer.counters());
  // The board is the base board plus the best partial fill's words.
  ComposingBoard expected = composer.baseBoard();
  for (std::size_t k = 0; k < composer.bestPartialFill().size(); ++k)
    placeWord(expected, composer.slots()[k], composer.bestPartialFill()[k]);
  EXPECT_EQ(composer.layout().board, expected);
  SearchState saved = readStateFile(composer.stateFile(), readPatternFile(ws.pattern));
  EXPECT_EQ(saved.depth, composer.depth());
  EXPECT_EQ(saved.resultCount, composer.resultCount());
}

TEST(Lifecycle, FlagsFollowEditableRunningStoppedAndBack) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  composer.openLayout(ws.pattern);
  EXPECT_TRUE(composer.canEdit());
  l.flagHistory.clear();
  l.stopAtPump = 5;
  composer.start();
  using F = std::tuple<bool, bool, bool>;
  EXPECT_EQ(l.flagHistory.front(), F(true, false, false));  // running
  EXPECT_EQ(l.flagHistory.back(), F(false, true, true));    // stopped
  EXPECT_EQ(l.sounds, (std::vector<int>{1}));
  composer.stop();  // nothing runs: no change
  EXPECT_TRUE(composer.paused());
  composer.start();  // resumes and runs out
  EXPECT_EQ(l.flagHistory.back(), F(false, false, false));
  EXPECT_TRUE(composer.canEdit());
  EXPECT_EQ(l.sounds.front(), 1);
  EXPECT_EQ(l.sounds.back(), 3);
}

TEST(Failures, NoWordsThenEditAndStartAgain) {
  Workspace ws("AB\nCD\n", {"AB", "CD", "AC", "BD", "XY"});
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  composer.openLayout(ws.pattern);
  composer.start();
  EXPECT_EQ(l.messages, (std::vector<std::string>{"No words"}));
  EXPECT_FALSE(composer.running());
  EXPECT_FALSE(fs::exists(composer.stateFile()));
  ASSERT_TRUE(composer.canEdit());
  composer.layout().board.clearCell(1, 1);
  composer.start();
  EXPECT_EQ(l.messages.size(), 1u);
  ASSERT_EQ(l.results.size(), 1u);
  EXPECT_EQ(l.results[0].bytes.substr(7, 4), "ABCD");
  EXPECT_TRUE(composer.canEdit());
}

TEST(Failures, NoSolutionPossibleThenEditAndStartAgain) {
  Workspace ws("Q..\n...\n", {"ABC", "AB", "BA"});
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  composer.openLayout(ws.pattern);
  composer.start();
  EXPECT_EQ(l.messages, (std::vector<std::string>{"No solution possible!"}));
  EXPECT_FALSE(composer.running());
  EXPECT_TRUE(l.orderShown.empty());  // failed before the word order
  ASSERT_TRUE(composer.canEdit());
  composer.layout().board.putLetter(0, 0, 'A');
  composer.start();
  EXPECT_EQ(l.messages.size(), 1u);
  EXPECT_FALSE(composer.paused());
  EXPECT_EQ(l.sounds.back(), 3);
}

TEST(Failures, MissingWordFileMeansNoSolutionPossible) {
  Workspace ws("...\n...\n", {});
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  composer.setWordFile(ws.dir / "absent.words");
  composer.openLayout(ws.pattern);
  composer.start();
  EXPECT_EQ(l.messages, (std::vector<std::string>{"No solution possible!"}));
}

TEST(Failures, UnwritableResultStopsTheSearchAndResumesWithTheSameFile) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  std::vector<RecordedResult> baseline = ws.composeAll();
  writeText(ws.dir / "notAFolder", "x");
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  composer.setResultsFolder(ws.dir / "notAFolder");
  composer.openLayout(ws.pattern);
  composer.start();
  ASSERT_EQ(l.messages.size(), 1u);
  EXPECT_NE(l.messages[0].find("Cannot create"), std::string::npos) << l.messages[0];
  EXPECT_NE(l.messages[0].find("grid1.C_W"), std::string::npos) << l.messages[0];
  EXPECT_FALSE(composer.running());
  EXPECT_TRUE(composer.paused());
  EXPECT_EQ(composer.resultCount(), 0);
  EXPECT_TRUE(l.results.empty());
  EXPECT_TRUE(fs::exists(composer.stateFile()));
  // With the folder fixed, resuming writes every result, the first one included.
  composer.setResultsFolder(ws.results);
  composer.start();
  EXPECT_EQ(l.results, baseline);
}

TEST(Resume, StateOfDepthOneOrZeroIsHandledSoundly) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  RecordingListener first;
  std::vector<RecordedResult> baseline = ws.composeAll(&first);
  ASSERT_GT(baseline.size(), 0u);

  // Stopped at the very first pump: depth 1, nothing tried yet.
  {
    Session s(ws);
    auto& l = s.listener;
    auto& composer = s.composer;
    l.stopAtPump = 1;
    composer.openLayout(ws.pattern);
    composer.start();
    SearchState st = readStateFile(composer.stateFile(), composer.layout());
    EXPECT_EQ(st.depth, 1);
    EXPECT_EQ(st.slots[0].candidateIndex, -1);
  }
  SearchState st = readStateFile(stateFileFor(ws.pattern), parseTextLayout(c.layout, Language::English));

  // Depth 1 with its candidates used up: the search is over at once.
  SearchState done = st;
  done.slots[0].candidateIndex = done.slots[0].candidateCount();
  writeStateFile(stateFileFor(ws.pattern), done);
  {
    Session s(ws);
    auto& l = s.listener;
    auto& composer = s.composer;
    EXPECT_EQ(composer.openLayout(ws.pattern), OpenResult::Continued);
    EXPECT_TRUE(l.results.empty());
    EXPECT_FALSE(composer.paused());
    EXPECT_EQ(l.sounds.back(), 3);
    EXPECT_FALSE(fs::exists(stateFileFor(ws.pattern)));
  }

  // Depth 0 with results already counted: the search runs from its first slot, numbering on.
  SearchState fresh = st;
  fresh.depth = 0;
  fresh.resultCount = 5;
  writeStateFile(stateFileFor(ws.pattern), fresh);
  {
    Session s(ws);
    auto& l = s.listener;
    auto& composer = s.composer;
    composer.openLayout(ws.pattern);
    ASSERT_EQ(l.results.size(), baseline.size());
    EXPECT_EQ(l.results[0].number, 6);
    EXPECT_EQ(l.results[0].bytes, baseline[0].bytes);
  }
}

TEST(Resume, ContinueAnsweredNoStartsAfreshAndKeepsTheStateFile) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  {
    Session s(ws);
    auto& l = s.listener;
    auto& composer = s.composer;
    l.stopAtPump = 30;
    composer.openLayout(ws.pattern);
    composer.start();
  }
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  l.answerContinue = false;
  EXPECT_EQ(composer.openLayout(ws.pattern), OpenResult::Opened);
  EXPECT_TRUE(composer.canEdit());
  EXPECT_TRUE(fs::exists(composer.stateFile()));
}

TEST(Resume, DamagedStateFileIsReportedAndTheLayoutStaysEditable) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  writeText(stateFileFor(ws.pattern), std::string("\x01\0\0\0\x09\0\0\0", 8));
  Session s(ws);
  auto& l = s.listener;
  auto& composer = s.composer;
  EXPECT_EQ(composer.openLayout(ws.pattern), OpenResult::StateRejected);
  ASSERT_EQ(l.messages.size(), 1u);
  EXPECT_NE(l.messages[0].find("state file ends early"), std::string::npos);
  EXPECT_TRUE(composer.canEdit());
  EXPECT_TRUE(fs::exists(stateFileFor(ws.pattern)));
  EXPECT_TRUE(l.results.empty());
}

TEST(Layouts, DamagedPatternFileChangesNothingOpen) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  Session s(ws);
  auto& composer = s.composer;
  composer.openLayout(ws.pattern);
  Layout before = composer.layout();
  writeText(ws.dir / "bad.C_WM", "short");
  EXPECT_THROW(composer.openLayout(ws.dir / "bad.C_WM"), FormatError);
  EXPECT_THROW(composer.openLayout(ws.dir / "absent.C_WM"), FileError);
  EXPECT_EQ(composer.layout(), before);
  EXPECT_EQ(composer.patternFile(), ws.pattern);
}

TEST(Layouts, NewLayoutNeedsAFileNameBeforeComposing) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  Dictionary d;
  struct Naming : RecordingListener {
    fs::path name;
    std::optional<fs::path> choosePatternFileName() override {
      if (name.empty()) return std::nullopt;
      return name;
    }
  } l;
  Composer composer(d, l);
  ws.setUp(composer);
  composer.newLayout(3, 3, Language::English);
  EXPECT_EQ(composer.layout().rows, 3);
  EXPECT_EQ(composer.layout().columns, 3);
  composer.start();  // the author cancels the file name
  EXPECT_FALSE(composer.searchStarted());
  EXPECT_TRUE(l.results.empty());
  l.name = ws.dir / "new.C_WM";
  composer.start();
  EXPECT_EQ(readWholeFile(l.name).size(), kPatternFileSize);
  EXPECT_FALSE(l.results.empty());
  EXPECT_EQ(l.results[0].name, "new1.C_W");
}

TEST(WordOrder, TheAuthorsOrderIsUsedAndANonPermutationIgnored) {
  const Case c = cases()[0];
  Workspace ws(c.layout, c.words);
  std::vector<RecordedResult> baseline = ws.composeAll();
  // Reversed; a list that is no permutation (kept as computed); unchanged; cancelled.
  const std::vector<std::optional<std::vector<int>>> answers{
      std::vector<int>{6, 5, 4, 3, 2, 1}, std::vector<int>{1, 1, 2, 3, 4, 5},
      std::vector<int>{1, 2, 3, 4, 5, 6}, std::nullopt};
  for (std::size_t answer = 0; answer < answers.size(); ++answer) {
    const bool valid = answer == 0;
    Session s(ws);
    auto& l = s.listener;
    auto& composer = s.composer;
    l.wordOrder = answers[answer];
    composer.openLayout(ws.pattern);
    composer.start();
    ASSERT_EQ(l.orderShown.size(), 6u);
    for (int p = 0; p < 6; ++p) {
      const Slot& expected = l.orderShown[static_cast<std::size_t>(valid ? 5 - p : p)];
      EXPECT_TRUE(composer.slots()[static_cast<std::size_t>(p)].samePlace(expected));
    }
    std::multiset<std::string> a, b;
    for (const RecordedResult& r : l.results) a.insert(r.bytes);
    for (const RecordedResult& r : baseline) b.insert(r.bytes);
    EXPECT_EQ(a, b);
  }
}

}  // namespace
}  // namespace gw
