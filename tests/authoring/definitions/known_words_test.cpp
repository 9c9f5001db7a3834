// Which answers the word list does not know: the list read as the composer reads word files.
#include <gtest/gtest.h>

#include "authoring/definitions/known_words.h"
#include "tests/support/temp_folder.h"

namespace gw {
namespace {

Definition answer(std::string word) {
  Definition d;
  d.word = std::move(word);
  return d;
}

TEST(KnownWordsTest, AnswersNotInTheListAreMarkedOneLetterAnswersNever) {
  // A byte order mark, CR LF, small letters and an empty line, as word files come.
  const KnownWords words(
      "\xEF\xBB\xBF"
      "care\r\nFREE\n\nhAt",
      Language::English);
  EXPECT_EQ(words.size(), 3u);
  const std::vector<Definition> answers = {answer("CARE"), answer("KAREFREE"), answer("HAT"),
                                           answer("Q"),    answer("FREE"),     answer("HATS")};
  EXPECT_EQ(answersNotInList(answers, words), (std::vector<bool>{false, true, false, false, false, true}));
  // Serbian capitals come from the Windows-1251 small letters.
  EXPECT_TRUE(KnownWords("\xEB\xE0\xE2", Language::Serbian).contains("\xCB\xC0\xC2"));
}

TEST(KnownWordsTest, WithoutAWordListNothingIsMarked) {
  test::TempFolder folder;
  const KnownWords none = KnownWords::load(folder.path() / "EN.words", Language::English);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(answersNotInList({answer("ZZZ")}, none), std::vector<bool>{false});
}

}  // namespace
}  // namespace gw
