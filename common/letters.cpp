#include "common/letters.h"

namespace gw {

char upperCaseLetter(char letter, Language language) {
  auto b = static_cast<unsigned char>(letter);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  if (language == Language::Serbian) {
    if (b >= 0xE0) return static_cast<char>(b - 0x20);
    switch (b) {
      case 0x90: return '\x80';  // ђ
      case 0x83: return '\x81';  // ѓ
      case 0x9A: return '\x8A';  // љ
      case 0x9C: return '\x8C';  // њ
      case 0x9D: return '\x8D';  // ќ
      case 0x9E: return '\x8E';  // ћ
      case 0x9F: return '\x8F';  // џ
      case 0xBC: return '\xA3';  // ј
      case 0xB8: return '\xA8';  // ё
      case 0xBA: return '\xAA';  // є
      case 0xB3: return '\xB2';  // і
      case 0xBF: return '\xAF';  // ї
      case 0xA2: return '\xA1';  // ў
      case 0xBE: return '\xBD';  // ѕ
      default: return letter;
    }
  }
  if (b >= 0xE0 && b != 0xF7 && b != 0xFF) return static_cast<char>(b - 0x20);
  return letter;
}

bool isBoardLetter(char letter, Language language) {
  if (language == Language::Serbian) return kSerbianCyrillicCapitals.find(letter) != std::string_view::npos;
  return letter >= 'A' && letter <= 'Z';
}

}  // namespace gw
