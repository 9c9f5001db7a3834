#pragma once
// The "Compose" section of crossword.conf as text: the composing page's options. Qt-free,
// so that the reader can be fuzzed on its own.
//
//   [Compose]
//   No repeated words=1      the check item "No repeated words" (1 or 0; any nonzero number is on)
//   Quick fill lanes=2       searches "Quick fill" runs side by side, 1 to 64; read only: the
//                            window never writes it, an author who wants more puts it there
//   Minimum word score=50    words scored under it are left out of both searches, 0 to 100;
//                            written only once the author changes it (default 1)
#include <optional>
#include <string>
#include <string_view>

namespace gw {

inline constexpr const char* kComposeSection = "Compose";
inline constexpr const char* kNoRepeatedWordsKey = "No repeated words";
inline constexpr const char* kQuickFillLanesKey = "Quick fill lanes";
inline constexpr const char* kMinWordScoreKey = "Minimum word score";

inline constexpr int kDefaultQuickFillLanes = 2;
inline constexpr int kMostQuickFillLanes = 64;

struct ComposeSettings {
  bool noRepeatedWords = false;
  int quickFillLanes = kDefaultQuickFillLanes;
  int minWordScore = 1;
};

// The options the text holds; a missing key, a value that is no number and a lane count out
// of range give the default.
ComposeSettings parseComposeSettings(std::string_view text);

// `text` with "No repeated words" set to 1 or 0; every other section and key stays.
// Throws FileError when the result cannot be made.
std::string withNoRepeatedWords(std::string_view text, bool noRepeatedWords);
// `text` with "Minimum word score" set (0 to 100); every other section and key stays.
std::string withMinWordScore(std::string_view text, int minWordScore);

}  // namespace gw
