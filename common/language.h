#pragma once
#include <cstdint>
#include <string_view>

namespace gw {

// Language of a board: selects the word file, the accepted letters and the key mapping.
enum class Language : std::int32_t { English = 0, German = 1, Serbian = 2 };

inline bool isKnownLanguage(int code) { return code >= 0 && code <= 2; }

// "English", "German", "Serbian"; unknown codes read as English.
inline std::string_view languageName(Language l) {
  switch (l) {
    case Language::German: return "German";
    case Language::Serbian: return "Serbian";
    default: return "English";
  }
}

// The word file of a language under the program folder.
inline std::string_view wordFileName(Language l) {
  switch (l) {
    case Language::German: return "Make/DE.words";
    case Language::Serbian: return "Make/YU.words";
    default: return "Make/EN.words";
  }
}

// The ICU converter name of the code page that a language's board letters are in.
inline const char* boardCodePage(Language l) {
  return l == Language::Serbian ? "windows-1251" : "windows-1252";
}

// Code page of clue texts: 0 "ANSI", 1 "SR-Cyrillic", 2 "SR-Latin".
enum class DefinitionCharset : std::uint8_t { Ansi = 0, SerbianCyrillic = 1, SerbianLatin = 2 };

inline const char* charsetCodePage(DefinitionCharset c) {
  switch (c) {
    case DefinitionCharset::SerbianCyrillic: return "windows-1251";
    case DefinitionCharset::SerbianLatin: return "windows-1250";
    default: return "windows-1252";
  }
}

}  // namespace gw
