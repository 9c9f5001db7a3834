#pragma once
// The order of dictionaries and word lists: ICU collation of the language at secondary
// strength, so that case does not count (Abc equals ABC) and accents do. Words are
// code-page bytes; a sort key, compared as bytes, orders them as the collator would.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/language.h"

struct UCollator;

namespace gw {

class WordCollation {
 public:
  explicit WordCollation(Language language);
  ~WordCollation();
  WordCollation(WordCollation&&) noexcept;
  WordCollation& operator=(WordCollation&&) noexcept;

  Language language() const { return language_; }

  // The sort key of a word (code-page bytes). Equal keys mean equal words, case aside.
  // Not thread-safe: give every thread its own WordCollation.
  std::string sortKey(std::string_view word);
  // Appends the word's sort key and its terminating zero to `keys`, so that many keys can
  // share one buffer and be compared with strcmp.
  void appendSortKey(std::string_view word, std::string& keys);
  // Whether `a` sorts strictly before `b`: one comparison, cheaper than two sort keys when a
  // list only needs checking.
  bool before(std::string_view a, std::string_view b);

 private:
  struct CollatorCloser {
    void operator()(UCollator* c) const;
  };

  Language language_;
  std::array<char16_t, 256> toUnicode_{};
  std::unique_ptr<UCollator, CollatorCloser> collator_;
  void toUnits(std::string_view word, std::vector<char16_t>& units) const;

  std::vector<char16_t> units_, otherUnits_;
};

}  // namespace gw
