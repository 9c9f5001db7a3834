// Import files: encodings, line counting, the import loop with cancel and read errors,
// and a whole file merged into a list as gridwright-words does it.
#include "authoring/composing/dictionary/word_lists/word_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "tests/support/temp_folder.h"

namespace gw {
namespace {
namespace fs = std::filesystem;

class ImportFile : public ::testing::Test {
 protected:
  fs::path write(const std::string& name, const std::string& bytes) {
    fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

  std::vector<std::string> importAll(const fs::path& file, Language language) {
    ImportFileScan scan = scanImportFile(file);
    ImportFileReader reader(file, scan.encoding, language);
    std::vector<std::string> found;
    ImportCallbacks callbacks;
    callbacks.wordFound = [&](std::string w) { found.push_back(std::move(w)); };
    readImportWords(reader, scan.lineCount, WordRules(language), callbacks);
    return found;
  }

  gw::test::TempFolder folder_{"word_import_test"};
  fs::path dir_ = folder_.path();
};

TEST_F(ImportFile, CountsLinesWithOrWithoutAFinalLineBreak) {
  EXPECT_EQ(scanImportFile(write("a", "one\r\ntwo\r\n")).lineCount, 2);
  EXPECT_EQ(scanImportFile(write("b", "one\ntwo")).lineCount, 2);
  EXPECT_EQ(scanImportFile(write("c", "\n\n\n")).lineCount, 3);
  EXPECT_EQ(scanImportFile(write("d", "")).lineCount, 0);
  EXPECT_THROW(scanImportFile(dir_ / "missing"), FileError);
  EXPECT_THROW(scanImportFile(dir_), FileError);
}

TEST_F(ImportFile, Utf8IsConvertedToTheCodePageAnythingElseIsTakenAsBytes) {
  // Mädchen, Straße in UTF-8 with a byte order mark, and in Windows-1252 (no valid UTF-8).
  const struct {
    const char* name;
    const char* bytes;
    TextEncoding encoding;
  } files[] = {{"utf8",
                "\xEF\xBB\xBFM\xC3\xA4"
                "dchen\r\nStra\xC3\x9F"
                "e\r\n",
                TextEncoding::Utf8},
               {"cp",
                "M\xE4"
                "dchen\r\nStra\xDF"
                "e\r\n",
                TextEncoding::CodePage}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    const fs::path file = write(f.name, f.bytes);
    EXPECT_EQ(scanImportFile(file).encoding, f.encoding);
    EXPECT_EQ(importAll(file, Language::German), (std::vector<std::string>{"MAEDCHEN", "STRASSE"}));
  }
  // A letter that no spelling reaches skips its line; a letter past Latin-1 is spelt.
  fs::path greek = write("greek",
                         "ab\xCE\xB1"
                         "c\n\xC5\x82\xC3\xB3"
                         "d\xC5\xBA\n");  // abαc, łódź
  EXPECT_EQ(importAll(greek, Language::English), std::vector<std::string>{"LODZ"});
}

// Each line judged alone: a UTF-8 line and a Windows-1252 line in one file, CR-only line
// ends, a line too long to hold skipped without being kept.
TEST_F(ImportFile, EncodingPerLineCrLineEndsAndHugeLines) {
  const std::string huge(3 * kMaxImportLineBytes + 5, 'x');
  fs::path mixed = write("mixed",
                         "M\xC3\xA4"
                         "dchen\rM\xE4"
                         "dchen\r\n" +
                             huge +
                             "\rStra\xDF"
                             "e");
  EXPECT_EQ(importAll(mixed, Language::German),
            (std::vector<std::string>{"MAEDCHEN", "MAEDCHEN", "STRASSE"}));
  const ImportFileScan scan = scanImportFile(mixed);
  EXPECT_EQ(scan.lineCount, 3);
  EXPECT_EQ(scan.longLines, 1);
}

TEST_F(ImportFile, BinaryAndSpecialFilesAreRefused) {
  for (const std::string& bytes : {std::string("word\n\0\0\0", 8), std::string("ok\n\x1B[2Jevil\n")}) {
    try {
      scanImportFile(write("binary", bytes));
      ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find("no text file (line 2"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(scanImportFile("/dev/zero"), FileError);
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(scanImportFile(fifo), FileError);  // at once, without waiting for a writer
}

TEST_F(ImportFile, SerbianUtf8InBothScripts) {
  // Зима, zima, Ljubav, Žabljak, Beograd., a lone "."
  fs::path file = write("sr",
                        "\xD0\x97\xD0\xB8\xD0\xBC\xD0\xB0\nzima\nLjubav\n\xC5\xBD"
                        "abljak\nBeograd.\n.\n");
  EXPECT_EQ(importAll(file, Language::Serbian),
            (std::vector<std::string>{"\xC7\xC8\xCC\xC0", "\xC7\xC8\xCC\xC0", "\xCB\xA3\xD3\xC1\xC0\xC2",
                                      "\xC6\xC0\xC1\xCB\xA3\xC0\xCA", "\xC1\xC5\xCE\xC3\xD0\xC0\xC4"}));
}

TEST_F(ImportFile, MergedIntoAListOnceWithItsCount) {
  fs::path file = write("sr", "Zima\nzima\nLjubav\n" + std::string(41, 'a') + "\n");
  WordList list(Language::Serbian);
  EXPECT_EQ(importFileInto(list, file), 2u);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_TRUE(list.find("\xC7\xC8\xCC\xC0"));
  EXPECT_EQ(importFileInto(list, file), 0u) << "nothing new the second time";

  EXPECT_THROW(importFileInto(list, dir_ / "missing"), FileError);
  EXPECT_EQ(list.size(), 2u);
}

// Lines from memory that fail after a number of lines, as a vanishing disk would.
class FailingSource : public ImportLineSource {
 public:
  FailingSource(std::vector<std::string> lines, std::size_t failAt)
      : lines_(std::move(lines)), failAt_(failAt) {}
  bool next(ImportLine& line) override {
    if (at_ == failAt_) throw FileError("Cannot read \"words.txt\": Input/output error");
    if (at_ == lines_.size()) return false;
    line.clear();
    line.text = lines_[at_++];
    return true;
  }

 private:
  std::vector<std::string> lines_;
  std::size_t failAt_;
  std::size_t at_ = 0;
};

TEST(ImportLoop, ReportsProgressAndStopsWhenCancelled) {
  FailingSource source({"a", "b", "c", "d"}, 99);
  std::vector<std::int64_t> reported;
  std::vector<std::string> found;
  ImportCallbacks callbacks;
  callbacks.progress = [&](std::int64_t done, std::int64_t total) {
    EXPECT_EQ(total, 4);
    reported.push_back(done);
  };
  callbacks.cancelled = [&] { return found.size() == 2; };
  callbacks.wordFound = [&](std::string w) { found.push_back(w); };
  ImportLoopResult result = readImportWords(source, 4, WordRules(Language::English), callbacks);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.linesRead, 2);
  EXPECT_EQ(found, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(reported, (std::vector<std::int64_t>{0, 1}));
}

TEST(ImportLoop, AReadErrorKeepsTheWordsFoundBeforeIt) {
  FailingSource source({"a", "b", "c", "d"}, 3);
  std::vector<std::string> found;
  ImportCallbacks callbacks;
  callbacks.wordFound = [&](std::string w) { found.push_back(w); };
  EXPECT_THROW(readImportWords(source, 4, WordRules(Language::English), callbacks), FileError);
  EXPECT_EQ(found, (std::vector<std::string>{"A", "B", "C"}));
}

// A letter spelled with two (Þ as TH) may take a word of the longest length past it: such a
// word is skipped as too long, never added.
TEST_F(ImportFile, WordsThatTransliterationLengthensPastTheLimitAreSkipped) {
  WordList list(Language::English);
  const fs::path file = write(
      "thorn.txt", "\xC3\x9E" + std::string(39, 'L') + "\r\n\xC3\x9E" + std::string(38, 'L') + "\r\nowl\r\n");
  ImportReport report(Language::English);
  EXPECT_EQ(importFileInto(list, file, &report), 2u);  // TH + 38 letters, and OWL
  EXPECT_EQ(report.count(SkippedLine::TooLong), 1);
  for (std::size_t i = 0; i < list.size(); ++i) EXPECT_LE(list.word(i).size(), WordRules::kMaxWordLength);
}

TEST_F(ImportFile, ScoredLinesSetScoresAndSkippedLinesAreReportedByReason) {
  WordList list(Language::English);
  list.assign({"CAT", "DOG"});
  list.setScore("DOG", 70);
  const fs::path file =
      write("scored.txt", "cat;80\ndog\nemu ; 0\nyak;101\n1234\n" + std::string(41, 'q') + "\nyak;5x\n");
  ImportReport report(Language::English);
  EXPECT_EQ(importFileInto(list, file, &report), 1u);  // EMU
  EXPECT_EQ(list.score("CAT"), 80);                    // a score for a listed word
  EXPECT_EQ(list.score("DOG"), 70);                    // a plain line keeps the score
  EXPECT_EQ(list.score("EMU"), 0);
  EXPECT_EQ(report.count(SkippedLine::BadScore), 2);
  EXPECT_EQ(report.count(SkippedLine::NoLetters), 1);
  EXPECT_EQ(report.count(SkippedLine::TooLong), 1);
  EXPECT_EQ(report.notAdded(), 2);
  EXPECT_NE(report.text().find("line 4: \"yak;101\", line 7: \"yak;5x\""), std::string::npos)
      << report.text();

  // The word file keeps its format; the scores go beside it, without words no longer listed.
  list.erase(*list.find("CAT"));
  list.save(dir_ / "EN.words");
  EXPECT_EQ(readWholeFile(dir_ / "EN.words"), "DOG\r\nEMU\r\n");
  EXPECT_EQ(readWholeFile(dir_ / "EN.scores"), "DOG;70\nEMU;0\n");
  WordList again(Language::English);
  again.load(dir_ / "EN.words");
  EXPECT_EQ(again.score("EMU"), 0);

  WordList unscored(Language::English);  // no scores: no score file
  unscored.assign({"ANT"});
  unscored.save(dir_ / "DE.words");
  EXPECT_FALSE(fs::exists(dir_ / "DE.scores"));
}

}  // namespace
}  // namespace gw
