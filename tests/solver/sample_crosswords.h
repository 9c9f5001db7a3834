#pragma once
// Small crosswords in the three languages, written with the real writer, for the
// solver's tests and the window check under Xvfb.
#include <filesystem>
#include <string>

#include "common/crossword_file.h"

namespace gw::cross::testing {

// 4 × 6, English: COW, TEN, ADO down; CAT, OX, EAR, WIND, OWL across; two dotted edges.
CrosswordFile englishSample();
// 4 × 6, German: ZOO down, ZEIT, YAK, OBST across; a 2 × 2 picture at column 4, row 2.
CrosswordFile germanSample();
// 3 × 5, Serbian Cyrillic letters (Windows-1251) with Ш Ђ Ч Ћ Ж Љ; clues in Windows-1251.
CrosswordFile serbianSample();

// A board from rows of text; one definition per run of letters (down words first),
// each clue "clue-prefix + the word".
CrosswordFile boardFromRows(Language language, const std::vector<std::string>& rows,
                            const std::string& cluePrefix = "Clue ");

// A small JPEG picture (a colour gradient).
std::string samplePicture(int width = 40, int height = 40);

// The US key (as a character a US keyboard gives) that enters `letter` in a crossword of
// that language; 0 when no key does.
char usKeyFor(char letter, Language language);

}  // namespace gw::cross::testing
