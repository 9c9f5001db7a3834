#include "authoring/composing/search/saved_search_check.h"

#include <string>

#include "common/errors.h"

namespace gw {

namespace {

[[noreturn]] void mismatch(int position) {
  throw FormatError("The state file does not belong to this layout: the words at position " +
                    std::to_string(position) + " disagree with the layout's fixed letters.");
}

// The letter every candidate has at `k`, or kAnyLetter when they differ there.
char sharedLetter(const Slot& slot, int k) {
  const char first = slot.candidate(0)[static_cast<std::size_t>(k)];
  for (int n = 1; n < slot.candidateCount(); ++n)
    if (slot.candidate(n)[static_cast<std::size_t>(k)] != first) return kAnyLetter;
  return first;
}

}  // namespace

void checkSavedSearchLetters(const SearchState& state, const Layout& layout, const Dictionary& dictionary) {
  ComposingBoard board = layout.board;
  for (int position = 1; position <= state.depth; ++position) {
    const Slot& slot = state.slots[static_cast<std::size_t>(position - 1)];
    if (slot.candidateCount() == 0) break;
    const std::string pattern = slotQuery(board, slot);
    for (int k = 0; k < slot.length; ++k) {
      const char known = pattern[static_cast<std::size_t>(k)];
      const char shared = sharedLetter(slot, k);
      if (known != kAnyLetter) {
        if (shared != known) mismatch(position);
        continue;
      }
      // An open cell where the saved words agree is a fixed letter of the layout they were
      // found on, unless the dictionary has no other word for the pattern either.
      if (shared == kAnyLetter) continue;
      std::string narrowed = pattern;
      narrowed[static_cast<std::size_t>(k)] = shared;
      if (dictionary.countWords(narrowed) != dictionary.countWords(pattern)) mismatch(position);
    }
    if (position < state.depth && slot.hasCurrentWord())
      placeWord(board, slot, slot.candidate(slot.candidateIndex));
  }
}

}  // namespace gw
