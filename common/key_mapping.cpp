#include "common/key_mapping.h"

#include <algorithm>

#include "common/letters.h"

namespace gw {
namespace {

// One row per KeyboardLayout; each literal is exactly 94 bytes (the array holds the terminator).
constexpr char kLayouts[kKeyboardLayoutCount][kLayoutKeyCount + 1] = {
    // US
    "\x60\x31\x32\x33\x34\x35\x36\x37\x38\x39\x30\x2D\x3D\x7E\x21\x40"
    "\x23\x24\x25\x5E\x26\x2A\x28\x29\x5F\x2B\x5B\x5D\x7B\x7D\x3B\x27"
    "\x3A\x22\x2C\x2E\x2F\x5C\x3C\x3E\x3F\x7C\x71\x77\x65\x72\x74\x79"
    "\x75\x69\x6F\x70\x61\x73\x64\x66\x67\x68\x6A\x6B\x6C\x7A\x78\x63"
    "\x76\x62\x6E\x6D\x51\x57\x45\x52\x54\x59\x55\x49\x4F\x50\x41\x53"
    "\x44\x46\x47\x48\x4A\x4B\x4C\x5A\x58\x43\x56\x42\x4E\x4D",
    // Serbian Cyrillic, Windows-1251
    "\x60\x31\x32\x33\x34\x35\x36\x37\x38\x39\x30\x27\x2B\x7E\x21\x22"
    "\x23\x24\x25\x26\x2F\x28\x29\x3D\x3F\x2A\xF8\x90\xD8\x80\xF7\x9E"
    "\xD7\x8E\x2C\x2E\x2D\xE6\x3B\x3A\x5F\xC6\x9A\x9C\xE5\xF0\xF2\xE7"
    "\xF3\xE8\xEE\xEF\xE0\xF1\xE4\xF4\xE3\xF5\xBC\xEA\xEB\xBE\x9F\xF6"
    "\xE2\xE1\xED\xEC\x8A\x8C\xC5\xD0\xD2\xC7\xD3\xC8\xCE\xCF\xC0\xD1"
    "\xC4\xD4\xC3\xD5\xA3\xCA\xCB\xBD\x8F\xD6\xC2\xC1\xCD\xCC",
    // Serbian Latin, Windows-1250
    "\x82\x31\x32\x33\x34\x35\x36\x37\x38\x39\x30\x27\x2B\x7E\x21\x22"
    "\x23\x24\x25\x26\x2F\x28\x29\x3D\x3F\x2A\x9A\xF0\x8A\xD0\xE8\xE6"
    "\xC8\xC6\x2C\x2E\x2D\x9E\x3B\x3A\x5F\x8E\x71\x77\x65\x72\x74\x7A"
    "\x75\x69\x6F\x70\x61\x73\x64\x66\x67\x68\x6A\x6B\x6C\x79\x78\x63"
    "\x76\x62\x6E\x6D\x51\x57\x45\x52\x54\x5A\x55\x49\x4F\x50\x41\x53"
    "\x44\x46\x47\x48\x4A\x4B\x4C\x59\x58\x43\x56\x42\x4E\x4D",
    // German, Windows-1252
    "\x5E\x31\x32\x33\x34\x35\x36\x37\x38\x39\x30\xDF\xB4\xB0\x21\x22"
    "\xA7\x24\x25\x26\x2F\x28\x29\x3D\x3F\x60\xFC\x2B\xDC\x2A\xF6\xE4"
    "\xD6\xC4\x2C\x2E\x2D\x23\x3B\x3A\x5F\x27\x71\x77\x65\x72\x74\x7A"
    "\x75\x69\x6F\x70\x61\x73\x64\x66\x67\x68\x6A\x6B\x6C\x79\x78\x63"
    "\x76\x62\x6E\x6D\x51\x57\x45\x52\x54\x5A\x55\x49\x4F\x50\x41\x53"
    "\x44\x46\x47\x48\x4A\x4B\x4C\x59\x58\x43\x56\x42\x4E\x4D",
    // French, Windows-1252 (position 14 is a dead key: no character)
    "\xB2\x26\xE9\x22\x27\x28\x2D\xE8\x5F\xE7\xE0\x29\x3D\x00\x31\x32"
    "\x33\x34\x35\x36\x37\x38\x39\x30\xB0\x2B\x5E\x24\xA8\xA3\x6D\xF9"
    "\x4D\x25\x3B\x3A\x21\x2A\x2E\x2F\xA7\xB5\x61\x7A\x65\x72\x74\x79"
    "\x75\x69\x6F\x70\x71\x73\x64\x66\x67\x68\x6A\x6B\x6C\x77\x78\x63"
    "\x76\x62\x6E\x2C\x41\x5A\x45\x52\x54\x59\x55\x49\x4F\x50\x51\x53"
    "\x44\x46\x47\x48\x4A\x4B\x4C\x57\x58\x43\x56\x42\x4E\x3F",
};

// Which layout a caller uses for a language code; Us means "no layout".
enum class Caller { ComposePage, LayoutEditor, Solver };

KeyboardLayout layoutFor(Caller caller, Language language) {
  if (language == Language::Serbian) return KeyboardLayout::SerbianCyrillic;
  if (language == Language::German && caller != Caller::ComposePage) return KeyboardLayout::German;
  return KeyboardLayout::Us;
}

char mapKey(char typed, KeyboardLayout layout) {
  // These five keys are letters on the Serbian layout in both shift states; every caller
  // receives their shifted form.
  switch (typed) {
    case '[': typed = '{'; break;
    case ']': typed = '}'; break;
    case ';': typed = ':'; break;
    case '\'': typed = '"'; break;
    case '\\': typed = '|'; break;
    default: break;
  }
  const std::string_view us = usKeyString();
  const std::size_t p = us.find(typed);
  if (p == std::string_view::npos || layout == KeyboardLayout::Us) return typed;
  return keyboardLayoutString(layout)[p];
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct Replacement {
  std::string_view from;
  std::string_view to;
};

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = text.find(from, pos);
    if (hit == std::string::npos) break;
    out.append(text, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text, pos, std::string::npos);
  return out;
}

}  // namespace

std::string_view keyboardLayoutString(KeyboardLayout layout) {
  int index = static_cast<int>(layout);
  if (index < 0 || index >= kKeyboardLayoutCount) index = 0;
  return std::string_view(kLayouts[index], kLayoutKeyCount);
}

std::string_view usKeyString() { return keyboardLayoutString(KeyboardLayout::Us); }

char mapKeyToLayout(char typed, Language language) {
  return mapKey(typed, layoutFor(Caller::ComposePage, language));
}

char mapLayoutEditorKey(char typed, Language language) {
  return mapKey(typed, layoutFor(Caller::LayoutEditor, language));
}

char mapSolverKey(char typed, Language language) {
  return mapKey(typed, layoutFor(Caller::Solver, language));
}

bool isAcceptedLetter(char ch, Language language) {
  const char c = lowerAscii(ch);
  if (c == ' ') return true;
  if (language == Language::Serbian)
    return keyboardLayoutString(KeyboardLayout::SerbianCyrillic).substr(26).find(c) != std::string_view::npos;
  return c >= 'a' && c <= 'z';
}

std::string upperCaseCyrillic(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upperCaseLetter(c, Language::Serbian);
  return out;
}

std::string serbianLatinToCyrillic(std::string_view text) {
  using namespace std::string_view_literals;
  // The order matters: Windows-1250 and Windows-1251 share byte values, so each source byte is
  // converted before a later step can produce the same value; Ž/ž wait on 0x11 because their
  // bytes are what Ć/ć become. Each row holds a capital's step beside its small letter's; every
  // capital step runs before the first small one.
  static constexpr struct {
    Replacement capital, small;
  } kSteps[] = {
      {{"D\x8E"sv, "\x8F"sv}, {"d\x9E"sv, "\x9F"sv}}, {{"\xD0"sv, "\x80"sv}, {"\xF0"sv, "\x90"sv}},
      {{"\xC8"sv, "\xD7"sv}, {"\xE8"sv, "\xF7"sv}},   {{"\x8E"sv, "\x11"sv}, {"\x9E"sv, "\x11"sv}},
      {{"\xC6"sv, "\x8E"sv}, {"\xE6"sv, "\x9E"sv}},   {{"Nj"sv, "\x8C"sv}, {"nj"sv, "\x9C"sv}},
      {{"A"sv, "\xC0"sv}, {"a"sv, "\xE0"sv}},         {{"B"sv, "\xC1"sv}, {"b"sv, "\xE1"sv}},
      {{"V"sv, "\xC2"sv}, {"v"sv, "\xE2"sv}},         {{"G"sv, "\xC3"sv}, {"g"sv, "\xE3"sv}},
      {{"D"sv, "\xC4"sv}, {"d"sv, "\xE4"sv}},         {{"E"sv, "\xC5"sv}, {"e"sv, "\xE5"sv}},
      {{"Z"sv, "\xC7"sv}, {"z"sv, "\xE7"sv}},         {{"K"sv, "\xCA"sv}, {"k"sv, "\xEA"sv}},
      {{"M"sv, "\xCC"sv}, {"m"sv, "\xEC"sv}},         {{"N"sv, "\xCD"sv}, {"n"sv, "\xED"sv}},
      {{"O"sv, "\xCE"sv}, {"o"sv, "\xEE"sv}},         {{"P"sv, "\xCF"sv}, {"p"sv, "\xEF"sv}},
      {{"S"sv, "\xD1"sv}, {"s"sv, "\xF1"sv}},         {{"T"sv, "\xD2"sv}, {"t"sv, "\xF2"sv}},
      {{"U"sv, "\xD3"sv}, {"u"sv, "\xF3"sv}},         {{"F"sv, "\xD4"sv}, {"f"sv, "\xF4"sv}},
      {{"H"sv, "\xD5"sv}, {"h"sv, "\xF5"sv}},         {{"C"sv, "\xD6"sv}, {"c"sv, "\xF6"sv}},
      {{"\x8A"sv, "\xD8"sv}, {"\x9A"sv, "\xF8"sv}},   {{"Lj"sv, "\x8A"sv}, {"lj"sv, "\x9A"sv}},
      {{"L"sv, "\xCB"sv}, {"l"sv, "\xEB"sv}},         {{"J"sv, "\xA3"sv}, {"j"sv, "\xBC"sv}},
      {{"R"sv, "\xD0"sv}, {"r"sv, "\xF0"sv}},         {{"I"sv, "\xC8"sv}, {"i"sv, "\xE8"sv}},
      {{"\x11"sv, "\xC6"sv}, {"\x11"sv, "\xE6"sv}},
  };
  std::string out(text);
  for (const auto& step : kSteps) out = replaceAll(std::move(out), step.capital.from, step.capital.to);
  for (const auto& step : kSteps) out = replaceAll(std::move(out), step.small.from, step.small.to);
  return out;
}

}  // namespace gw
