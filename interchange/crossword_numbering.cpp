#include "interchange/crossword_numbering.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace gw {

bool isUnderPicture(const CrosswordFile& cw, int row, int column) {
  return std::any_of(cw.pictures.begin(), cw.pictures.end(),
                     [&](const Picture& p) { return p.covers(row, column); });
}

bool isBlockCell(const CrosswordFile& cw, int row, int column) {
  return cw.cell(row, column) == kBlankCell || isUnderPicture(cw, row, column);
}

CrosswordNumbering numberCrossword(const CrosswordFile& cw) {
  CrosswordNumbering n;
  n.rows = cw.rows;
  n.columns = cw.columns;
  n.cellNumbers.assign(static_cast<std::size_t>(cw.rows) * cw.columns, 0);

  std::map<std::tuple<Direction, int, int>, const DefinitionRecord*> clues;
  for (const DefinitionRecord& d : cw.definitions) clues[{d.direction, d.row, d.column}] = &d;

  auto letter = [&](int r, int c) {
    return r >= 0 && c >= 0 && r < cw.rows && c < cw.columns && !isBlockCell(cw, r, c);
  };
  auto runLength = [&](int r, int c, bool across) {
    int length = 0;
    while (letter(r, c)) {
      ++length;
      (across ? c : r) += 1;
    }
    return length;
  };

  int next = 1;
  for (int r = 0; r < cw.rows; ++r)
    for (int c = 0; c < cw.columns; ++c) {
      if (!letter(r, c)) continue;
      bool numbered = false;
      std::vector<NumberedWord> found;
      for (Direction direction : {Direction::Across, Direction::Down}) {
        const bool across = direction == Direction::Across;
        if (letter(across ? r : r - 1, across ? c - 1 : c)) continue;  // not the start of a word
        NumberedWord w{direction, r, c, runLength(r, c, across), 0, {}};
        const auto clue = clues.find({direction, r, c});
        if (clue != clues.end()) {
          w.clue = clue->second->clue;
          clues.erase(clue);
        }
        if (w.length >= 2 || !w.clue.empty()) {
          numbered = true;
          found.push_back(std::move(w));
        }
      }
      if (!numbered) continue;
      n.cellNumbers[static_cast<std::size_t>(r) * cw.columns + c] = next;
      for (NumberedWord& w : found) {
        w.number = next;
        (w.direction == Direction::Across ? n.across : n.down).push_back(std::move(w));
      }
      ++next;
    }

  for (const auto& [key, d] : clues)
    if (!d->clue.empty())
      n.notes.push_back(std::string("The clue of the ") +
                        (d->direction == Direction::Across ? "across" : "down") + " word at row " +
                        std::to_string(d->row) + ", column " + std::to_string(d->column) +
                        " belongs to no word of the board and is left out.");
  return n;
}

}  // namespace gw
