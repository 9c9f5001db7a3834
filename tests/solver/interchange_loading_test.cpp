// Cross solves ipuz and .puz files as crosswords: the same board and clues as the crossword
// they were exported from, a progress file of their own, and damaged files refused whole.
#include <gtest/gtest.h>

#include <unistd.h>

#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "interchange/interchange_files.h"
#include "solver/core/loader.h"
#include "tests/support/expect_throw_msg.h"
#include "tests/support/temp_folder.h"

using gw::CellPos;
using namespace gw;
using namespace gw::cross;
namespace fs = std::filesystem;

namespace {

class CrossInterchangeLoading : public ::testing::Test {
 protected:
  // The example exported beside a copy of itself: NAME.C_W and NAME.ipuz / NAME.puz.
  fs::path exportExample(const std::string& name, InterchangeFormat format) {
    const CrosswordFile cw = readCrosswordFile(std::string(GW_SOURCE_DIR) + "/data/examples/" + name + ".C_W",
                                               CrosswordReadMode::Solver);
    writeCrosswordFile(dir_ / (name + ".C_W"), cw);
    const fs::path out = dir_ / (name + (format == InterchangeFormat::Ipuz ? ".ipuz" : ".puz"));
    writeFileAtomically(out, exportCrossword(cw, format).bytes);
    return out;
  }

  gw::test::TempFolder folder_{"cross_interchange"};
  fs::path dir_ = folder_.path();
};

TEST_F(CrossInterchangeLoading, AnExportedCrosswordIsSolvedLikeItsOriginal) {
  for (const auto& [name, format] :
       {std::pair{"sr-cyrillic-vitez", InterchangeFormat::Ipuz},
        std::pair{"en-donor", InterchangeFormat::Ipuz}, std::pair{"de-otter", InterchangeFormat::Puz}}) {
    SCOPED_TRACE(name);
    LoadedCrossword exported = loadCrossword(exportExample(name, format));
    LoadedCrossword original = loadCrossword(dir_ / (std::string(name) + ".C_W"));
    Board& a = exported.board;
    Board& b = original.board;
    EXPECT_EQ(a.language(), b.language());
    EXPECT_EQ(a.rows(), b.rows());
    EXPECT_EQ(a.columns(), b.columns());
    EXPECT_EQ(a.current(), b.current());
    for (int r = 0; r < b.rows(); ++r)
      for (int c = 0; c < b.columns(); ++c) {
        EXPECT_EQ(a.solutionAt(r, c), b.solutionAt(r, c)) << r << ", " << c;
        a.selectCell(CellPos{r, c});
        b.selectCell(CellPos{r, c});
        EXPECT_EQ(a.acrossClueAt(), b.acrossClueAt()) << r << ", " << c;
        EXPECT_EQ(a.downClueAt(), b.downClueAt()) << r << ", " << c;
      }
    EXPECT_EQ(a.pictures().size(), format == InterchangeFormat::Ipuz ? b.pictures().size() : 0u);
  }
}

TEST_F(CrossInterchangeLoading, ProgressIsKeptBesideTheFileApartFromTheOriginals) {
  const fs::path puz = exportExample("en-igloo", InterchangeFormat::Puz);
  LoadedCrossword solving = loadCrossword(puz);
  EXPECT_EQ(solving.progressPath, dir_ / "en-igloo.puz.RES_CW");
  EXPECT_EQ(loadCrossword(dir_ / "en-igloo.C_W").progressPath, dir_ / "en-igloo.RES_CW");
  writeFileAtomically(solving.progressPath, "NAS" + std::string(22, ' '));
  solving = loadCrossword(puz);
  EXPECT_EQ(solving.board.entries().substr(0, 4), "NAS ");
  EXPECT_FALSE(fs::exists(dir_ / "en-igloo.RES_CW"));
}

TEST_F(CrossInterchangeLoading, ADamagedOrForeignFileLoadsNothingAndSaysWhy) {
  const fs::path puz = exportExample("en-igloo", InterchangeFormat::Puz);
  std::string bytes = readWholeFile(puz);
  bytes[60] = static_cast<char>(bytes[60] ^ 1);
  writeFileAtomically(puz, bytes);
  try {
    loadCrossword(puz);
    ADD_FAILURE() << "loaded";
  } catch (const FormatError& e) {
    EXPECT_STREQ(e.what(), "damaged .puz file");
  }
  writeFileAtomically(dir_ / "circles.ipuz", R"({"version": "http://ipuz.org/v2",
    "kind": ["http://ipuz.org/crossword#1"], "dimensions": {"width": 2, "height": 1},
    "puzzle": [[{"cell": 1, "style": {"shapebg": "circle"}}, 0]], "solution": [["A", "B"]]})");
  EXPECT_THROW_MSG(loadCrossword(dir_ / "circles.ipuz"), FormatError, "circle");
  // Pictures past the pixel budget: refused with the player's message, the progress untouched.
  const fs::path bomb = dir_ / "bomb.ipuz";
  fs::copy_file(std::string(GW_SOURCE_DIR) + "/tests/data/ipuz/broken-picture-bomb.ipuz", bomb);
  writeFileAtomically(progressPathFor(bomb), "progress");
  EXPECT_THROW_MSG(loadCrossword(bomb), FormatError, "The crossword's pictures are too large");
  EXPECT_EQ(readWholeFile(progressPathFor(bomb)), "progress");
}

}  // namespace
