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

bool DefinitionTable::insert(Definition row) {
  if (!insertAllowed() || find(row.direction, row.row, row.column)) return false;
  auto it = std::upper_bound(rows_.begin(), rows_.end(), row, definitionKeyLess);
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
  return true;
}

void DefinitionTable::clear() { rows_.clear(); }

}  // namespace gw
