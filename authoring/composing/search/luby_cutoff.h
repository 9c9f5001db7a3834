#pragma once
// Restart budgets on the Luby schedule scale × 1, 1, 2, 1, 1, 2, 4, 1, 1, 2, ... (after
// Gecode's CutoffLuby): within a constant factor of the best fixed schedule when nothing is
// known about the search's run-time distribution.
#include <cstdint>

namespace gw {

class LubyCutoff {
 public:
  explicit LubyCutoff(std::uint64_t scale) : scale_(scale) {}

  // The budget of the current restart.
  std::uint64_t operator()() const { return scale_ * luby(index_); }
  // Moves on to the next restart and returns its budget.
  std::uint64_t next() {
    ++index_;
    return (*this)();
  }
  // The i-th term of the sequence, from 1.
  static std::uint64_t luby(std::uint64_t i);

 private:
  std::uint64_t scale_;
  std::uint64_t index_ = 1;
};

}  // namespace gw
