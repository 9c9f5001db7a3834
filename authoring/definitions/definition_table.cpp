#include "authoring/definitions/definition_table.h"

#include <algorithm>
#include <tuple>

namespace gw {

bool definitionKeyLess(bool h1, int x1, int y1, bool h2, int x2, int y2) {
  return std::tie(h1, x1, y1) < std::tie(h2, x2, y2);
}

namespace {
auto keyLess = [](const Definition& a, const Definition& b) {
  return definitionKeyLess(a.h, a.x, a.y, b.h, b.x, b.y);
};
}  // namespace

std::optional<std::size_t> DefinitionTable::find(bool h, int x, int y) const {
  Definition key{h, x, y, {}, {}};
  auto it = std::lower_bound(rows_.begin(), rows_.end(), key, keyLess);
  if (it == rows_.end() || it->h != h || it->x != x || it->y != y) return std::nullopt;
  return static_cast<std::size_t>(it - rows_.begin());
}

bool DefinitionTable::locate(bool h, int x, int y) {
  const auto i = find(h, x, y);
  if (i) current_ = *i;
  return i.has_value();
}

bool DefinitionTable::insert(Definition row) {
  if (!DescBeforeInsert() || find(row.h, row.x, row.y)) return false;
  auto it = std::upper_bound(rows_.begin(), rows_.end(), row, keyLess);
  current_ = static_cast<std::size_t>(it - rows_.begin());
  rows_.insert(it, std::move(row));
  return true;
}

bool DefinitionTable::assign(std::vector<Definition> rows) {
  if (!DescBeforeInsert()) return false;
  std::sort(rows.begin(), rows.end(), keyLess);
  rows.erase(std::unique(rows.begin(), rows.end(),
                         [](const Definition& a, const Definition& b) { return !keyLess(a, b) && !keyLess(b, a); }),
             rows.end());
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
