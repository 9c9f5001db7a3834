#pragma once
// The "Folders" section of crossword.conf as text: reading the four keys and writing them
// back into the file's text. Qt-free, so that the reader can be fuzzed on its own.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

// In the order they are written.
inline constexpr std::array<const char*, 4> kFolderKeys{"Make:Open", "Make:Save", "Edit:Open", "Edit:Save"};

using FolderValues = std::array<std::optional<std::string>, 4>;

// The four values in key order; a missing key is nullopt, a key with an empty value "".
FolderValues parseFolderSettings(std::string_view text);

// `text` with its "Folders" section replaced by the four keys in order as "key=value" lines;
// every other section and key stays. A folder name that cannot stand on one line of the
// file (a line break or a NUL in it) is written empty. Leading and trailing blanks of a
// name are not kept by the format.
std::string withFolderSettings(std::string_view text, const std::array<std::string, 4>& folders);

}  // namespace gw
