// gridwright-cw run as a program, on files written by the core writer and on the examples.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "authoring/composing/layout/composing_files.h"
#include "common/crossword_file.h"
#include "common/file_io.h"
#include "tests/support/example_crosswords.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using ToolRun = gw::test::CommandRun;

// Runs the tool with its standard error folded into `out` when `withErrors`.
ToolRun runTool(const std::string& args, bool withErrors = false) {
  return gw::test::runCommand(std::string(GW_PROGRAM_DIR) + "/gridwright-cw " + args +
                              (withErrors ? " 2>&1" : " 2>/dev/null"));
}

class GridwrightCw : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const gw::CrosswordFile& cw) {
    gw::writeCrosswordFile(dir_ / name, cw);
    return (dir_ / name).string();
  }
  std::string writeBytes(const std::string& name, const std::string& bytes) {
    gw::writeFileAtomically(dir_ / name, bytes);
    return (dir_ / name).string();
  }
  gw::test::TempFolder folder_{"gw-cw-cli"};
  fs::path dir_ = folder_.path();
};

// A composer result: a filled board, charset 0, nothing else.
gw::CrosswordFile composerResult() { return gw::test::boardOf({"CAT", "A#E", "DOG"}); }

TEST_F(GridwrightCw, ShowsAndJsonOfAComposerResult) {
  const std::string file = write("result.C_W", composerResult());
  const struct {
    const char* command;
    const char* out;
  } cases[] = {{"show",
                "Language: English (0)\n"
                "Board: 3 rows, 3 columns\n"
                "Clues: ANSI (0)\n"
                "Edge marks: 0 top, 0 left\n"
                "Pictures: 0\n\n"
                "CAT\n"
                "A#E\n"
                "DOG\n\n"},
               {"json",
                "{\n"
                "  \"language\": 0,\n"
                "  \"rows\": 3,\n"
                "  \"columns\": 3,\n"
                "  \"board\": [\"CAT\", \"A E\", \"DOG\"],\n"
                "  \"charset\": 0,\n"
                "  \"top_marks\": [],\n"
                "  \"left_marks\": [],\n"
                "  \"definitions\": [],\n"
                "  \"pictures\": []\n"
                "}\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const ToolRun run = runTool(std::string(c.command) + " " + file);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.out);
  }
}

TEST_F(GridwrightCw, ConvertsCodePagesAndEscapesJson) {
  gw::CrosswordFile cw;
  cw.language = gw::Language::Serbian;
  cw.charset = gw::ClueCharset::SerbianLatin;
  cw.rows = 1;
  cw.columns = 3;
  cw.board = "\xC4\xC0 ";  // ДА and a blank
  cw.topMarks = {{1, 0}};
  cw.leftMarks = {{2, 0}, {1, 0}};
  cw.definitions = {{gw::Direction::Across, 0, 0, 2, "Potvrdan \"odgovor\" \\ \x9A\n\t\x01"}};
  cw.pictures = {{2, 0, 1, 1, std::string(12, 'j')}};
  const std::string file = write("sr.C_W", cw);

  const ToolRun json = runTool("json " + file);
  EXPECT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("\"board\": [\"ДА \"]"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"top_marks\": [[1, 0]]"), std::string::npos);
  EXPECT_NE(json.out.find("\"left_marks\": [[2, 0], [1, 0]]"), std::string::npos);
  EXPECT_NE(json.out.find("{\"across\": true, \"row\": 0, \"column\": 0, \"length\": 2, "
                          "\"clue\": \"Potvrdan \\\"odgovor\\\" \\\\ š\\n\\t\\u0001\"}"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("{\"column\": 2, \"row\": 0, \"width\": 1, \"height\": 1, \"bytes\": 12}"),
            std::string::npos);

  const ToolRun show = runTool("show " + file);
  EXPECT_NE(show.out.find("ДА#\n"), std::string::npos) << show.out;
  EXPECT_NE(show.out.find("1. across, row 0, column 0, 2 letters: Potvrdan \"odgovor\" \\ š\\n\\t\\u0001\n"),
            std::string::npos)
      << show.out;
}

// A clue or board holding terminal escape sequences (ESC, and the C1 CSI that windows-1252's
// unassigned 0x81 to 0x9D become) cannot reach the terminal through show.
TEST_F(GridwrightCw, ShowEscapesControlCharacters) {
  gw::CrosswordFile cw = composerResult();
  cw.board[4] = '\x1B';
  cw.definitions = {{gw::Direction::Across, 0, 0, 3, "\x1B]0;owned\x07\x1B[2J\x9D"}};
  const ToolRun show = runTool("show " + write("escape.C_W", cw));
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.out.find('\x1B'), std::string::npos) << show.out;
  EXPECT_EQ(show.out.find('\x07'), std::string::npos);
  EXPECT_EQ(show.out.find("\xC2\x9D"), std::string::npos);
  EXPECT_NE(show.out.find("letters: \\u001b]0;owned\\u0007\\u001b[2J\\u009d\n"), std::string::npos)
      << show.out;
  EXPECT_NE(show.out.find("A\\u001bE\n"), std::string::npos) << show.out;
}

TEST_F(GridwrightCw, UnreadableFilesGiveTheReadersMessagesAndStatusOne) {
  ToolRun run = runTool("show " + writeBytes("short.C_W", "CW1"), true);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Bad file!\nBad file format : CW1\n");

  run = runTool("json " + writeBytes("lower.C_W", "cw10 and more"), true);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Bad file format : cw10\n");

  const std::string whole = gw::serializeCrossword(composerResult());
  run = runTool("json " + writeBytes("cut.C_W", whole.substr(0, whole.size() - 2)), true);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("ends early"), std::string::npos) << run.out;

  run = runTool("show " + (dir_ / "missing.C_W").string(), true);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("missing.C_W"), std::string::npos);

  EXPECT_EQ(runTool("print x.C_W").status, 2);

  // A composing layout is named as such, with the program that opens it.
  gw::Layout layout;
  layout.rows = 3;
  layout.columns = 3;
  run = runTool("show " + writeBytes("grid.C_WM", gw::serializePattern(layout)), true);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("is a composing layout"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Gridwright"), std::string::npos) << run.out;
}

TEST_F(GridwrightCw, HelpGoesToStandardOutputWithStatusZero) {
  const ToolRun run = runTool("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Usage: gridwright-cw show"), std::string::npos) << run.out;
}

TEST(GridwrightCwExamples, EveryExampleIsValidJsonWithAClueForEveryWord) {
  const std::vector<fs::path> examples = gw::test::exampleCrosswords();
  EXPECT_GE(examples.size(), 1u);
  for (const fs::path& example : examples) {
    SCOPED_TRACE(example.filename().string());
    const ToolRun show = runTool("show " + example.string());
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out.find(": \n"), std::string::npos) << "a word without a clue:\n" << show.out;
    // Python's json module is the judge of the JSON.
    const ToolRun check =
        runTool("json " + example.string() +
                " | python3 -c \"import json,sys; d=json.load(sys.stdin); "
                "assert d['definitions'] and d['pictures'] and (d['top_marks'] or d['left_marks']); "
                "assert all(len(r) == d['columns'] for r in d['board']); print('ok')\"");
    EXPECT_EQ(check.out, "ok\n");
  }
}

}  // namespace
