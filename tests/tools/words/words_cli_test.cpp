// gridwright-words: the command line, the word file it writes, and its exit statuses.
#include "words_cli.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/file_io.h"
#include "tests/support/temp_folder.h"

namespace gw {
namespace {
namespace fs = std::filesystem;

class WordsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    folders_ = programFoldersFor(dir_ / "bin", dir_ / "share");
    folders_.portable = true;
    folders_.dataFolder = folders_.writableFolder = dir_ / "bin";
  }

  fs::path write(const std::string& name, const std::string& bytes) {
    fs::path p = dir_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

  int run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return runWords(parseWordsOptions(args), folders_, out_, err_);
  }

  // Runs the real program; its exit status.
  int program(const std::string& args) {
    std::string command = std::string(GW_WORDS_PROGRAM) + " " + args + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  gw::test::TempFolder folder_{"words_cli_test"};
  fs::path dir_ = folder_.path();
  ProgramFolders folders_;
  std::ostringstream out_, err_;
};

TEST_F(WordsCommand, ImportMergesIntoTheProgramFoldersWordFile) {
  write("bin/Make/EN.words", "DOG\r\nANT\r\n");
  fs::path a = write("a.txt", "ice-cream 2\ncat\r\nDog\n");
  fs::path b = write("b.txt", "CAT\n" + std::string(41, 'x') + "\nbee");
  EXPECT_EQ(run({"import", "--language", "en", a.string(), b.string()}), 0);
  EXPECT_EQ(out_.str(), "Added 3 words\nSkipped 1 line over 40 characters\n");
  EXPECT_EQ(readWholeFile(dir_ / "bin/Make/EN.words"), "ANT\r\nBEE\r\nCAT\r\nDOG\r\nICECREAM\r\n");
  EXPECT_EQ(run({"import", "--language", "en", a.string()}), 0);
  EXPECT_EQ(out_.str(), "Added 0 words\n");
  fs::path c = write("c.txt", "caf\xC3\xA9\n\xE6\xBC\xA2\n");  // café, 漢
  EXPECT_EQ(run({"import", "--language", "en", c.string()}), 0);
  EXPECT_EQ(out_.str(), "Added 1 word\nSkipped 1 line with letters the alphabet cannot spell\n");
}

// Imports started together into one word file take turns: no import's words are lost.
TEST_F(WordsCommand, ConcurrentImportsIntoOneWordFileKeepEveryWord) {
  const fs::path words = dir_ / "shared.words";
  std::string command = "cd " + dir_.string() + " && (";
  for (char batch = 'A'; batch <= 'F'; ++batch) {
    std::string lines;
    for (char a = 'A'; a <= 'Z'; ++a)
      for (char b = 'A'; b <= 'Z'; ++b) lines += std::string{batch, a, b} + "\n";
    write(std::string(1, batch) + ".txt", lines);
    command += std::string(GW_WORDS_PROGRAM) + " import --language en --words " + words.string() + " " +
               batch + ".txt >/dev/null 2>&1 & ";
  }
  command += "wait)";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(readWholeFile(words).size(), 6u * 26 * 26 * 5);  // three letters and CR LF each
  EXPECT_FALSE(fs::exists(words.string() + ".lock"));
}

// Messages name files as they are, but a control character in a name reaches the terminal
// escaped; a binary file changes nothing.
TEST_F(WordsCommand, BinaryInputIsRefusedAndNamedSafely) {
  write("bin/Make/EN.words", "DOG\r\n");
  fs::path evil = write("evil\x1B]0;x\x07.txt", std::string("cat\n\0\x01\x02", 7));
  EXPECT_EQ(run({"import", "--language", "en", evil.string()}), 1);
  EXPECT_EQ(err_.str().find('\x1B'), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("evil\\u001b]0;x\\u0007.txt"), std::string::npos) << err_.str();
  EXPECT_EQ(readWholeFile(dir_ / "bin/Make/EN.words"), "DOG\r\n");
}

TEST_F(WordsCommand, ImportOfSerbianAndGermanIntoANamedWordFile) {
  fs::path sr = write("sr.txt", "Zima\nzima\nLjubav\n");
  fs::path words = dir_ / "new" / "YU.words";
  EXPECT_EQ(run({"import", "--words", words.string(), "--language", "sr", sr.string()}), 0);
  EXPECT_EQ(out_.str(), "Added 2 words\n");
  EXPECT_EQ(readWholeFile(words), "\xC7\xC8\xCC\xC0\r\n\xCB\xA3\xD3\xC1\xC0\xC2\r\n");  // ЗИМА, ЛЈУБАВ

  fs::path de = write("de.txt",
                      "M\xC3\xA4"
                      "dchen\n");  // UTF-8
  EXPECT_EQ(run({"import", "--language", "de", "--words", (dir_ / "DE.words").string(), de.string()}), 0);
  EXPECT_EQ(readWholeFile(dir_ / "DE.words"), "MAEDCHEN\r\n");
}

TEST_F(WordsCommand, RecheckCleansTheWordFile) {
  fs::path words = write("EN.words", "Abc\r\nABC\r\n" + std::string(41, 'Q') + "\r\nZ\r\n");
  EXPECT_EQ(run({"recheck", "--language", "en", "--words", words.string()}), 0);
  EXPECT_EQ(readWholeFile(words), "Abc\r\nZ\r\n");
}

TEST_F(WordsCommand, AFileErrorWritesNothing) {
  fs::path words = write("EN.words", "OLD\r\n");
  fs::path good = write("good.txt", "new\n");
  EXPECT_EQ(run({"import", "--language", "en", "--words", words.string(), good.string(),
                 (dir_ / "missing.txt").string()}),
            1);
  EXPECT_NE(err_.str().find("missing.txt"), std::string::npos) << err_.str();
  EXPECT_EQ(readWholeFile(words), "OLD\r\n");
}

TEST_F(WordsCommand, WrongCommandLinesAreRefused) {
  for (std::vector<std::string> args :
       std::vector<std::vector<std::string>>{{},
                                             {"import", "--language", "en"},
                                             {"import", "x.txt"},
                                             {"import", "--language", "fr", "x.txt"},
                                             {"recheck", "--language", "en", "x.txt"},
                                             {"sort", "--language", "en"},
                                             {"import", "--language", "en", "--bogus", "x.txt"},
                                             {"recheck", "--language"}})
    EXPECT_THROW(parseWordsOptions(args), std::invalid_argument) << ::testing::PrintToString(args);
  EXPECT_EQ(parseWordsOptions({"--help"}).command, WordsOptions::Command::Help);
}

TEST_F(WordsCommand, ProgramExitStatuses) {
  fs::path words = write("EN.words", "");
  fs::path input = write("in.txt", "word\n");
  EXPECT_EQ(program("--help"), 0);
  EXPECT_EQ(program("import --language en --words " + words.string() + " " + input.string()), 0);
  EXPECT_EQ(readWholeFile(words), "WORD\r\n");
  EXPECT_EQ(program("import --language en --words " + words.string() + " " + (dir_ / "none").string()), 1);
  EXPECT_EQ(program("import --language xx " + input.string()), 2);
}

}  // namespace
}  // namespace gw
