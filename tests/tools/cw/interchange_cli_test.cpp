// gridwright-cw export, import and pdf, run as programs on the example crosswords.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "common/language.h"
#include "interchange/crossword_numbering.h"
#include "tests/support/example_crosswords.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using ToolRun = gw::test::CommandRun;

// Runs a command with its standard error folded into `out`.
ToolRun run(const std::string& command) { return gw::test::runCommand(command + " 2>&1"); }

ToolRun tool(const std::string& args) { return run(std::string(GW_PROGRAM_DIR) + "/gridwright-cw " + args); }

std::string example(const std::string& name) { return std::string(GW_SOURCE_DIR) + "/data/examples/" + name; }

class InterchangeCli : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  gw::test::TempFolder folder_{"gw-cw-interchange"};
  fs::path dir_ = folder_.path();
};

TEST_F(InterchangeCli, ExportedAndImportedExamplesShowTheSameCrossword) {
  for (const char* name : {"en-donor.C_W", "de-otter.C_W", "sr-cyrillic-vitez.C_W", "sr-latin-golub.C_W"}) {
    SCOPED_TRACE(name);
    const bool serbian = std::string(name).starts_with("sr");
    for (const std::string format : {"ipuz", "puz"}) {
      const ToolRun exported =
          tool("export --to " + format + " " + example(name) + " " + path(std::string(name) + "." + format));
      if (serbian && format == "puz") {
        EXPECT_EQ(exported.status, 1);
        EXPECT_NE(exported.out.find("ipuz"), std::string::npos) << exported.out;
        EXPECT_FALSE(fs::exists(path(std::string(name) + ".puz")));
        continue;
      }
      ASSERT_EQ(exported.status, 0) << exported.out;
      // .puz leaves dotted edges and pictures behind, and says so.
      EXPECT_EQ(exported.out.find("Note:") != std::string::npos, format == "puz") << exported.out;
      const ToolRun imported =
          tool("import " + path(std::string(name) + "." + format) + " " + path("back.C_W"));
      ASSERT_EQ(imported.status, 0) << imported.out;
      const std::string shown = tool("show " + path("back.C_W")).out;
      const std::string original = tool("show " + example(name)).out;
      if (format == "ipuz") {
        EXPECT_EQ(shown, original);
      } else {  // the same board and clues; no marks and no picture
        EXPECT_EQ(shown.substr(shown.find("\n\n")), original.substr(original.find("\n\n")));
        EXPECT_NE(shown.find("Edge marks: 0 top, 0 left\nPictures: 0"), std::string::npos);
      }
    }
  }
}

// --title and --author reach the ipuz fields and the .puz strings (whose checksums still hold);
// without them neither file names any, and .puz refuses what ISO-8859-1 cannot hold.
TEST_F(InterchangeCli, TitleAndAuthorReachTheExportedFiles) {
  const std::string igloo = example("en-igloo.C_W");
  ASSERT_EQ(tool("export --to ipuz " + igloo + " " + path("t.ipuz") +
                 " --title \"Cold Rooms\" --author \"A. Setter\"")
                .status,
            0);
  const auto ipuz = nlohmann::json::parse(gw::readWholeFile(path("t.ipuz")));
  EXPECT_EQ(ipuz.at("title"), "Cold Rooms");
  EXPECT_EQ(ipuz.at("author"), "A. Setter");
  ASSERT_EQ(tool("export --to ipuz " + igloo + " " + path("plain.ipuz")).status, 0);
  EXPECT_FALSE(nlohmann::json::parse(gw::readWholeFile(path("plain.ipuz"))).contains("title"));

  ASSERT_EQ(
      tool("export --author Zo\xC3\xAB --title \xC3\x89t\xC3\xA9 --to puz " + igloo + " " + path("t.puz"))
          .status,
      0);
  EXPECT_NE(gw::readWholeFile(path("t.puz")).find(std::string("\xC9t\xE9\0Zo\xEB\0", 8)), std::string::npos);
  const ToolRun back = tool("import " + path("t.puz") + " " + path("back.C_W"));
  EXPECT_EQ(back.status, 0) << back.out;
  EXPECT_NE(back.out.find("title"), std::string::npos) << back.out;

  const ToolRun cyrillic = tool("export --to puz " + igloo + " " + path("c.puz") + " --title \xD0\x89");
  EXPECT_EQ(cyrillic.status, 1);
  EXPECT_NE(cyrillic.out.find("The title"), std::string::npos) << cyrillic.out;
  EXPECT_FALSE(fs::exists(path("c.puz")));
}

TEST_F(InterchangeCli, FailuresSayWhyAndWrongCommandLinesShowTheUsage) {
  gw::writeFileAtomically(path("damaged.puz"),
                          std::string(60, 'x').replace(2, 12, std::string("ACROSS&DOWN\0", 12)));
  ToolRun r = tool("import " + path("damaged.puz") + " " + path("out.C_W"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("ends early"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(path("out.C_W")));

  ASSERT_EQ(tool("export --to puz " + example("en-igloo.C_W") + " " + path("igloo.puz")).status, 0);
  std::string bytes = gw::readWholeFile(path("igloo.puz"));
  bytes[60] = static_cast<char>(bytes[60] ^ 1);
  gw::writeFileAtomically(path("igloo.puz"), bytes);
  gw::writeFileAtomically(path("out.C_W"), "what the user had");
  r = tool("import " + path("igloo.puz") + " " + path("out.C_W"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "damaged .puz file\n");
  EXPECT_EQ(gw::readWholeFile(path("out.C_W")), "what the user had");

  for (const std::string& args : std::vector<std::string>{
           "export " + example("en-igloo.C_W") + " x.ipuz",
           "export --to jpz " + example("en-igloo.C_W") + " x.jpz",
           "import " + example("en-igloo.C_W") + " x.C_W", "import a.puz", "pdf " + example("en-igloo.C_W"),
           "pdf a.C_W b.pdf --paper a3", "pdf a.C_W b.pdf --landscape"}) {
    r = tool(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.out.find("Usage:"), std::string::npos) << args;
  }
  EXPECT_EQ(tool("pdf " + path("missing.C_W") + " " + path("out.pdf")).status, 1);
}

// An ipuz file whose pictures would need more memory than any crossword: refused, and the
// crossword file that was there stays.
TEST_F(InterchangeCli, AnImportPastThePictureBudgetIsRefused) {
  gw::writeFileAtomically(path("out.C_W"), "what the user had");
  const ToolRun r = tool("import " + std::string(GW_SOURCE_DIR) +
                         "/tests/data/ipuz/broken-picture-bomb.ipuz " + path("out.C_W"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("The crossword's pictures are too large"), std::string::npos) << r.out;
  EXPECT_EQ(gw::readWholeFile(path("out.C_W")), "what the user had");
}

// The PDF's text layer holds every clue with its number; pdftotext reads it back.
TEST_F(InterchangeCli, ThePdfTextLayerHoldsEveryClueWithItsNumber) {
  if (run("pdftotext -v").status != 0) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  for (const fs::path& file : gw::test::exampleCrosswords()) {
    SCOPED_TRACE(file.filename().string());
    ASSERT_EQ(tool("pdf " + file.string() + " " + path("out.pdf")).status, 0);
    ASSERT_EQ(run("pdftotext -enc UTF-8 " + path("out.pdf") + " " + path("out.txt")).status, 0);
    const std::string text = std::regex_replace(gw::readWholeFile(path("out.txt")), std::regex("\\s+"), " ");
    const gw::CrosswordFile cw = gw::readCrosswordFile(file, gw::CrosswordReadMode::Authoring);
    const gw::CrosswordNumbering numbering = gw::numberCrossword(cw);
    EXPECT_EQ(numbering.across.size() + numbering.down.size(), cw.definitions.size());
    for (const auto* list : {&numbering.across, &numbering.down})
      for (const gw::NumberedWord& w : *list) {
        const std::string entryText =
            std::to_string(w.number) + ". " + gw::toUtf8(w.clue, gw::clueCodePage(cw.charset));
        EXPECT_NE(text.find(entryText), std::string::npos) << entryText;
      }
    EXPECT_NE(text.find("Across"), std::string::npos);
    EXPECT_NE(text.find("Down"), std::string::npos);
  }
}

// A 15 x 15 board of short words with long clues: the clue lists flow on to further pages and
// none is lost on the way.
TEST_F(InterchangeCli, LongClueListsFlowOnToFurtherPages) {
  if (run("pdftotext -v").status != 0) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  gw::CrosswordFile cw;
  cw.rows = cw.columns = 15;
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 15; ++c)
      cw.board += (r % 2 == 1 && c % 2 == 1) ? ' ' : static_cast<char>('A' + (r + c) % 26);
  for (int r = 0; r < 15; r += 2) {  // across words on the even rows, down words on the even columns
    cw.definitions.push_back({gw::Direction::Across, static_cast<std::uint8_t>(r), 0, 15, ""});
    cw.definitions.push_back({gw::Direction::Down, 0, static_cast<std::uint8_t>(r), 15, ""});
  }
  for (std::size_t i = 0; i < cw.definitions.size(); ++i)
    cw.definitions[i].clue = "Clue " + std::to_string(i) + std::string(" that goes on and on") +
                             std::string(12, '!') +
                             " over several lines of the narrow clue column, so that the lists need room";
  // One clue of 2,000 words runs over columns and pages; not one word of it is cut.
  std::string longest = "Longest";
  for (int w = 0; w < 2000; ++w) longest += " w" + std::to_string(w);
  cw.definitions[1].clue = longest;
  gw::writeCrosswordFile(path("long.C_W"), cw);
  ASSERT_EQ(tool("pdf " + path("long.C_W") + " " + path("long.pdf") + " --title Long --author \"A. Setter\"")
                .status,
            0);
  ASSERT_EQ(run("pdftotext " + path("long.pdf") + " " + path("long.txt")).status, 0);
  const std::string text = gw::readWholeFile(path("long.txt"));
  EXPECT_NE(text.find('\f'), text.rfind('\f')) << "one page only";
  const std::string flat = std::regex_replace(text, std::regex("\\s+"), " ");
  for (std::size_t i = 0; i < cw.definitions.size(); ++i)
    if (i != 1) {
      EXPECT_NE(flat.find("Clue " + std::to_string(i) + " that"), std::string::npos) << i;
    }
  for (int w = 0; w < 2000; ++w) EXPECT_NE(flat.find(" w" + std::to_string(w) + " "), std::string::npos) << w;
  EXPECT_NE(flat.find("Long A. Setter"), std::string::npos) << flat.substr(0, 40);
}

// Every word of a 15 x 15 board with a clue of a few words.
gw::CrosswordFile cluedFifteen(const std::string& board) {
  gw::CrosswordFile cw;
  cw.rows = cw.columns = 15;
  cw.board = board;
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 15; ++c)
      for (gw::Direction d : {gw::Direction::Across, gw::Direction::Down}) {
        const bool starts = board[r * 15 + c] != ' ' &&
                            (d == gw::Direction::Across ? (c == 0 || board[r * 15 + c - 1] == ' ')
                                                        : (r == 0 || board[(r - 1) * 15 + c] == ' '));
        int length = 0;
        while (starts && (d == gw::Direction::Across ? c + length : r + length) < 15 &&
               board[(d == gw::Direction::Across ? r * 15 + c + length : (r + length) * 15 + c)] != ' ')
          ++length;
        if (starts && length >= 2)
          cw.definitions.push_back({d, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(c),
                                    static_cast<std::uint8_t>(length), "A clue of a few words, as most are"});
      }
  return cw;
}

// The 66 clues of a 15 x 15 crossword, and the 76 of a composer's American 15 x 15, share the
// grid's page on A4 and Letter.
TEST_F(InterchangeCli, AFifteenBoardWithItsCluesFitsOnOnePage) {
  if (run("pdfinfo -v").status != 0) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  std::string open;
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 15; ++c) open += (r % 4 == 1 && c % 4 == 3) || (r % 4 == 3 && c % 4 == 1) ? ' ' : 'A';
  const std::string american =
      gw::readCrosswordFile(std::string(GW_SOURCE_DIR) + "/tests/data/crossword/good-us15.C_W",
                            gw::CrosswordReadMode::Authoring)
          .board;
  for (const auto& [board, words] : {std::pair{open, 66u}, std::pair{american, 76u}}) {
    const gw::CrosswordFile clued = cluedFifteen(board);
    ASSERT_EQ(clued.definitions.size(), words);
    gw::writeCrosswordFile(path("b.C_W"), clued);
    for (const char* paper : {"a4", "letter"}) {
      ASSERT_EQ(tool("pdf " + path("b.C_W") + " " + path("b.pdf") + " --paper " + paper + " --author Setter")
                    .status,
                0);
      const std::string info = run("pdfinfo " + path("b.pdf")).out;
      EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +1\n"))) << paper << " " << words;
    }
  }
}

TEST_F(InterchangeCli, PaperAndSolutionPageAreAsAsked) {
  if (run("pdfinfo -v").status != 0) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  ASSERT_EQ(tool("pdf " + example("en-donor.C_W") + " " + path("a4.pdf")).status, 0);
  ASSERT_EQ(
      tool("pdf " + example("en-donor.C_W") + " " + path("letter.pdf") + " --solution --paper letter").status,
      0);
  const std::string a4 = run("pdfinfo " + path("a4.pdf")).out;
  const std::string letter = run("pdfinfo " + path("letter.pdf")).out;
  EXPECT_TRUE(std::regex_search(a4, std::regex("Pages: +1\n"))) << a4;
  EXPECT_NE(a4.find("(A4)"), std::string::npos) << a4;
  EXPECT_TRUE(std::regex_search(letter, std::regex("Pages: +2\n"))) << letter;
  EXPECT_NE(letter.find("612 x 792 pts (letter)"), std::string::npos) << letter;
  ASSERT_EQ(run("pdftotext -f 2 -l 2 " + path("letter.pdf") + " " + path("solution.txt")).status, 0);
  const std::string solution = gw::readWholeFile(path("solution.txt"));
  for (const char* letterOfTheSolution : {"D", "O", "E", "T", "N", "H"})
    EXPECT_NE(solution.find(letterOfTheSolution), std::string::npos);
}

}  // namespace
