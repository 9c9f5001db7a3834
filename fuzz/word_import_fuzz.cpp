// Import files and word files of any content, as the dictionary editor and gridwright-words
// read them: nothing fails but for file errors (binary input among them), every word found obeys the word rules, and
// the merged list is sorted, free of duplicates and survives a write and a reload.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "authoring/composing/dictionary/word_lists/word_import.h"
#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "common/errors.h"

namespace {

const std::filesystem::path& scratchFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("gw_word_import_fuzz_" + std::to_string(::getpid()) + ".txt");
  return path;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  auto language = static_cast<gw::Language>(data[0] % 3);
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  std::ofstream(scratchFile(), std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  const gw::WordRules rules(language);
  gw::WordList list(language);
  list.load(scratchFile());  // the same bytes as a word file
  const std::size_t loaded = list.size();

  gw::ImportFileScan scan;
  try {
    scan = gw::scanImportFile(scratchFile());
  } catch (const gw::FileError&) {
    return 0;  // binary input is refused with a message, before any word
  }
  gw::ImportFileReader reader(scratchFile(), scan.encoding, language);
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

  std::ofstream(scratchFile(), std::ios::binary | std::ios::trunc) << list.fileBytes();
  gw::WordList again(language);
  again.load(scratchFile());
  check(again.size() == list.size());
  std::filesystem::remove(scratchFile());
  return 0;
}
