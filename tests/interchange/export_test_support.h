#pragma once
// Shared by the export tests: the example crosswords read, definitions and marks compared.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/crossword_file.h"
#include "common/crossword_reader.h"
#include "tests/support/example_crosswords.h"

namespace gw::test {

inline CrosswordFile readExample(const std::filesystem::path& path) {
  return readCrosswordFile(path, CrosswordReadMode::Authoring);
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
