#pragma once
// The editing page's list of words as the printed crossword numbers them: each definition's
// printed number, the two orders the list can walk, and how many words still lack a clue.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "authoring/definitions/crossword_document.h"

namespace gw {

// Whether a clue text says anything (blanks alone do not).
bool hasClueText(std::string_view clue);

// The printed number of each definition, in table order, as the PDF, ipuz and .puz number
// them; 0 for a word that is not printed (a one-letter word without a clue).
std::vector<int> printedNumbers(const CrosswordDocument& document);

// The table's rows in list order: the table's own, or by printed number (Across 1..n, then
// Down 1..n, words not printed last in table order).
std::vector<std::size_t> listOrder(const DefinitionTable& table, const std::vector<int>& numbers,
                                   bool byNumber);

// The definition `step` places after (or, negative, before) `current` in `order`; nullopt past
// either end or for a definition not in the order.
std::optional<std::size_t> stepInOrder(const std::vector<std::size_t>& order, std::size_t current, int step);

// The definition whose word runs through `cell` in `direction`, if any.
std::optional<std::size_t> definitionThrough(const DefinitionTable& table, CellPos cell, Direction direction);

// A click on a board cell: the word through it in the current word's direction (Across when
// there is none, or the other direction where that one has no word); a click on a cell of the
// current word switches to the word through it in the other direction, where there is one.
std::optional<std::size_t> definitionForClick(const DefinitionTable& table, CellPos cell,
                                              std::optional<std::size_t> current);

// Whether a definition's word covers the cell.
bool definitionCovers(const Definition& d, CellPos cell);

struct ClueCount {
  int words = 0;    // words that are printed when clued: two letters or more
  int missing = 0;  // of those, the ones without a clue
};
ClueCount countMissingClues(const DefinitionTable& table);

}  // namespace gw
