#pragma once
// Character sets of boards and clue texts, the keyboard layout table that turns a key
// typed on a US keyboard into the letter of the crossword's alphabet on the same key,
// and the Serbian text conversions. Pure functions on single-byte code-page text.
#include <string>
#include <string_view>

namespace gw {

// Rows of the keyboard layout table.
enum class KeyboardLayout { Us = 0, SerbianCyrillic = 1, SerbianLatin = 2, German = 3, French = 4 };

inline constexpr int kKeyboardLayoutCount = 5;
inline constexpr std::size_t kLayoutKeyCount = 94;

// The 94 characters of a layout, position by position the character that the key of the
// same position of the US key string gives there (Windows code-page bytes; the French
// string holds a 0 byte for its dead key). An index outside 0..4 gives the US string.
std::string_view keyboardLayoutString(KeyboardLayout layout);
std::string_view keyboardLayoutString(int index);
// Every printable ASCII character except the space, once each, in US keyboard order.
std::string_view usKeyString();

// The 30 Serbian Cyrillic capitals of Windows-1251 in the order the compose page checks them.
std::string_view serbianCyrillicCapitals();

// Compose page and dictionary editor: only Serbian (2) selects a layout.
char MapKeyToLayout(char typed, int languageCode);
// Layout editor: German (1) and Serbian (2) select their layouts.
char mapLayoutEditorKey(char typed, int languageCode);
// Solver (MapKey): the same layouts as the layout editor.
char mapSolverKey(char typed, int languageCode);

// The solver's accepted letters: the character, with A to Z lower-cased, is one of
// "qwertyuiopasdfghjklzxcvbnm " for English and German, and for Serbian any character of the
// Serbian Cyrillic layout from its 27th key on, or the space. Unknown codes act as English.
bool IsAcceptedLetter(char ch, int languageCode);

// Language codes outside 0..2 are treated as English wherever a table is chosen by them.
int normalizedLanguageCode(int languageCode);

// Small Serbian (and Macedonian) Cyrillic letters of Windows-1251 to capitals; other bytes stay.
std::string CyrillicUpperCase(std::string_view text);
// Serbian Latin (Windows-1250) to Serbian Cyrillic (Windows-1251), digraphs DŽ Nj Lj dž nj lj
// included; the byte 0x11 is used as a parking place and comes out as Ж.
std::string LatinToCyrillic(std::string_view text);

// "English", "German", "Serbian"; "Unknown" for other codes.
std::string_view languageCodeName(int languageCode);
// ICU code page of a language's board letters: windows-1251 for Serbian, windows-1252 otherwise.
const char* boardCodePageOf(int languageCode);
// Font character set for drawing a board: 204 for Serbian, 0 otherwise.
int boardFontCharset(int languageCode);

// Clue text charsets: 0 "ANSI", 1 "SR-Cyrillic", 2 "SR-Latin".
inline constexpr int kDefinitionCharsetCount = 3;
bool isKnownCharset(int charset);
// The name shown in the new-crossword dialog; "ANSI" for unknown codes.
std::string_view charsetName(int charset);
// ICU code page of clue texts: windows-1252, windows-1251, windows-1250; unknown codes as 0.
const char* clueCodePage(int charset);
// Font character set of controls that show clue texts: 0, 204, 238; unknown codes as 0.
int clueFontCharset(int charset);

}  // namespace gw
