// Import files and word files of any content, as the dictionary editor and gridwright-words
// read them: nothing fails but for file errors (binary input among them), every word found obeys the word
// rules, and the merged list is sorted, free of duplicates and survives a write and a reload.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "authoring/composing/dictionary/word_lists/word_import.h"
#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "common/errors.h"
#include "fuzz_input.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = gw::fuzz::languageFileInput(data, size, "word_import_fuzz.txt");
  if (!input) return 0;
  const gw::Language language = input->language;
  const std::filesystem::path& scratch = input->file;

  const gw::WordRules rules(language);
  gw::WordList list(language);
  list.load(scratch);  // the same bytes as a word file
  const std::size_t loaded = list.size();

  gw::ImportFileScan scan;
  try {
    scan = gw::scanImportFile(scratch);
  } catch (const gw::FileError&) {
    return 0;  // binary input is refused with a message, before any word
  }
  gw::ImportFileReader reader(scratch, scan.encoding, language);
  std::vector<gw::WordEntry> found;
  gw::ImportCallbacks callbacks;
  callbacks.wordFound = [&](std::string word) {
    check(!word.empty() && word.size() <= gw::WordRules::kMaxWordLength);
    for (char c : word) check(rules.isLetter(c));
    found.push_back(list.entryFor(word));
  };
  gw::ImportLoopResult result = gw::readImportWords(reader, scan.lineCount, rules, callbacks);
  check(result.linesRead == scan.lineCount);

  list.recheck();
  std::size_t clean = list.size();
  check(clean <= loaded);
  std::size_t added = list.merge(std::move(found)).size();
  check(list.size() == clean + added);
  for (std::size_t i = 1; i < list.size(); ++i) check(list.locate(list.word(i - 1)).row == i - 1);

  gw::fuzz::writeScratchFile(scratch, list.fileBytes());
  gw::WordList again(language);
  again.load(scratch);
  check(again.size() == list.size());
  std::filesystem::remove(scratch);
  return 0;
}
