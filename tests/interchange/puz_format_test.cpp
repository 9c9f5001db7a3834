// .puz: checksums against a computation of their own, round trips, refusals.
#include "interchange/puz_format.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "export_test_support.h"

namespace gw {
namespace {

using test::boardOf;
using test::definition;

// The checksums of a .puz file, computed here from the published description, independently
// of the writer: cksum = rotate-right(cksum) + byte over each region.
unsigned region(const std::string& bytes, std::size_t from, std::size_t length, unsigned sum) {
  for (std::size_t i = from; i < from + length; ++i) {
    sum = (sum >> 1) | ((sum & 1) << 15);
    sum = (sum + static_cast<unsigned char>(bytes[i])) & 0xFFFF;
  }
  return sum;
}

unsigned word(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

struct Recomputed {
  unsigned file, cib;
  std::string masked;
};

Recomputed recompute(const std::string& b) {
  const std::size_t cells =
      static_cast<std::size_t>(static_cast<unsigned char>(b[0x2C])) * static_cast<unsigned char>(b[0x2D]);
  const unsigned clues = word(b, 0x2E);
  const unsigned cib = region(b, 0x2C, 8, 0);
  const unsigned solution = region(b, 52, cells, 0);
  const unsigned grid = region(b, 52 + cells, cells, 0);
  // Strings: title, author, copyright (with NUL when not empty), clues (without), notes (with).
  std::size_t at = 52 + 2 * cells;
  unsigned text = 0;
  auto next = [&](bool withNul) {
    const std::size_t end = b.find('\0', at);
    const std::size_t length = end - at;
    if (length > 0) text = region(b, at, withNul ? length + 1 : length, text);
    at = end + 1;
  };
  for (int i = 0; i < 3; ++i) next(true);
  for (unsigned i = 0; i < clues; ++i) next(false);
  next(true);
  // The file checksum runs the same strings on from the grids.
  unsigned file = region(b, 52 + cells, cells, region(b, 52, cells, cib));
  at = 52 + 2 * cells;
  const unsigned saved = text;
  text = file;
  for (int i = 0; i < 3; ++i) next(true);
  for (unsigned i = 0; i < clues; ++i) next(false);
  next(true);
  file = text;
  const unsigned parts[4] = {cib, solution, grid, saved};
  std::string masked(8, '\0');
  for (int i = 0; i < 4; ++i) {
    masked[i] = static_cast<char>("ICHEATED"[i] ^ (parts[i] & 0xFF));
    masked[i + 4] = static_cast<char>("ICHEATED"[i + 4] ^ (parts[i] >> 8));
  }
  return {file, cib, masked};
}

void resign(std::string& b) {
  const Recomputed r = recompute(b);
  b[0] = static_cast<char>(r.file & 0xFF);
  b[1] = static_cast<char>(r.file >> 8);
  b[0x0E] = static_cast<char>(r.cib & 0xFF);
  b[0x0F] = static_cast<char>(r.cib >> 8);
  b.replace(0x10, 8, r.masked);
}

CrosswordFile smallCrossword() {
  CrosswordFile cw = boardOf({"CAT", "A#O", "BEE"});
  cw.definitions = {definition(true, 0, 0, 3, "Pet"), definition(false, 0, 0, 3, "Taxi"),
                    definition(false, 0, 2, 3, "Foot digit"), definition(true, 2, 0, 3, "Honey maker")};
  return cw;
}

TEST(Puz, TheHeaderGridsAndStringsAreLaidOutWithCorrectChecksums) {
  const std::string b = writePuz(smallCrossword()).bytes;
  EXPECT_EQ(b.substr(2, 12), std::string("ACROSS&DOWN\0", 12));
  EXPECT_EQ(b.substr(0x18, 4), std::string("1.3\0", 4));
  EXPECT_EQ(b[0x2C], 3);  // width
  EXPECT_EQ(b[0x2D], 3);  // height
  EXPECT_EQ(word(b, 0x2E), 4u);
  EXPECT_EQ(word(b, 0x30), 1u);
  EXPECT_EQ(word(b, 0x32), 0u);
  EXPECT_EQ(b.substr(52, 18), "CATA.OBEE----.----");
  // Empty title, author, copyright; 1 Across before 1 Down; notes empty.
  EXPECT_EQ(b.substr(70), std::string("\0\0\0Pet\0Taxi\0Foot digit\0Honey maker\0\0", 36));
  const Recomputed r = recompute(b);
  EXPECT_EQ(word(b, 0), r.file);
  EXPECT_EQ(word(b, 0x0E), r.cib);
  EXPECT_EQ(b.substr(0x10, 8), r.masked);
}

TEST(Puz, EnglishAndGermanExamplesComeBackWithTheSameBoardAndClues) {
  for (const auto& path : test::exampleCrosswords()) {
    const CrosswordFile original = test::readExample(path);
    if (original.language == Language::Serbian) continue;
    SCOPED_TRACE(path.filename().string());
    const ExportedCrossword out = writePuz(original);
    const Recomputed r = recompute(out.bytes);
    EXPECT_EQ(word(out.bytes, 0), r.file);
    EXPECT_EQ(out.bytes.substr(0x10, 8), r.masked);
    ASSERT_EQ(out.notes.size(), 2u);  // dotted edges and pictures stay behind, said so
    const CrosswordFile back = readPuz(out.bytes).crossword;
    EXPECT_EQ(back.language, original.language);
    EXPECT_EQ(back.charset, original.charset);
    EXPECT_EQ(back.board, original.board);
    EXPECT_EQ(back.definitions, original.definitions);
  }
}

// Without dotted edges and pictures a .puz holds all of a crossword of A to Z: it comes back
// byte for byte, whether bare as the composer writes it (no definitions, a one-letter word),
// prepared by the editor (every word, the one-letter one unclued) or clued in part.
TEST(Puz, CrosswordsWithoutMarksOrPicturesComeBackByteForByte) {
  const CrosswordFile bare = boardOf({"AB#", "CDE"});
  CrosswordFile prepared = bare;
  prepared.definitions = {definition(false, 0, 0, 2, "Air conditioning"),
                          definition(false, 0, 1, 2, "Buried"), definition(false, 1, 2, 1, ""),
                          definition(true, 0, 0, 2, "Before C"), definition(true, 1, 0, 3, "Three in a row")};
  CrosswordFile partly = prepared;
  partly.definitions[1].clue.clear();
  partly.definitions[4].clue.clear();
  for (const CrosswordFile& original : {bare, prepared, partly}) {
    const CrosswordFile back = readPuz(writePuz(original).bytes).crossword;
    EXPECT_EQ(serializeCrossword(back), serializeCrossword(original));
  }
}

TEST(Puz, SerbianCrosswordsAreRefusedWithIpuzNamedAsTheWay) {
  for (const char* name : {"sr-cyrillic-vitez.C_W", "sr-latin-golub.C_W"}) {
    CrosswordFile cw = test::readExample(std::string(GW_SOURCE_DIR) + "/data/examples/" + name);
    try {
      writePuz(cw);
      ADD_FAILURE() << name << " written";
    } catch (const InterchangeError& e) {
      EXPECT_NE(std::string(e.what()).find("ipuz"), std::string::npos) << e.what();
    }
  }
  // Latin letters with Serbian Latin clues: the clue is what does not fit.
  CrosswordFile latin = smallCrossword();
  latin.charset = ClueCharset::SerbianLatin;
  latin.definitions[0].clue = "\xe8iji";  // čiji in Windows-1250
  EXPECT_THROW(writePuz(latin), InterchangeError);
}

TEST(Puz, AClueOfAOneLetterWordIsRefusedAndAnUncluedOneIsLeftAlone) {
  CrosswordFile cw = boardOf({"AB#", "CDE"});
  EXPECT_NO_THROW(writePuz(cw));
  cw.definitions = {definition(false, 1, 2, 1, "Fifth letter")};
  EXPECT_THROW(writePuz(cw), InterchangeError);
  EXPECT_THROW(writePuz(CrosswordFile{}), InterchangeError);  // no board at all
}

std::string refusalOf(const std::string& bytes) {
  try {
    readPuz(bytes);
  } catch (const InterchangeError& e) {
    return e.what();
  }
  return "(read without complaint)";
}

TEST(Puz, AWrongChecksumAnywhereIsADamagedFile) {
  const std::string good = writePuz(smallCrossword()).bytes;
  for (std::size_t at : {std::size_t{0}, std::size_t{0x0E}, std::size_t{0x12}, std::size_t{0x16},
                         std::size_t{53}, std::size_t{62}, std::size_t{75}}) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x01);
    EXPECT_EQ(refusalOf(bad), "damaged .puz file") << "byte " << at;
  }
  std::string badSection = good + std::string(
                                      "LTIM\x03\0\0\0"
                                      "1,0\0",
                                      12);
  EXPECT_EQ(refusalOf(badSection), "damaged .puz file");
}

TEST(Puz, ScrambledRebusAndCircledPuzzlesAreRefusedByName) {
  std::string scrambled = writePuz(smallCrossword()).bytes;
  scrambled[0x32] = 4;
  resign(scrambled);
  EXPECT_NE(refusalOf(scrambled).find("scrambled"), std::string::npos);

  const std::string good = writePuz(smallCrossword()).bytes;
  auto section = [](const std::string& name, const std::string& data) {
    const unsigned sum = region(data, 0, data.size(), 0);
    std::string s = name;
    s += static_cast<char>(data.size() & 0xFF);
    s += static_cast<char>(data.size() >> 8);
    s += static_cast<char>(sum & 0xFF);
    s += static_cast<char>(sum >> 8);
    return s + data + '\0';
  };
  EXPECT_NE(refusalOf(good + section("GRBS", std::string(9, '\0'))).find("rebus"), std::string::npos);
  std::string circles(9, '\0');
  circles[4] = '\x80';
  EXPECT_NE(refusalOf(good + section("GEXT", circles)).find("circled"), std::string::npos);
  EXPECT_EQ(refusalOf(good + section("LTIM", "42,1")), "(read without complaint)");
}

TEST(Puz, ShortOrForeignFilesGetAClearMessage) {
  const std::string good = writePuz(smallCrossword()).bytes;
  EXPECT_NE(refusalOf("hello").find("not a .puz file"), std::string::npos);
  for (std::size_t length : {std::size_t{20}, std::size_t{60}, good.size() - 3}) {
    const std::string message = refusalOf(good.substr(0, length));
    EXPECT_NE(message.find("ends early"), std::string::npos) << length << ": " << message;
  }
  // A clue count that does not match the grid's words, checksums made right.
  std::string moreClues = good;
  moreClues[0x2E] = 3;
  resign(moreClues);
  EXPECT_NE(refusalOf(moreClues).find("fewer clues"), std::string::npos);
}

}  // namespace
}  // namespace gw
