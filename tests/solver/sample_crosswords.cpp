#include "sample_crosswords.h"

#include "common/codepage.h"
#include "common/jpeg.h"
#include "common/key_mapping.h"

namespace gw::cross::testing {

CrosswordFile boardFromRows(Language language, const std::vector<std::string>& rows,
                            const std::string& cluePrefix) {
  CrosswordFile f;
  f.language = language;
  f.rows = static_cast<std::uint8_t>(rows.size());
  f.columns = static_cast<std::uint8_t>(rows.at(0).size());
  for (const std::string& r : rows) f.board += r;
  auto run = [&](Direction direction, int row, int column) {
    const bool across = direction == Direction::Across;
    std::string word;
    int r = row, c = column;
    while (r < f.rows && c < f.columns && f.cell(r, c) != kBlankCell) {
      word += f.cell(r, c);
      across ? ++c : ++r;
    }
    f.definitions.push_back({direction, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column),
                             static_cast<std::uint8_t>(word.size()), cluePrefix + word});
  };
  for (Direction direction : {Direction::Down, Direction::Across})
    for (int r = 0; r < f.rows; ++r)
      for (int c = 0; c < f.columns; ++c) {
        if (f.cell(r, c) == kBlankCell) continue;
        bool starts = direction == Direction::Across ? (c == 0 || f.cell(r, c - 1) == kBlankCell)
                                                     : (r == 0 || f.cell(r - 1, c) == kBlankCell);
        if (starts) run(direction, r, c);
      }
  return f;
}

CrosswordFile englishSample() {
  CrosswordFile f = boardFromRows(Language::English, {"CAT OX", "O EAR ", "WIND  ", "   OWL"});
  f.topMarks = {{2, 1}};
  f.leftMarks = {{1, 0}};
  return f;
}

CrosswordFile germanSample() {
  CrosswordFile f = boardFromRows(Language::German, {"ZEIT  ", "O  YAK", "OBSTPP", "    PP"}, "Wort ");
  f.pictures.push_back({4, 2, 2, 2, samplePicture()});
  return f;
}

CrosswordFile serbianSample() {
  auto cp = [](const char* utf8) { return fromUtf8(utf8, "windows-1251"); };
  CrosswordFile f = boardFromRows(Language::Serbian, {cp("ШУМА "), cp("Ч ЂАК"), cp("ЖЕЉЋ ")}, "");
  f.charset = ClueCharset::SerbianCyrillic;
  for (DefinitionRecord& d : f.definitions) d.clue = cp("Реч ") + d.clue;
  return f;
}

std::string samplePicture(int width, int height) {
  std::string rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      rgb += static_cast<char>(x * 255 / width);
      rgb += static_cast<char>(y * 255 / height);
      rgb += static_cast<char>(160);
    }
  return encodeJpegRgb(width, height, rgb);
}

char usKeyFor(char letter, Language language) {
  std::string_view us = usKeyString();
  for (char k : std::string(" ") + std::string(us)) {
    char upper = (k >= 'a' && k <= 'z') ? static_cast<char>(k - 32) : k;
    char mapped = mapSolverKey(upper, language);
    if (mapped >= 'a' && mapped <= 'z') mapped = static_cast<char>(mapped - 32);
    if (mapped == letter && isAcceptedLetter(mapped, language)) return k;
  }
  return 0;
}

}  // namespace gw::cross::testing
