#include "authoring/definitions/clue_list.h"

#include <algorithm>
#include <tuple>

#include "interchange/crossword_numbering.h"

namespace gw {

bool hasClueText(std::string_view clue) {
  return clue.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

std::vector<int> printedNumbers(const CrosswordDocument& document) {
  const DefinitionTable& table = document.definitions();
  std::vector<int> numbers(table.size(), 0);
  if (!document.hasBoard()) return numbers;
  // Only what numbering reads: the board, where pictures stand, and which one-letter words
  // have a clue. Clue texts and picture files stay where they are.
  CrosswordFile shape;
  shape.rows = static_cast<std::uint8_t>(document.rows());
  shape.columns = static_cast<std::uint8_t>(document.columns());
  shape.board = document.board();
  for (const PlacedPicture& p : document.pictures()) {
    Picture placement = p.placement;
    placement.jpeg.clear();
    shape.pictures.push_back(std::move(placement));
  }
  for (const Definition& d : table.rows())
    if (d.length() == 1 && hasClueText(d.clue))
      shape.definitions.push_back(
          {d.direction, static_cast<std::uint8_t>(d.row), static_cast<std::uint8_t>(d.column), 1, "x"});
  const CrosswordNumbering numbering = numberCrossword(shape);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Definition& d = table.at(i);
    if (d.length() >= 2 || hasClueText(d.clue)) numbers[i] = numbering.numberAt(d.row, d.column);
  }
  return numbers;
}

std::vector<std::size_t> listOrder(const DefinitionTable& table, const std::vector<int>& numbers,
                                   bool byNumber) {
  std::vector<std::size_t> order(table.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (!byNumber) return order;
  auto key = [&](std::size_t i) {
    const bool printed = i < numbers.size() && numbers[i] > 0;
    return std::tuple(!printed, table.at(i).direction == Direction::Across ? 0 : 1, printed ? numbers[i] : 0);
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  return order;
}

std::optional<std::size_t> stepInOrder(const std::vector<std::size_t>& order, std::size_t current, int step) {
  const auto at = std::find(order.begin(), order.end(), current);
  if (at == order.end()) return std::nullopt;
  const auto position = static_cast<std::ptrdiff_t>(at - order.begin()) + step;
  if (position < 0 || position >= static_cast<std::ptrdiff_t>(order.size())) return std::nullopt;
  return order[static_cast<std::size_t>(position)];
}

bool definitionCovers(const Definition& d, CellPos cell) {
  if (d.direction == Direction::Across)
    return cell.row == d.row && cell.column >= d.column && cell.column < d.column + d.length();
  return cell.column == d.column && cell.row >= d.row && cell.row < d.row + d.length();
}

std::optional<std::size_t> definitionThrough(const DefinitionTable& table, CellPos cell,
                                             Direction direction) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table.at(i).direction == direction && definitionCovers(table.at(i), cell)) return i;
  return std::nullopt;
}

std::optional<std::size_t> definitionForClick(const DefinitionTable& table, CellPos cell,
                                              std::optional<std::size_t> current) {
  auto other = [](Direction d) { return d == Direction::Across ? Direction::Down : Direction::Across; };
  Direction preferred = Direction::Across;
  if (current && *current < table.size()) {
    const Definition& d = table.at(*current);
    preferred = definitionCovers(d, cell) ? other(d.direction) : d.direction;
  }
  if (auto found = definitionThrough(table, cell, preferred)) return found;
  return definitionThrough(table, cell, other(preferred));
}

ClueCount countMissingClues(const DefinitionTable& table) {
  ClueCount count;
  for (const Definition& d : table.rows()) {
    if (d.length() < 2) continue;
    ++count.words;
    if (!hasClueText(d.clue)) ++count.missing;
  }
  return count;
}

}  // namespace gw
