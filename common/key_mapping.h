#pragma once
// The keyboard layout table that turns a key typed on a US keyboard into the letter of the
// crossword's alphabet on the same key, the letters each program accepts, and the Serbian text
// conversions. Pure functions on single-byte code-page text.
#include <string>
#include <string_view>

#include "common/language.h"

namespace gw {

// Rows of the keyboard layout table.
enum class KeyboardLayout { Us = 0, SerbianCyrillic = 1, SerbianLatin = 2, German = 3, French = 4 };

inline constexpr int kKeyboardLayoutCount = 5;
inline constexpr std::size_t kLayoutKeyCount = 94;

// The 94 characters of a layout, position by position the character that the key of the
// same position of the US key string gives there (Windows code-page bytes; the French
// string holds a 0 byte for its dead key).
std::string_view keyboardLayoutString(KeyboardLayout layout);
// Every printable ASCII character except the space, once each, in US keyboard order.
std::string_view usKeyString();

// Compose page and dictionary editor: only Serbian selects a layout.
char mapKeyToLayout(char typed, Language language);
// Layout editor: German and Serbian select their layouts.
char mapLayoutEditorKey(char typed, Language language);
// Solver: the same layouts as the layout editor.
char mapSolverKey(char typed, Language language);

// The solver's accepted letters: the character, with A to Z lower-cased, is one of
// "qwertyuiopasdfghjklzxcvbnm " for English and German, and for Serbian any character of the
// Serbian Cyrillic layout from its 27th key on, or the space. Unknown languages act as English.
bool isAcceptedLetter(char ch, Language language);

// Small Serbian (and Macedonian) Cyrillic letters of Windows-1251 to capitals; other bytes stay.
std::string upperCaseCyrillic(std::string_view text);
// Serbian Latin (Windows-1250) to Serbian Cyrillic (Windows-1251), digraphs DŽ Nj Lj dž nj lj
// included; the byte 0x11 is used as a parking place and comes out as Ж.
std::string serbianLatinToCyrillic(std::string_view text);

}  // namespace gw
