#pragma once
// Crosswords for tests: the shipped examples (data/examples of the source tree) and small boards
// spelt as rows of letters.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/crossword_file.h"

namespace gw::test {

// The example crosswords in name order; a test that reads them expects at least one.
inline std::vector<std::filesystem::path> exampleCrosswords() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(GW_SOURCE_DIR) + "/data/examples"))
    if (entry.path().extension() == ".C_W") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// A board from rows of letters, '#' for a blank cell; English, ANSI clues, nothing else.
inline CrosswordFile boardOf(const std::vector<std::string>& rows) {
  CrosswordFile cw;
  cw.rows = static_cast<std::uint8_t>(rows.size());
  cw.columns = static_cast<std::uint8_t>(rows[0].size());
  for (std::string row : rows) {
    std::replace(row.begin(), row.end(), '#', kBlankCell);
    cw.board += row;
  }
  return cw;
}

}  // namespace gw::test
