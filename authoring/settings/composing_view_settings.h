#pragma once
// The composing page's own [Compose] keys of crossword.conf, beside compose_settings.h's. Each
// is written only once the author changes it, so a file without them keeps the defaults:
//
//   [Compose]
//   Quick fill no repeated words=0   Quick fill may use a word twice (default 1: it may not)
//   Symmetry=rotational              none, rotational or mirror (default none)
//   Cell size=24                     pixels of a grid cell, 12 to 48 (default 18)
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gw {

inline constexpr const char* kQuickFillNoRepeatKey = "Quick fill no repeated words";
inline constexpr const char* kSymmetryKey = "Symmetry";
inline constexpr const char* kCellSizeKey = "Cell size";

inline constexpr int kDefaultCellSize = 18;
inline constexpr int kSmallestCellSize = 12;
inline constexpr int kLargestCellSize = 48;

struct ComposingViewSettings {
  bool quickFillNoRepeatedWords = true;
  std::string symmetry = "none";  // "none", "rotational" or "mirror"
  int cellSize = kDefaultCellSize;
  friend bool operator==(const ComposingViewSettings&, const ComposingViewSettings&) = default;
};

// What the text holds; a missing key or a value out of range gives the default.
ComposingViewSettings parseComposingViewSettings(std::string_view text);

// The keys whose values differ between `read` (as the program started) and `now`, with the
// values to write: what the author changed, and nothing else.
std::vector<std::pair<std::string, std::string>> changedComposingViewKeys(const ComposingViewSettings& read,
                                                                          const ComposingViewSettings& now);

// `text` with these [Compose] keys set; every other section and key stays. Throws FileError.
std::string withComposeValues(std::string_view text,
                              const std::vector<std::pair<std::string, std::string>>& values);

ComposingViewSettings readComposingViewSettings(const std::filesystem::path& file);
// Writes the changed keys (nothing at all when none changed). Throws FileError.
void writeComposingViewSettings(const std::filesystem::path& file, const ComposingViewSettings& read,
                                const ComposingViewSettings& now);

}  // namespace gw
