#include "authoring/composing/search/slot_order.h"

#include <utility>

#include "authoring/composing/dictionary/dictionary.h"

namespace gw {

std::string placeholderWord(int position, int length) {
  return std::string(static_cast<std::size_t>(length), std::to_string(position)[0]);
}

namespace {

// Slots are numbered from 1 here, as positions are.
struct Order {
  std::vector<Slot>& slots;
  int count() const { return static_cast<int>(slots.size()); }
  Slot& at(int position) { return slots[static_cast<std::size_t>(position - 1)]; }
  bool cross(int a, int b) { return slotsCross(at(a), at(b)); }
  int laterCrossings(int a) {
    int c = 0;
    for (int j = a + 1; j <= count(); ++j)
      if (cross(a, j)) ++c;
    return c;
  }
};

}  // namespace

bool orderSlots(std::vector<Slot>& slots, const Layout& layout, const Dictionary& dictionary) {
  Order o{slots};
  const int n = o.count();
  if (n == 0) return true;

  int best = 0;
  int first = 1;
  for (int a = 1; a <= n; ++a) {
    int c = o.laterCrossings(a);
    const Slot& s = o.at(a);
    if (s.length >= 2 && !dictionary.hasWord(slotQuery(layout.board, s))) return false;
    if (c > best && c > 0) {
      first = a;
      best = c;
    }
  }
  std::swap(o.at(first), o.at(1));

  // The layout plus the placeholders of the ordered positions.
  ComposingBoard board = layout.board;
  auto place = [&](int position) {
    placeWord(board, o.at(position), placeholderWord(position, o.at(position).length));
  };
  place(1);

  std::vector<int> score(static_cast<std::size_t>(n) + 1, 0);
  for (int i = 2; i <= n - 1; ++i) {
    // Crossing scores: ordered slots crossed, and a bonus for crossing the latest ordered
    // slot that still has open neighbours, so the order follows the board.
    int last = 0;
    for (int j = i; j <= n; ++j) {
      score[static_cast<std::size_t>(j)] = 0;
      for (int p = 1; p <= i - 1; ++p) {
        if (o.cross(p, j)) {
          ++score[static_cast<std::size_t>(j)];
          if (p > last) last = p;
        }
      }
    }
    if (last >= 1)
      for (int j = i; j <= n; ++j)
        if (o.cross(j, last)) score[static_cast<std::size_t>(j)] += n;

    int bestScore = 0, bestOpen = 0, choice = 0;
    for (int j = i; j <= n; ++j) {
      const Slot& s = o.at(j);
      int k = knownCellCount(board, s);
      int sc = score[static_cast<std::size_t>(j)];
      if (sc == bestScore && bestScore > 0) {
        if (k <= bestOpen) {
          choice = j;
          bestOpen = s.length - k;
        }
      } else if (sc > bestScore) {
        choice = j;
        bestScore = sc;
        bestOpen = s.length - k;
      }
    }
    if (choice == 0) {
      // Nothing left crosses an ordered slot: start a new part of the board.
      int threshold = 0;
      for (int j = i; j <= n; ++j) {
        if (o.laterCrossings(j) > threshold) {
          choice = j;
          threshold = best;
        }
      }
      if (choice == 0) choice = i;
    }
    std::swap(o.at(choice), o.at(i));
    place(i);
  }
  return true;
}

}  // namespace gw
