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

// What a known language chooses, indexed by its code.
struct LanguageTraits {
  std::string_view name;      // "English", "German", "Serbian"
  std::string_view wordFile;  // under the program folder
  const char* boardCodePage;  // ICU converter name of the board letters
};
inline constexpr LanguageTraits kLanguageTraits[] = {
    {"English", "Make/EN.words", "windows-1252"},
    {"German", "Make/DE.words", "windows-1252"},
    {"Serbian", "Make/YU.words", "windows-1251"},
};
// Unknown codes act as English.
inline const LanguageTraits& languageTraits(Language l) {
  return kLanguageTraits[static_cast<int>(knownLanguageOrEnglish(l))];
}

// "English", "German", "Serbian"; "Unknown" for other codes.
inline std::string_view languageName(Language l) {
  return isKnownLanguage(l) ? languageTraits(l).name : "Unknown";
}

// The word file of a language under the program folder; English for unknown codes.
inline std::string_view wordFileName(Language l) { return languageTraits(l).wordFile; }

// The ICU converter name of the code page that a language's board letters are in.
inline const char* boardCodePage(Language l) { return languageTraits(l).boardCodePage; }

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

// What a known clue charset chooses, indexed by its code.
struct ClueCharsetTraits {
  std::string_view name;  // as the new-crossword dialog shows it
  const char* codePage;   // ICU converter name of the clue texts
  int windowsCharset;     // Windows font charset number, for formats that record one
};
inline constexpr ClueCharsetTraits kClueCharsetTraits[kClueCharsetCount] = {
    {"ANSI", "windows-1252", 0},
    {"SR-Cyrillic", "windows-1251", 204},
    {"SR-Latin", "windows-1250", 238},
};
// Unknown codes act as ANSI.
inline const ClueCharsetTraits& clueCharsetTraits(ClueCharset c) {
  return kClueCharsetTraits[static_cast<int>(knownClueCharsetOrAnsi(c))];
}

// The name shown in the new-crossword dialog: "ANSI", "SR-Cyrillic", "SR-Latin"; "ANSI" for unknown codes.
inline std::string_view clueCharsetName(ClueCharset c) { return clueCharsetTraits(c).name; }

// ICU code page of clue texts: windows-1252, windows-1251, windows-1250; unknown codes as ANSI.
inline const char* clueCodePage(ClueCharset c) { return clueCharsetTraits(c).codePage; }

// Windows font charset numbers (0, 204 Cyrillic, 238 Eastern European) for formats that record
// them; windows choose Qt fonts by language instead.
inline int windowsFontCharset(Language l) { return l == Language::Serbian ? 204 : 0; }
inline int windowsFontCharset(ClueCharset c) { return clueCharsetTraits(c).windowsCharset; }

}  // namespace gw
