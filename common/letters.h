#pragma once
// The letters a board of each language takes, in its code page.
#include "common/language.h"

namespace gw {

// Whether `letter` (a code-page byte) is an upper-case letter that the language's boards take.
bool isBoardLetter(char letter, Language language);

// The upper-case form of a code-page letter of the language's code page.
char upperCaseLetter(char letter, Language language);

}  // namespace gw
