#include "authoring/definitions/prepare_definitions.h"

#include "common/crossword_file.h"

namespace gw {

namespace {

// One line of cells: collects letters and emits a run at each blank after letters and at the end.
template <typename CellAt, typename Emit>
void scanLine(int length, CellAt cellAt, Emit emit) {
  std::string collected;
  for (int i = 0; i < length; ++i) {
    const char c = cellAt(i);
    if (c == kBlankCell) {
      if (!collected.empty()) emit(i - static_cast<int>(collected.size()), collected);
      collected.clear();
    } else {
      collected += c;
    }
  }
  if (!collected.empty()) emit(length - static_cast<int>(collected.size()), collected);
}

}  // namespace

std::vector<Definition> findBoardRuns(std::string_view board, int rows, int columns) {
  std::vector<Definition> runs;
  if (rows <= 0 || columns <= 0 || board.size() < static_cast<std::size_t>(rows) * columns) return runs;
  auto cell = [&](int r, int c) { return board[static_cast<std::size_t>(r) * columns + c]; };
  for (int r = rows - 1; r >= 0; --r) {
    auto cellAt = [&](int c) { return cell(r, c); };
    auto emit = [&](int start, const std::string& text) {
      runs.push_back({Direction::Across, r, start, {}, text});
    };
    scanLine(columns, cellAt, emit);
  }
  for (int c = columns - 1; c >= 0; --c) {
    auto cellAt = [&](int r) { return cell(r, c); };
    auto emit = [&](int start, const std::string& text) {
      runs.push_back({Direction::Down, start, c, {}, text});
    };
    scanLine(rows, cellAt, emit);
  }
  return runs;
}

bool refreshDefinitionWords(DefinitionTable& table, const std::vector<Definition>& runs, bool& wordsWritten) {
  for (const Definition& run : runs) {
    const auto i = table.find(run.direction, run.row, run.column);
    if (!i) return false;
    table.setWord(*i, run.word);
    wordsWritten = true;
  }
  return true;
}

bool prepareDefinitions(DefinitionTable& table, std::string_view board, int rows, int columns) {
  // Without a whole board (nothing open) there is nothing to prepare from.
  if (rows <= 0 || columns <= 0 || board.size() < static_cast<std::size_t>(rows) * columns) return false;
  std::vector<Definition> runs = findBoardRuns(board, rows, columns);
  bool wordsWritten = false;
  if (refreshDefinitionWords(table, runs, wordsWritten) && table.size() == runs.size()) return wordsWritten;

  // Rebuild, carrying over the clue text of every run that keeps its start and direction.
  for (Definition& run : runs) {
    if (const auto old = table.find(run.direction, run.row, run.column)) {
      run.clue = table.at(*old).clue;
      wordsWritten = true;
    }
  }
  DefinitionTable::InsertScope scope(table);
  table.assign(std::move(runs));
  return wordsWritten;
}

}  // namespace gw
