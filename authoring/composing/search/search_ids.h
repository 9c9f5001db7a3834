#pragma once
// Typed indices for the search core: a slot number cannot be passed where a cell number is
// wanted, and tables indexed by them need no casts (after minisat's IntMap).
#include <compare>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace gw {

template <typename Tag>
class SearchId {
 public:
  constexpr SearchId() = default;  // none()
  constexpr explicit SearchId(std::size_t index) : value_(static_cast<std::uint32_t>(index)) {}
  static constexpr SearchId none() { return SearchId(); }

  constexpr bool valid() const { return value_ != kNone; }
  constexpr std::size_t index() const { return value_; }
  friend constexpr auto operator<=>(SearchId, SearchId) = default;

 private:
  static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
  std::uint32_t value_ = kNone;
};

using SlotId = SearchId<struct SlotTag>;
using CellId = SearchId<struct CellTag>;

// The ids 0 to n − 1, for range-for.
template <typename Id>
class SearchIdRange {
 public:
  class iterator {
   public:
    constexpr explicit iterator(std::size_t i) : i_(i) {}
    constexpr Id operator*() const { return Id(i_); }
    constexpr iterator& operator++() {
      ++i_;
      return *this;
    }
    friend constexpr bool operator==(iterator, iterator) = default;

   private:
    std::size_t i_;
  };
  constexpr explicit SearchIdRange(std::size_t n) : n_(n) {}
  constexpr iterator begin() const { return iterator(0); }
  constexpr iterator end() const { return iterator(n_); }

 private:
  std::size_t n_;
};

// A table with one value per id.
template <typename Id, typename Value>
class SearchIdMap {
 public:
  SearchIdMap() = default;
  explicit SearchIdMap(std::size_t n, const Value& value = Value()) : values_(n, value) {}

  Value& operator[](Id id) { return values_[id.index()]; }
  const Value& operator[](Id id) const { return values_[id.index()]; }
  std::size_t size() const { return values_.size(); }
  SearchIdRange<Id> ids() const { return SearchIdRange<Id>(values_.size()); }
  void assign(std::size_t n, const Value& value) { values_.assign(n, value); }
  // Appends a value and returns its id.
  Id push(Value value) {
    values_.push_back(std::move(value));
    return Id(values_.size() - 1);
  }
  auto begin() { return values_.begin(); }
  auto end() { return values_.end(); }
  auto begin() const { return values_.begin(); }
  auto end() const { return values_.end(); }

 private:
  std::vector<Value> values_;
};

}  // namespace gw
