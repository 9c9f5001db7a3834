#pragma once
// The pattern file (.C_WM: a layout, always 3374 bytes) and the state file (.TMP: a
// stopped search). Readers check every count against the file and the layout and throw
// FormatError with a message for the user; they return new values and change nothing else.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/composing/layout/board.h"

namespace gw {

inline constexpr std::size_t kPatternFileSize = 12 + 2 * kBoardCells;  // 3374
inline constexpr std::size_t kSlotRecordSize = 16;
inline constexpr int kMaxSlots = 2 * kBoardCells;
// A state file holds the candidate lists of the placed slots, at most the words of a word list each.
inline constexpr std::uint64_t kMaxStateFileBytes = 1ull << 30;

std::string serializePattern(const Layout& layout);
Layout parsePattern(std::string_view bytes);
Layout readPatternFile(const std::filesystem::path& path);
void writePatternFile(const std::filesystem::path& path, const Layout& layout);

// A stopped search: the slots in filling order with the candidates of the placed ones.
// Result i of the search is numbered numberBase + i. A search that began beside results of
// its layout numbers after them; only then does the file record the base, in a trailer after
// the last slot ("GWRN" and the base), so that other files stay as they always were.
struct SearchState {
  std::int32_t depth = 0;
  std::int32_t resultCount = 0;
  std::vector<Slot> slots;
  std::int32_t numberBase = 0;
};

std::string serializeState(const SearchState& state);
// `layout` is the layout the search belongs to: the state's slots must be exactly its slots.
SearchState parseState(std::string_view bytes, const Layout& layout);
SearchState readStateFile(const std::filesystem::path& path, const Layout& layout);
void writeStateFile(const std::filesystem::path& path, const SearchState& state);

// The state file that belongs to a pattern file: the same name with the extension ".TMP".
std::filesystem::path stateFileFor(const std::filesystem::path& patternFile);

}  // namespace gw
