// Helper of the window check under Xvfb.
//   cross_test_tool samples DIR   writes the sample crosswords en.C_W, de.C_W, sr.C_W
//   cross_test_tool tall ROWS COLUMNS FILE  writes an English crossword of that size
//   cross_test_tool keys FILE     prints "column row key" for every letter cell of FILE,
//                                 key being the xdotool name of the US key that enters it
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "common/crossword_reader.h"
#include "sample_crosswords.h"
#include "solver/core/board.h"

using namespace gw::cross::testing;

namespace {

std::string xdotoolName(char k) {
  static const std::map<char, std::string> kNames{
      {'[', "bracketleft"}, {']', "bracketright"}, {';', "semicolon"}, {'\'', "apostrophe"},
      {'\\', "backslash"},  {',', "comma"},        {'.', "period"},    {'/', "slash"},
      {'-', "minus"},       {'=', "equal"},        {'`', "grave"},     {' ', "space"}};
  auto it = kNames.find(k);
  if (it != kNames.end()) return it->second;
  return std::string(1, k);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "samples") {
    std::filesystem::path dir = argv[2];
    std::filesystem::create_directories(dir);
    gw::writeCrosswordFile(dir / "en.C_W", englishSample());
    gw::writeCrosswordFile(dir / "de.C_W", germanSample());
    gw::writeCrosswordFile(dir / "sr.C_W", serbianSample());
    return 0;
  }
  if (argc == 5 && std::string(argv[1]) == "tall") {
    int rows = std::atoi(argv[2]), columns = std::atoi(argv[3]);
    std::vector<std::string> lines(rows, std::string(columns, ' '));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c)
        lines[r][c] = (r + 2 * c) % 7 == 3 ? ' ' : static_cast<char>('A' + (r * 7 + c) % 26);
    gw::writeCrosswordFile(argv[4], boardFromRows(gw::Language::English, lines));
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "keys") {
    gw::cross::Board b =
        gw::cross::Board::fromCrossword(gw::readCrosswordFile(argv[2], gw::CrosswordReadMode::Authoring));
    for (int r = 0; r < b.rows(); ++r)
      for (int c = 0; c < b.columns(); ++c) {
        if (b.isBlock(r, c) || b.isUnderPicture(r, c)) continue;
        char k = usKeyFor(b.solutionAt(r, c), b.language());
        if (k == 0) {
          std::fprintf(stderr, "no key enters the letter at column %d, row %d\n", c, r);
          return 1;
        }
        std::printf("%d %d %s\n", c, r, xdotoolName(k).c_str());
      }
    return 0;
  }
  std::fprintf(stderr, "usage: cross_test_tool samples DIR | keys FILE.C_W\n");
  return 2;
}
