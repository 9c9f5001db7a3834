#pragma once
// The "Edit" section of crossword.conf as text: the editing page's choices. Written only once
// the author changes one, so a file of an older copy stays as it was until then.
//
//   [Edit]
//   Sort by number=1      the word list sorted by printed number ("No." header); 0 or missing:
//                         the definition table's order
#include <string>
#include <string_view>

namespace gw {

inline constexpr const char* kEditSection = "Edit";
inline constexpr const char* kSortByNumberKey = "Sort by number";

struct EditSettings {
  bool sortByNumber = false;
};

// The choices the text holds; a missing key or a value that is no number gives the default.
EditSettings parseEditSettings(std::string_view text);

// `text` with "Sort by number" set to 1 or 0; every other section and key stays.
// Throws FileError when the result cannot be made.
std::string withSortByNumber(std::string_view text, bool sortByNumber);

}  // namespace gw
