#pragma once
// The languages of a board and the charsets of clue texts, with everything that is chosen by
// them: names, word files, code pages and the Serbian alphabet.
#include <cstdint>
#include <string_view>

namespace gw {

// Language of a board: selects the word file, the accepted letters and the key mapping.
// A file may hold other codes; the readers keep or replace them as their mode says.
enum class Language : std::int32_t { English = 0, German = 1, Serbian = 2 };

inline bool isKnownLanguage(int code) { return code >= 0 && code <= 2; }
inline bool isKnownLanguage(Language l) { return isKnownLanguage(static_cast<int>(l)); }
// Unknown languages act as English wherever a table is chosen by the language.
inline Language knownLanguageOrEnglish(Language l) { return isKnownLanguage(l) ? l : Language::English; }

// "English", "German", "Serbian"; "Unknown" for other codes.
inline std::string_view languageName(Language l) {
  switch (l) {
    case Language::English: return "English";
    case Language::German: return "German";
    case Language::Serbian: return "Serbian";
  }
  return "Unknown";
}

// The word file of a language under the program folder; English for unknown codes.
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

// The 30 capitals of the Serbian Cyrillic alphabet in Windows-1251, in the order the compose
// page checks them.
inline constexpr std::string_view kSerbianCyrillicCapitals =
    "\x8F\x80\xD7\xC6\x8E\x8C\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xCA\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD6\xD8"
    "\x8A\xCB\xA3\xD0\xC8";

// Code page of clue texts. A file may hold other codes, as with Language.
enum class ClueCharset : std::uint8_t { Ansi = 0, SerbianCyrillic = 1, SerbianLatin = 2 };

inline constexpr int kClueCharsetCount = 3;
inline bool isKnownClueCharset(int code) { return code >= 0 && code < kClueCharsetCount; }
inline bool isKnownClueCharset(ClueCharset c) { return isKnownClueCharset(static_cast<int>(c)); }
inline ClueCharset knownClueCharsetOrAnsi(ClueCharset c) {
  return isKnownClueCharset(c) ? c : ClueCharset::Ansi;
}

// The name shown in the new-crossword dialog: "ANSI", "SR-Cyrillic", "SR-Latin"; "ANSI" for unknown codes.
inline std::string_view clueCharsetName(ClueCharset c) {
  switch (c) {
    case ClueCharset::SerbianCyrillic: return "SR-Cyrillic";
    case ClueCharset::SerbianLatin: return "SR-Latin";
    default: return "ANSI";
  }
}

// ICU code page of clue texts: windows-1252, windows-1251, windows-1250; unknown codes as ANSI.
inline const char* clueCodePage(ClueCharset c) {
  switch (c) {
    case ClueCharset::SerbianCyrillic: return "windows-1251";
    case ClueCharset::SerbianLatin: return "windows-1250";
    default: return "windows-1252";
  }
}

// Windows font charset numbers (0, 204 Cyrillic, 238 Eastern European) for formats that record
// them; windows choose Qt fonts by language instead.
inline int windowsFontCharset(Language l) { return l == Language::Serbian ? 204 : 0; }
inline int windowsFontCharset(ClueCharset c) {
  switch (c) {
    case ClueCharset::SerbianCyrillic: return 204;
    case ClueCharset::SerbianLatin: return 238;
    default: return 0;
  }
}

}  // namespace gw
