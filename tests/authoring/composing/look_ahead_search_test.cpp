// The exhaustive search with look-ahead writes the fills of the plain forward-checking
// search in its order, and resumes the state files that search wrote.
#include <gtest/gtest.h>

#include "authoring/composing/search/search_look_ahead.h"
#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

const fs::path kOldState = fs::path(GW_SOURCE_DIR) / "tests/data/old-search-state";

struct OrderCase {
  std::string name;
  std::string layout;
  std::vector<std::string> words;
};

std::vector<OrderCase> orderCases() {
  return {
      {"open3x3", "...\n...\n...\n", randomWords("ABC", {3}, 0.45, 1)},
      {"fourByFive", "....\n.#..\n....\n..#.\n....\n", randomWords("AB", {1, 2, 3, 4, 5}, 0.7, 5)},
      {"fixedLetters", "A..#\n...B\n#...\n", randomWords("ABC", {2, 3, 4}, 0.5, 3)},
      // Few fills among many dead branches: most candidates are ruled out two crossings away.
      {"deadBranches", "....\n....\n....\n", randomWords("ABC", {3, 4}, 0.3, 11)},
  };
}

// The plain search tries the candidates of each position in dictionary order, so its fills
// come in increasing order of their words' ids taken position by position.
std::vector<Dictionary::WordId> idsInFillingOrder(const std::string& bytes, const Layout& layout,
                                                  const std::vector<Slot>& order, const Dictionary& d) {
  Layout filled = layout;
  const std::string board = resultBoard(bytes, layout);
  for (int r = 0; r < layout.rows; ++r)
    for (int c = 0; c < layout.columns; ++c)
      if (layout.board.isEmpty(r, c))
        filled.board.putLetter(r, c, board[static_cast<std::size_t>(r * layout.columns + c)]);
  std::vector<Dictionary::WordId> ids;
  for (const Slot& s : order) {
    std::vector<Dictionary::WordId> found = d.findWords(wordOnBoard(filled.board, s));
    EXPECT_EQ(found.size(), 1u);
    ids.push_back(found.empty() ? 0 : found[0]);
  }
  return ids;
}

TEST(LookAheadSearch, WritesTheBruteForceFillsInThePlainSearchOrder) {
  for (const OrderCase& c : orderCases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    Session s(ws);
    s.session.open(ws.pattern);
    const std::vector<Slot> order = s.composer.proposedOrder();
    s.composer.start();
    runToEnd(s.composer);
    const std::vector<RecordedResult>& results = s.listener.results;
    const Layout layout = parseTextLayout(c.layout, Language::English);
    Dictionary d;
    d.loadLines(c.words, Language::English);

    std::set<std::string> boards;
    std::vector<Dictionary::WordId> previous;
    for (const RecordedResult& r : results) {
      boards.insert(resultBoard(r.bytes, layout));
      std::vector<Dictionary::WordId> ids = idsInFillingOrder(r.bytes, layout, order, d);
      EXPECT_LT(previous, ids) << r.name << " is out of order";
      previous = ids;
    }
    EXPECT_EQ(boards, bruteForceFills(layout, c.words));
    EXPECT_GT(results.size(), 0u);
  }
}

TEST(LookAheadSearch, NoRepeatWritesTheFillsWithoutARepeatedWordInTheSameOrder) {
  std::size_t left = 0;
  for (const OrderCase& c : orderCases()) {
    SCOPED_TRACE(c.name);
    Workspace ws(c.layout, c.words);
    const Layout layout = parseTextLayout(c.layout, Language::English);
    const std::vector<Slot> slots = deriveSlots(layout);
    std::vector<std::string> expected;
    for (const RecordedResult& r : ws.composeAll()) {
      const std::string board = resultBoard(r.bytes, layout);
      Layout filled = layout;
      for (int row = 0; row < layout.rows; ++row)
        for (int col = 0; col < layout.columns; ++col)
          filled.board.putLetter(row, col, board[static_cast<std::size_t>(row * layout.columns + col)]);
      std::set<std::string> seen;
      bool repeated = false;
      for (const Slot& s : slots)
        if (s.length >= 2 && !seen.insert(wordOnBoard(filled.board, s)).second) repeated = true;
      if (!repeated)
        expected.push_back(board);
      else
        ++left;
    }
    Session session(ws);
    session.composer.setNoRepeat(true);
    session.session.open(ws.pattern);
    session.composer.start();
    runToEnd(session.composer);
    std::vector<std::string> found;
    for (const RecordedResult& r : session.listener.results) found.push_back(resultBoard(r.bytes, layout));
    EXPECT_EQ(found, expected);
  }
  EXPECT_GT(left, 0u) << "no case has a fill with a repeated word";
}

// A copy of the kept layout, state file and words, written by the search before it looked ahead.
struct OldStateWorkspace {
  TempDir dir;
  fs::path pattern = dir / "open5.C_WM";
  fs::path results = dir / "Results";
  OldStateWorkspace(bool withState) {
    fs::create_directories(results);
    fs::copy_file(kOldState / "open5.C_WM", pattern);
    fs::copy_file(kOldState / "words.txt", dir / "words.txt");
    if (withState) fs::copy_file(kOldState / "open5.TMP", dir / "open5.TMP");
  }
  std::vector<RecordedResult> compose() const {
    Dictionary d;
    RecordingListener l;
    ComposingFiles files;
    files.wordFile = [w = dir / "words.txt"](Language) { return w; };
    files.resultsFolder = results;
    LayoutSession session(d, files, &l);
    Composer c(session, l);
    session.open(pattern);
    // "Continue?" answered Yes when there is a stopped search.
    if (session.hasSavedSearch())
      c.resume();
    else
      c.start();
    runToEnd(c);
    EXPECT_EQ(session.state(), ComposingState::Editable);
    EXPECT_TRUE(l.messages.empty());
    return l.results;
  }
};

TEST(LookAheadSearch, StateFileOfThePlainSearchResumesToTheSameFiles) {
  std::vector<RecordedResult> whole = OldStateWorkspace(false).compose();
  const SearchState saved = readStateFile(kOldState / "open5.TMP", readPatternFile(kOldState / "open5.C_WM"));
  ASSERT_GT(whole.size(), static_cast<std::size_t>(saved.resultCount));
  std::vector<RecordedResult> rest(whole.begin() + saved.resultCount, whole.end());
  EXPECT_EQ(OldStateWorkspace(true).compose(), rest);
}

TEST(LookAheadSearch, ResumingInABranchWithoutFillsGoesOnFromItsFirstDeadWord) {
  // The kept state stopped where the plain search was still trying words under a placed
  // prefix that leaves no fill; the look-ahead sees that at once.
  const Layout layout = readPatternFile(kOldState / "open5.C_WM");
  const SearchState saved = readStateFile(kOldState / "open5.TMP", layout);
  Dictionary d;
  d.load(kOldState / "words.txt", Language::English);
  SearchLookAhead lookAhead(d, layout.board, saved.slots, false);
  int depth = lookAhead.resume(saved.slots, saved.depth);
  EXPECT_LT(depth, saved.depth);
  EXPECT_GE(depth, 1);
  // Its word is then the last one tried there; the next is a later candidate.
  const Slot& top = saved.slots[static_cast<std::size_t>(depth - 1)];
  EXPECT_GT(lookAhead.nextCandidate(depth, top.candidateIndex), top.candidateIndex);
}

TEST(LookAheadSearch, ACandidateMissingFromTheDictionaryIsNeverPlaced) {
  Dictionary d;
  d.loadLines({"AB", "BA", "AA"}, Language::English);
  Layout layout = parseTextLayout("..\n..\n", Language::English);
  std::vector<Slot> slots = deriveSlots(layout);
  slots[0].candidates = "AAZZAB";  // as a state file may hold after the word list changed
  slots[0].candidateIndex = 0;
  SearchLookAhead lookAhead(d, layout.board, slots, false);
  EXPECT_EQ(lookAhead.resume(slots, 1), 1);
  EXPECT_EQ(lookAhead.nextCandidate(1, 0), 2) << "ZZ is skipped";
  EXPECT_FALSE(lookAhead.place(1, 1));
}

}  // namespace
}  // namespace gw
