#pragma once
// The letters a board of each language takes, in its code page, and the one upper-casing of
// code-page letters.
#include "common/language.h"

namespace gw {

// Whether `letter` (a code-page byte) is an upper-case letter that the language's boards take.
bool isBoardLetter(char letter, Language language);

// The capital of a small letter: for Serbian the 31 Serbian and Macedonian pairs of
// Windows-1251 (other small letters such as ы, and Latin letters, stay as they are); for
// English and German a to z. Every other byte stays.
char upperCaseLetter(char letter, Language language);

}  // namespace gw
