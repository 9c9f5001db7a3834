#include "authoring/composing/layout/board.h"

#include "authoring/composing/dictionary/dictionary.h"
#include "common/file_io.h"

namespace gw {

void ComposingBoard::clearAll(int rows, int columns) {
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < rows; ++r) clearCell(r, c);
}

void ComposingBoard::copyPart(const ComposingBoard& from, int rows, int columns) {
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < rows; ++r) cell(r, c) = from.cell(r, c);
}

namespace {

// Appends a slot for every maximal run of non-isle cells along `lines` that holds an empty cell.
template <typename CellAt>
void scanRuns(std::vector<Slot>& slots, int lines, int along, Direction direction, CellAt cellAt) {
  for (int line = 0; line < lines; ++line) {
    int k = 0;
    while (k < along) {
      if (cellAt(line, k).length != 0 && cellAt(line, k).character == kIsle) {
        ++k;
        continue;
      }
      int start = k;
      bool open = false;
      for (; k < along; ++k) {
        const BoardCell& c = cellAt(line, k);
        if (c.length != 0 && c.character == kIsle) break;
        if (c.length == 0) open = true;
      }
      if (!open) continue;
      Slot s;
      s.length = static_cast<std::int8_t>(k - start);
      s.direction = direction;
      s.candidateIndex = 0;
      if (direction == Direction::Across) {
        s.row = static_cast<std::uint8_t>(line);
        s.column = static_cast<std::uint8_t>(start);
      } else {
        s.row = static_cast<std::uint8_t>(start);
        s.column = static_cast<std::uint8_t>(line);
      }
      slots.push_back(std::move(s));
    }
  }
}

}  // namespace

std::vector<Slot> deriveSlots(const Layout& layout) {
  std::vector<Slot> slots;
  const ComposingBoard& b = layout.board;
  scanRuns(slots, layout.rows, layout.columns, Direction::Across,
           [&](int row, int column) -> const BoardCell& { return b.cell(row, column); });
  scanRuns(slots, layout.columns, layout.rows, Direction::Down,
           [&](int column, int row) -> const BoardCell& { return b.cell(row, column); });
  return slots;
}

bool slotsCross(const Slot& a, const Slot& b) {
  if (a.direction == b.direction) return false;
  const Slot& across = a.direction == Direction::Across ? a : b;
  const Slot& down = a.direction == Direction::Across ? b : a;
  return down.column >= across.column && down.column < across.column + across.length &&
         across.row >= down.row && across.row < down.row + down.length;
}

std::string slotQuery(const ComposingBoard& board, const Slot& slot) {
  std::string q(static_cast<std::size_t>(slot.length), kAnyLetter);
  for (int k = 0; k < slot.length; ++k) {
    const BoardCell& c = board.at(slot.cellIndex(k));
    if (c.length == 1) q[static_cast<std::size_t>(k)] = c.character;
  }
  return q;
}

std::string slotPattern(const ComposingBoard& board, const Slot& slot) {
  return "^" + slotQuery(board, slot) + "$";
}

int knownCellCount(const ComposingBoard& board, const Slot& slot) {
  int n = 0;
  for (int k = 0; k < slot.length; ++k)
    if (board.at(slot.cellIndex(k)).length == 1) ++n;
  return n;
}

std::string wordOnBoard(const ComposingBoard& board, const Slot& slot) {
  std::string w;
  for (int k = 0; k < slot.length; ++k) {
    const BoardCell& c = board.at(slot.cellIndex(k));
    if (c.length == 1) w.push_back(c.character);
  }
  return w;
}

void placeWord(ComposingBoard& board, const Slot& slot, std::string_view word) {
  for (int k = 0; k < slot.length && k < static_cast<int>(word.size()); ++k)
    board.at(slot.cellIndex(k)) = {1, word[static_cast<std::size_t>(k)]};
}

CrosswordFile resultCrossword(const Layout& layout) {
  CrosswordFile cw;
  cw.language = layout.language;
  cw.rows = static_cast<std::uint8_t>(layout.rows);
  cw.columns = static_cast<std::uint8_t>(layout.columns);
  cw.board.reserve(static_cast<std::size_t>(layout.rows) * layout.columns);
  for (int r = 0; r < layout.rows; ++r) {
    for (int c = 0; c < layout.columns; ++c) {
      const BoardCell& cell = layout.board.cell(r, c);
      cw.board.push_back(cell.length == 0 || cell.character == kIsle ? kBlankCell : cell.character);
    }
  }
  return cw;
}

std::string resultFileName(const std::string& patternFileName, int number) {
  return withExtension(std::filesystem::path(patternFileName).filename(), std::to_string(number) + ".C_W")
      .string();
}

std::vector<int> slotLengths(const std::vector<Slot>& slots) {
  std::vector<int> lengths;
  lengths.reserve(slots.size());
  for (const Slot& s : slots) lengths.push_back(s.length);
  return lengths;
}

}  // namespace gw
