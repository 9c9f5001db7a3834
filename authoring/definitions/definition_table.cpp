#include "authoring/definitions/definition_table.h"

#include <algorithm>
#include <tuple>

namespace gw {

namespace {
// Down words sort before across words.
int directionRank(Direction d) { return d == Direction::Down ? 0 : 1; }
}  // namespace

bool definitionKeyLess(const Definition& a, const Definition& b) {
  return std::tuple(directionRank(a.direction), a.row, a.column) <
         std::tuple(directionRank(b.direction), b.row, b.column);
}

std::optional<std::size_t> DefinitionTable::find(Direction direction, int row, int column) const {
  const Definition key{direction, row, column, {}, {}};
  auto it = std::lower_bound(rows_.begin(), rows_.end(), key, definitionKeyLess);
  if (it == rows_.end() || it->direction != direction || it->row != row || it->column != column)
    return std::nullopt;
  return static_cast<std::size_t>(it - rows_.begin());
}

bool DefinitionTable::locate(Direction direction, int row, int column) {
  const auto i = find(direction, row, column);
  if (i) current_ = *i;
  return i.has_value();
}

bool DefinitionTable::insert(Definition row) {
  if (!insertAllowed() || find(row.direction, row.row, row.column)) return false;
  auto it = std::upper_bound(rows_.begin(), rows_.end(), row, definitionKeyLess);
  current_ = static_cast<std::size_t>(it - rows_.begin());
  rows_.insert(it, std::move(row));
  return true;
}

bool DefinitionTable::assign(std::vector<Definition> rows) {
  if (!insertAllowed()) return false;
  std::sort(rows.begin(), rows.end(), definitionKeyLess);
  auto sameKey = [](const Definition& a, const Definition& b) {
    return !definitionKeyLess(a, b) && !definitionKeyLess(b, a);
  };
  rows.erase(std::unique(rows.begin(), rows.end(), sameKey), rows.end());
  rows_ = std::move(rows);
  current_ = 0;
  return true;
}

void DefinitionTable::clear() {
  rows_.clear();
  current_ = 0;
}

std::optional<std::size_t> DefinitionTable::current() const {
  if (rows_.empty()) return std::nullopt;
  return std::min(current_, rows_.size() - 1);
}

void DefinitionTable::setCurrent(std::size_t i) {
  if (i < rows_.size()) current_ = i;
}

}  // namespace gw
