#pragma once
// Shared by the export tests: the example crosswords and small boards from ASCII rows.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/crossword_file.h"
#include "common/crossword_reader.h"

namespace gw::test {

inline std::vector<std::filesystem::path> exampleCrosswords() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(GW_SOURCE_DIR) + "/data/examples"))
    if (entry.path().extension() == ".C_W") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

inline CrosswordFile readExample(const std::filesystem::path& path) {
  return readCrosswordFile(path, CrosswordReadMode::Authoring);
}

// A board from rows of letters, '#' for a blank cell; English, ANSI clues.
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

inline DefinitionRecord definition(bool across, int row, int column, int length, std::string clue) {
  return {across ? Direction::Across : Direction::Down, static_cast<std::uint8_t>(row),
          static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(length), std::move(clue)};
}

// Marks in a fixed order, for comparing sets of marks.
inline std::vector<EdgeMark> sorted(std::vector<EdgeMark> marks) {
  std::sort(marks.begin(), marks.end(), [](const EdgeMark& a, const EdgeMark& b) {
    return std::pair(a.row, a.column) < std::pair(b.row, b.column);
  });
  return marks;
}

}  // namespace gw::test
