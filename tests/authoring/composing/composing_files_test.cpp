#include "authoring/composing/layout/composing_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/byte_io.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "compose_test_support.h"

namespace gw {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

Layout sample() {
  Layout l = parseTextLayout("#...\n....\n..A.\n...#\n", Language::German);
  l.board.putLetter(40, 40, 'Z');  // outside the layout: kept all the same
  return l;
}

TEST(PatternFile, IsAlways3374BytesAndRoundTrips) {
  for (auto [rows, columns] : {std::pair{1, 1}, {4, 4}, {41, 41}, {5, 7}}) {
    Layout l;
    l.rows = rows;
    l.columns = columns;
    EXPECT_EQ(serializePattern(l).size(), 3374u);
  }
  Layout l = sample();
  std::string bytes = serializePattern(l);
  EXPECT_EQ(bytes.substr(0, 12), std::string("\x04\0\0\0\x04\0\0\0\x01\0\0\0", 12));
  // Column-major cells: column 0 row 0 is the isle, column 2 row 2 the letter A.
  EXPECT_EQ(bytes.substr(12, 2), "\x01\xA4");
  EXPECT_EQ(bytes.substr(12 + 2 * (2 * 41 + 2), 2),
            "\x01"
            "A");
  EXPECT_EQ(parsePattern(bytes), l);
}

TEST(PatternFile, DamagedFilesAreRejectedWithAClearMessage) {
  std::string good = serializePattern(sample());
  auto message = [](const std::string& bytes) {
    try {
      parsePattern(bytes);
    } catch (const FormatError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_NE(message(good.substr(0, 3373)).find("ends early"), std::string::npos);
  EXPECT_NE(message(good.substr(0, 5)).find("ends early"), std::string::npos);
  EXPECT_NE(message(good + "x").find("too long"), std::string::npos);
  std::string bad = good;
  bad[0] = 42;  // 42 rows
  EXPECT_NE(message(bad).find("size out of range"), std::string::npos);
  bad = good;
  bad[4] = 0;  // 0 columns
  EXPECT_NE(message(bad).find("size out of range"), std::string::npos);
  bad = good;
  bad[8] = 3;
  EXPECT_NE(message(bad).find("language"), std::string::npos);
  bad = good;
  bad[12 + 100] = 2;  // a cell length byte of 2
  EXPECT_NE(message(bad).find("damaged cell"), std::string::npos);
  // The fixed A at row 3, column 3 replaced by what is not a German board letter: '.' would
  // match any letter in the search.
  for (char notALetter : {'.', 'a', '\0', '\xC4'}) {
    bad = good;
    bad[12 + 2 * (2 * 41 + 2) + 1] = notALetter;
    EXPECT_NE(message(bad).find("not a letter of the German alphabet (row 3, column 3)"), std::string::npos)
        << message(bad);
  }
}

TEST(PatternFile, OnlyARegularFileOfThePatternSizeIsRead) {
  EXPECT_THROW(readPatternFile("/dev/zero"), FileError);
  EXPECT_THROW(readPatternFile(fs::path(GW_SOURCE_DIR) / "tests/data/layouts/broken-dot-letter.C_WM"),
               FormatError);
  TempDir dir;
  const fs::path big = dir / "big.C_WM";
  writeFileAtomically(big, std::string(1 << 20, '\0'));
  try {
    readPatternFile(big);
    ADD_FAILURE() << "read";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
  }
}

TEST(PatternFile, WritingReplacesTheFileByRenameAndLeavesNoTemporaryFile) {
  TempDir dir;
  fs::path file = dir / "a.C_WM";
  writePatternFile(file, sample());
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  Layout changed = sample();
  changed.board.setIsle(1, 1);
  writePatternFile(file, changed);
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);  // a new file renamed over the old one
  EXPECT_EQ(readPatternFile(file), changed);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  // A file that cannot be written leaves the old one as it was.
  EXPECT_THROW(writePatternFile(dir / "missing" / "a.C_WM", changed), FileError);
  EXPECT_THROW(readPatternFile(dir / "nothing.C_WM"), FileError);
}

// A state of the 4 × 4 sample's eight slots; positions 1 to `depth` hold `words` candidates,
// 'A...', 'B...', each keeping the fixed A where it crosses it.
SearchState sampleState(int depth, int words) {
  SearchState st;
  st.depth = depth;
  st.resultCount = 7;
  const Layout layout = sample();
  st.slots = deriveSlots(layout);
  for (std::size_t i = 0; i < st.slots.size(); ++i) {
    Slot& s = st.slots[i];
    for (int w = 0; w < words; ++w)
      for (int k = 0; k < s.length; ++k)
        s.candidates += layout.board.at(s.cellIndex(k)).length != 0
                            ? layout.board.at(s.cellIndex(k)).character
                            : char('A' + w);
    s.candidateIndex = static_cast<int>(i) < depth ? 1 : -1;
  }
  return st;
}

TEST(StateFile, LayoutIsCountsThenSixteenByteRecordsWithTheirWords) {
  SearchState st = sampleState(2, 2);
  st.slots[1].candidateIndex = 0x01020304;
  std::string bytes = serializeState(st);
  ByteReader r(bytes);
  EXPECT_EQ(r.i32("depth"), 2);
  EXPECT_EQ(r.i32("count"), 8);
  EXPECT_EQ(r.i32("results"), 7);
  // Position 1: across (0, 1, 3).
  EXPECT_EQ(r.bytes(16, "record"),
            std::string("\x03\x00\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16));
  EXPECT_EQ(r.i32("n"), 2);
  EXPECT_EQ(r.bytes(6, "words"), "AAABBB");
  std::string second(r.bytes(16, "record"));
  EXPECT_EQ(second.substr(4, 4), "\x04\x03\x02\x01");
  std::size_t total = 12;
  for (const Slot& s : st.slots) total += 16 + 4 + 2 * static_cast<std::size_t>(s.length);
  EXPECT_EQ(bytes.size(), total);  // lists above the depth are written too
}

TEST(StateFile, ReadingKeepsOnlyTheListsOfPlacedPositions) {
  SearchState st = sampleState(3, 2);
  SearchState read = parseState(serializeState(st), sample());
  EXPECT_EQ(read.depth, 3);
  EXPECT_EQ(read.resultCount, 7);
  ASSERT_EQ(read.slots.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    const Slot& s = read.slots[static_cast<std::size_t>(i)];
    EXPECT_TRUE(s.samePlace(st.slots[static_cast<std::size_t>(i)]));
    if (i < 3) {
      EXPECT_EQ(s.candidates, st.slots[static_cast<std::size_t>(i)].candidates);
      EXPECT_EQ(s.candidateIndex, 1);
    } else {
      EXPECT_TRUE(s.candidates.empty());
      EXPECT_EQ(s.candidateIndex, -1);
    }
  }
}

TEST(StateFile, EmptyListBelowTheDepthLowersItAndOneAtTheDepthDoesNot) {
  SearchState st = sampleState(4, 2);
  st.slots[1].candidates.clear();  // position 2
  st.slots[1].candidateIndex = -1;
  EXPECT_EQ(parseState(serializeState(st), sample()).depth, 2);
  st = sampleState(4, 2);
  st.slots[3].candidates.clear();  // position 4, the depth itself
  st.slots[3].candidateIndex = -1;
  EXPECT_EQ(parseState(serializeState(st), sample()).depth, 4);
  // Above the depth only a position that had words gets index −1; an empty one keeps its own.
  st = sampleState(2, 2);
  st.slots[5].candidates.clear();
  st.slots[5].candidateIndex = 3;
  st.slots[6].candidateIndex = 1;
  SearchState read = parseState(serializeState(st), sample());
  EXPECT_EQ(read.slots[5].candidateIndex, 3);
  EXPECT_EQ(read.slots[6].candidateIndex, -1);
  EXPECT_TRUE(read.slots[6].candidates.empty());
}

TEST(StateFile, DamagedOrForeignFilesAreRejected) {
  const Layout layout = sample();
  std::string good = serializeState(sampleState(3, 2));
  auto rejects = [&](const std::string& bytes, const std::string& part) {
    try {
      parseState(bytes, layout);
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
      return;
    }
    ADD_FAILURE() << "accepted";
  };
  for (std::size_t cut : {0u, 3u, 11u, 20u, 40u, 60u}) rejects(good.substr(0, cut), "ends early");
  rejects(good.substr(0, good.size() - 1), "ends early");
  rejects(good + "!", "after its last slot");
  auto patched = [&](std::size_t at, std::int32_t v) {
    std::string b = good;
    for (int k = 0; k < 4; ++k) b[at + static_cast<std::size_t>(k)] = static_cast<char>(v >> (8 * k));
    return b;
  };
  rejects(patched(4, 0), "slot count out of range");
  rejects(patched(4, -5), "slot count out of range");
  rejects(patched(4, 1 << 30), "slot count out of range");
  rejects(patched(0, 9), "depth out of range");
  rejects(patched(0, -1), "depth out of range");
  rejects(patched(8, -1), "negative result count");
  rejects(patched(8, 0x7FFFFFFF), "result count too large");
  rejects(patched(12 + 16, -3), "negative candidate count");
  rejects(patched(12 + 16, 1 << 29), "ends early");             // a count the file cannot hold
  rejects(patched(12 + 4, 5), "candidate index out of range");  // position 1 has two words
  std::string b = good;
  b[12] = 0;  // a slot of length 0
  rejects(b, "does not fit");
  b = good;
  b[12 + 12] = 2;  // direction 2
  rejects(b, "does not fit");
  // A state of another layout.
  Layout other = layout;
  other.board.setIsle(1, 1);
  EXPECT_THROW(parseState(good, other), FormatError);
  // The same slots with another fixed letter, or a placed word that ignores the fixed A.
  other = layout;
  other.board.putLetter(2, 2, 'E');
  EXPECT_THROW(parseState(good, other), FormatError);
  other = layout;
  other.board.putLetter(0, 1, 'Q');
  EXPECT_THROW(parseState(good, other), FormatError);
  SearchState ignoring = sampleState(3, 2);
  ignoring.slots[2].candidates[2] = 'B';  // across row 3 holds the fixed A at column 3
  rejects(serializeState(ignoring), "position 3 disagree");
  // The numbering trailer: only whole and in range.
  SearchState based = sampleState(3, 2);
  based.numberBase = 40;
  const std::string trailed = serializeState(based);
  EXPECT_EQ(trailed.size(), good.size() + 8);
  EXPECT_EQ(parseState(trailed, layout).numberBase, 40);
  EXPECT_EQ(parseState(good, layout).numberBase, 0);  // files without it, as ever written
  rejects(trailed.substr(0, trailed.size() - 1), "after its last slot");
  based.numberBase = 0x7FFFFFFF - 7;  // after its 7 results the next number would not fit
  rejects(serializeState(based), "numbering out of range");
}

TEST(StateFile, AHugeFileWithADamagedHeaderIsRejectedBeforeItIsRead) {
  TempDir dir;
  const fs::path file = dir / "huge.TMP";
  {
    std::string header(12, '\0');
    header[5] = 0x7F;  // slot count 32512: more than a board has
    writeFileAtomically(file, header);
  }
  fs::resize_file(file, (1ull << 30) - 1);  // sparse: no gigabyte is written
  try {
    readStateFile(file, sample());
    ADD_FAILURE() << "accepted";
  } catch (const FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("slot count out of range"), std::string::npos) << e.what();
  }
}

TEST(StateFile, NameIsThePatternNameWithTmp) {
  EXPECT_EQ(stateFileFor("/x/spring.C_WM"), fs::path("/x/spring.TMP"));
}

}  // namespace
}  // namespace gw
