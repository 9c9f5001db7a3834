#include "common/letters.h"

#include <array>

namespace gw {

namespace {

// Small Serbian and Macedonian Cyrillic letters of Windows-1251 and their capitals.
constexpr std::pair<unsigned char, unsigned char> kCyrillicPairs[] = {
    {0x90, 0x80}, {0x9E, 0x8E}, {0xE6, 0xC6}, {0xF7, 0xD7}, {0xF8, 0xD8}, {0x9A, 0x8A}, {0x9C, 0x8C},
    {0xE5, 0xC5}, {0xF0, 0xD0}, {0xF2, 0xD2}, {0xE7, 0xC7}, {0xF3, 0xD3}, {0xE8, 0xC8}, {0xEE, 0xCE},
    {0xEF, 0xCF}, {0xE0, 0xC0}, {0xF1, 0xD1}, {0xE4, 0xC4}, {0xF4, 0xD4}, {0xE3, 0xC3}, {0xF5, 0xD5},
    {0xBC, 0xA3}, {0xEA, 0xCA}, {0xEB, 0xCB}, {0xBE, 0xBD}, {0x9F, 0x8F}, {0xF6, 0xD6}, {0xE2, 0xC2},
    {0xE1, 0xC1}, {0xED, 0xCD}, {0xEC, 0xCC}};

constexpr std::array<unsigned char, 256> makeCyrillicCapitals() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) table[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
  for (const auto& [small, capital] : kCyrillicPairs) table[small] = capital;
  return table;
}

constexpr std::array<unsigned char, 256> kCyrillicCapitals = makeCyrillicCapitals();

}  // namespace

char upperCaseLetter(char letter, Language language) {
  const auto b = static_cast<unsigned char>(letter);
  if (language == Language::Serbian) return static_cast<char>(kCyrillicCapitals[b]);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  return letter;
}

bool isBoardLetter(char letter, Language language) {
  if (language == Language::Serbian) return kSerbianCyrillicCapitals.find(letter) != std::string_view::npos;
  return letter >= 'A' && letter <= 'Z';
}

}  // namespace gw
