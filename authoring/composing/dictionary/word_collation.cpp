#include "authoring/composing/dictionary/word_collation.h"

#include <unicode/ucnv.h>
#include <unicode/ucol.h>

#include <stdexcept>

#include "common/code_page_converter.h"

namespace gw {
namespace {

const char* collationLocale(Language language) {
  switch (language) {
    case Language::German: return "de";
    case Language::Serbian: return "sr";
    default: return "en";
  }
}

// Every byte of a single-byte code page is one UTF-16 unit, so a table converts a word
// without a converter call.
std::array<char16_t, 256> byteTable(const char* codePage) {
  CodePageConverter conv = openCodePageConverter(codePage);
  UErrorCode status = U_ZERO_ERROR;
  std::array<char16_t, 256> table{};
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    UChar out[4];
    status = U_ZERO_ERROR;
    ucnv_reset(conv.get());
    int32_t n = ucnv_toUChars(conv.get(), out, 4, &in, 1, &status);
    table[b] = (U_SUCCESS(status) && n == 1) ? out[0] : u'\uFFFD';
  }
  return table;
}

}  // namespace

void WordCollation::CollatorCloser::operator()(UCollator* c) const { ucol_close(c); }

WordCollation::WordCollation(Language language)
    : language_(language), toUnicode_(byteTable(boardCodePage(language))) {
  UErrorCode status = U_ZERO_ERROR;
  collator_.reset(ucol_open(collationLocale(language), &status));
  if (U_FAILURE(status)) throw std::runtime_error("Cannot open the collator");
  ucol_setStrength(collator_.get(), UCOL_SECONDARY);
}

WordCollation::~WordCollation() = default;
WordCollation::WordCollation(WordCollation&&) noexcept = default;
WordCollation& WordCollation::operator=(WordCollation&&) noexcept = default;

std::string WordCollation::sortKey(std::string_view word) {
  std::string key;
  appendSortKey(word, key);
  key.pop_back();  // the terminating zero
  return key;
}

void WordCollation::toUnits(std::string_view word, std::vector<char16_t>& units) const {
  units.resize(word.size());
  for (std::size_t i = 0; i < word.size(); ++i) units[i] = toUnicode_[static_cast<unsigned char>(word[i])];
}

bool WordCollation::before(std::string_view a, std::string_view b) {
  toUnits(a, units_);
  toUnits(b, otherUnits_);
  return ucol_strcoll(collator_.get(), reinterpret_cast<const UChar*>(units_.data()),
                      static_cast<int32_t>(units_.size()), reinterpret_cast<const UChar*>(otherUnits_.data()),
                      static_cast<int32_t>(otherUnits_.size())) == UCOL_LESS;
}

void WordCollation::appendSortKey(std::string_view word, std::string& keys) {
  toUnits(word, units_);
  const std::size_t at = keys.size();
  std::size_t room = word.size() * 4 + 16;
  for (;;) {
    keys.resize(at + room);
    int32_t n = ucol_getSortKey(collator_.get(), reinterpret_cast<const UChar*>(units_.data()),
                                static_cast<int32_t>(units_.size()),
                                reinterpret_cast<uint8_t*>(keys.data() + at), static_cast<int32_t>(room));
    if (n > 0 && static_cast<std::size_t>(n) <= room) {
      keys.resize(at + static_cast<std::size_t>(n));  // n counts the terminating zero
      return;
    }
    room = n > 0 ? static_cast<std::size_t>(n) : room * 2;
  }
}

}  // namespace gw
