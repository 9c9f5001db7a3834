#include "words_cli.h"

#include <cstdio>
#include <new>
#include <ostream>
#include <stdexcept>

#include "authoring/composing/word_lists/word_import.h"
#include "authoring/composing/word_lists/word_list.h"
#include "common/errors.h"
#include "word_file_lock.h"

namespace gw {

const char kWordsUsage[] =
    "Usage: gridwright-words import --language en|de|sr [--words WORDFILE] FILE...\n"
    "       gridwright-words recheck --language en|de|sr [--words WORDFILE]\n"
    "\n"
    "Edits a word list of the composer with the rules of the dictionary editor.\n"
    "\n"
    "  import    adds the words of text files (one word per line; UTF-8, or the\n"
    "            language's code page) to the word file, upper-cased, letters only,\n"
    "            German umlauts spelt out (AE, OE, UE, SS), other accents spelt in A to Z\n"
    "            (CAFE, NAIVE), Serbian Latin converted to Cyrillic; lines over 40\n"
    "            characters, words with letters the alphabet cannot spell and words\n"
    "            already listed are skipped (the first two counted). Each line may be\n"
    "            UTF-8 or the code page; a binary file is refused\n"
    "  recheck   removes words over 40 characters and words that differ only in case\n"
    "\n"
    "  --language en|de|sr  the language of the word file (English, German, Serbian)\n"
    "  --words WORDFILE     the word file to edit; by default Make/EN.words, Make/DE.words\n"
    "                       or Make/YU.words of the program folder\n"
    "  --help               shows this text\n"
    "\n"
    "The word file is written sorted, one word per line with CR LF, and replaced only\n"
    "when everything was read. Exit status: 0 done, 1 a file error (nothing written),\n"
    "2 a wrong command line.\n";

namespace {

// Words handed to the list at once: the batch costs far more per word than the list does.
constexpr std::size_t kMergeBatch = 1 << 18;

struct ImportReport {
  std::size_t added = 0;
  std::int64_t overLong = 0;
  std::int64_t unspellable = 0;
};

// A file's words merged into the list in batches, so that memory follows the list and not the file.
void importInto(WordList& list, const std::filesystem::path& file, ImportReport& report) {
  const ImportFileScan scan = scanImportFile(file);  // a binary file is refused before any word
  ImportFileReader reader(file, scan.encoding, list.language());
  const WordRules rules(list.language());
  std::vector<WordEntry> batch;
  ImportCallbacks callbacks;
  callbacks.wordFound = [&](std::string word) {
    batch.push_back(list.entryFor(word));
    if (batch.size() < kMergeBatch) return;
    report.added += list.merge(std::move(batch)).size();
    batch = {};
  };
  readImportWords(reader, scan.lineCount, rules, callbacks);
  report.added += list.merge(std::move(batch)).size();
  report.overLong += reader.longLines() + static_cast<std::int64_t>(rules.overLongLines());
  report.unspellable += static_cast<std::int64_t>(rules.unspellableLines());
}

std::string count(std::int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string terminalSafe(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    unsigned code = c;
    // C1 controls are two bytes in UTF-8 (C2 80 to C2 9F).
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0)
      code = static_cast<unsigned char>(text[++i]);
    else if (c >= 0x20 && c != 0x7F) {
      out += static_cast<char>(c);
      continue;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", code);
    out += buf;
  }
  return out;
}

namespace {

Language parseLanguage(const std::string& name) {
  if (name == "en") return Language::English;
  if (name == "de") return Language::German;
  if (name == "sr") return Language::Serbian;
  throw std::invalid_argument("unknown language '" + name + "' (en, de or sr)");
}

}  // namespace

WordsOptions parseWordsOptions(const std::vector<std::string>& args) {
  WordsOptions options;
  bool haveCommand = false;
  bool haveLanguage = false;
  bool help = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      help = true;
    } else if (a == "--language") {
      options.language = parseLanguage(value());
      haveLanguage = true;
    } else if (a == "--words") {
      options.wordFile = value();
      if (options.wordFile.empty()) throw std::invalid_argument("--words needs a file name");
    } else if (a.starts_with("-") && a != "-") {
      throw std::invalid_argument("unknown option " + a);
    } else if (!haveCommand) {
      if (a == "import")
        options.command = WordsOptions::Command::Import;
      else if (a == "recheck")
        options.command = WordsOptions::Command::Recheck;
      else
        throw std::invalid_argument("unknown command '" + a + "' (import or recheck)");
      haveCommand = true;
    } else if (options.command == WordsOptions::Command::Import) {
      options.importFiles.push_back(a);
    } else {
      throw std::invalid_argument("recheck takes no files");
    }
  }
  if (help) {
    options.command = WordsOptions::Command::Help;
    return options;
  }
  if (!haveCommand) throw std::invalid_argument("no command (import or recheck)");
  if (!haveLanguage) throw std::invalid_argument("--language is missing");
  if (options.command == WordsOptions::Command::Import && options.importFiles.empty())
    throw std::invalid_argument("import needs at least one file");
  return options;
}

int runWords(const WordsOptions& options, const ProgramFolders& folders, std::ostream& out,
             std::ostream& err) {
  if (options.command == WordsOptions::Command::Help) {
    out << kWordsUsage;
    return 0;
  }
  const std::filesystem::path relative(wordFileName(options.language));
  const std::filesystem::path readFrom =
      options.wordFile.empty() ? folders.readPath(relative) : std::filesystem::path(options.wordFile);
  const std::filesystem::path writeTo =
      options.wordFile.empty() ? folders.writePath(relative) : std::filesystem::path(options.wordFile);
  try {
    const WordFileLock lock(writeTo);  // held from reading the word file until it is replaced
    WordList list(options.language);
    list.load(readFrom);
    if (options.command == WordsOptions::Command::Import) {
      // Every file is read before the word file is written: a failing one changes nothing.
      ImportReport report;
      for (const auto& file : options.importFiles) importInto(list, file, report);
      list.save(writeTo);
      out << "Added " << count(static_cast<std::int64_t>(report.added), "word", "words") << "\n";
      if (report.overLong > 0)
        out << "Skipped " << count(report.overLong, "line", "lines") << " over 40 characters\n";
      if (report.unspellable > 0)
        out << "Skipped " << count(report.unspellable, "line", "lines")
            << " with letters the alphabet cannot spell\n";
    } else {
      std::size_t removed = list.recheck();
      list.save(writeTo);
      out << "Removed " << removed << " words, " << list.size() << " left\n";
    }
    return 0;
  } catch (const FileError& e) {
    err << "gridwright-words: " << terminalSafe(e.what()) << "\n";
    return 1;
  } catch (const std::bad_alloc&) {
    err << "gridwright-words: there is not enough memory for this import; the word file \""
        << terminalSafe(writeTo.string()) << "\" is unchanged.\n";
    return 1;
  }
}

}  // namespace gw
