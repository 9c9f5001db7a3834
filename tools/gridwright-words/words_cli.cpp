#include "words_cli.h"

#include <cstdio>
#include <new>
#include <ostream>
#include <stdexcept>

#include "authoring/composing/dictionary/word_lists/word_import.h"
#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "authoring/composing/dictionary/word_lists/word_rules.h"
#include "authoring/composing/dictionary/word_scores.h"
#include "common/codepage.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/terminal_text.h"
#include "word_file_lock.h"

namespace gw {

const char kWordsUsage[] =
    "Usage: gridwright-words import --language en|de|sr [--words WORDFILE] FILE...\n"
    "       gridwright-words recheck --language en|de|sr [--words WORDFILE]\n"
    "       gridwright-words score --language en|de|sr [--words WORDFILE] WORD SCORE\n"
    "       gridwright-words export --language en|de|sr [--words WORDFILE] [OUTPUT]\n"
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
    "            A line WORD;SCORE (score 0 to 100) also sets the word's score, for a\n"
    "            listed word too; a plain line keeps a listed word's score (new: 50)\n"
    "  recheck   removes words over 40 characters and words that differ only in case\n"
    "  score     sets one word's score, 0 to 100 (0: never placed in a fill); the\n"
    "            word is added when it is not listed\n"
    "  export    writes every word as a WORD;SCORE line (UTF-8) to OUTPUT or the terminal\n"
    "\n"
    "  --language en|de|sr  the language of the word file (English, German, Serbian)\n"
    "  --words WORDFILE     the word file to edit; by default Make/EN.words, Make/DE.words\n"
    "                       or Make/YU.words of the program folder\n"
    "  --help               shows this text\n"
    "\n"
    "Scores live beside the word file (EN.words: EN.scores), one WORD;SCORE line for every\n"
    "word not scored 50. The word file is written sorted, one word per line with CR LF, and replaced only\n"
    "when everything was read. Exit status: 0 done, 1 a file error (nothing written),\n"
    "2 a wrong command line.\n";

namespace {

// Words handed to the list at once: the batch costs far more per word than the list does.
constexpr std::size_t kMergeBatch = 1 << 18;

struct ImportCounts {
  std::size_t added = 0;
  std::int64_t overLong = 0;
  std::int64_t unspellable = 0;
};

// A file's words merged into the list in batches, so that memory follows the list and not the file.
void importInto(WordList& list, const std::filesystem::path& file, ImportCounts& counts,
                ImportReport& report) {
  const ImportFileScan scan = scanImportFile(file);  // a binary file is refused before any word
  ImportFileReader reader(file, scan.encoding, list.language());
  const WordRules rules(list.language());
  std::vector<WordEntry> batch;
  ImportCallbacks callbacks;
  auto add = [&](WordEntry entry) {
    batch.push_back(std::move(entry));
    if (batch.size() < kMergeBatch) return;
    counts.added += list.merge(std::move(batch)).size();
    batch = {};
  };
  callbacks.wordFound = [&](std::string word) { add(list.entryFor(word)); };
  // "WORD;SCORE" sets the score of a listed word too: the merge takes it over.
  callbacks.scoredWordFound = [&](std::string word, int score) {
    WordEntry entry = list.entryFor(word);
    entry.score = score;
    add(std::move(entry));
  };
  callbacks.lineSkipped = [&](SkippedLine reason, std::int64_t number, std::string_view line) {
    report.skipped(reason, number, line);
  };
  readImportWords(reader, scan.lineCount, rules, callbacks);
  counts.added += list.merge(std::move(batch)).size();
  counts.overLong += reader.longLines() + static_cast<std::int64_t>(rules.overLongLines());
  counts.unspellable += static_cast<std::int64_t>(rules.unspellableLines());
}

std::string count(std::int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

namespace {

Language parseLanguage(const std::string& name) {
  if (name == "en") return Language::English;
  if (name == "de") return Language::German;
  if (name == "sr") return Language::Serbian;
  throw std::invalid_argument("unknown language '" + name + "' (en, de or sr)");
}

// The word a command line names, as the editor would take it (UTF-8 in, code page out).
std::string wordFor(const std::string& utf8, Language language) {
  std::string bytes;
  try {
    bytes = fromUtf8(utf8, boardCodePage(language));
  } catch (const FormatError&) {
    return {};
  }
  const WordRules rules(language);
  return rules.wordFromLine(bytes);
}

}  // namespace

WordsOptions parseWordsOptions(const std::vector<std::string>& args) {
  WordsOptions options;
  bool haveCommand = false;
  bool haveLanguage = false;
  bool help = false;
  std::vector<std::string> positional;
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
      else if (a == "score")
        options.command = WordsOptions::Command::Score;
      else if (a == "export")
        options.command = WordsOptions::Command::Export;
      else
        throw std::invalid_argument("unknown command '" + a + "' (import, recheck, score or export)");
      haveCommand = true;
    } else if (options.command == WordsOptions::Command::Import) {
      options.importFiles.push_back(a);
    } else if (options.command == WordsOptions::Command::Score) {
      positional.push_back(a);
    } else if (options.command == WordsOptions::Command::Export && options.exportFile.empty()) {
      options.exportFile = a;
    } else {
      throw std::invalid_argument(options.command == WordsOptions::Command::Export
                                      ? "export takes one output file"
                                      : "recheck takes no files");
    }
  }
  if (help) {
    options.command = WordsOptions::Command::Help;
    return options;
  }
  if (!haveCommand) throw std::invalid_argument("no command (import, recheck, score or export)");
  if (options.command == WordsOptions::Command::Score) {
    if (positional.size() != 2) throw std::invalid_argument("score needs a WORD and a SCORE");
    const ScoredText score = splitScore(";" + positional[1]);
    if (!score.score) throw std::invalid_argument("the score must be a whole number from 0 to 100");
    options.word = positional[0];
    options.score = *score.score;
  }
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
      ImportCounts counts;
      ImportReport report(options.language);
      for (const auto& file : options.importFiles) importInto(list, file, counts, report);
      list.save(writeTo);
      out << "Added " << count(static_cast<std::int64_t>(counts.added), "word", "words") << "\n";
      if (counts.overLong > 0)
        out << "Skipped " << count(counts.overLong, "line", "lines") << " over 40 characters\n";
      if (counts.unspellable > 0)
        out << "Skipped " << count(counts.unspellable, "line", "lines")
            << " with letters the alphabet cannot spell\n";
      if (report.anySkipped()) err << terminalSafe(report.text());
    } else if (options.command == WordsOptions::Command::Score) {
      const std::string word = wordFor(options.word, options.language);
      if (word.empty()) {
        err << "gridwright-words: \"" << options.word << "\" has no letters of the language\n";
        return 2;
      }
      const bool added = list.insert(word).has_value();
      list.setScore(word, options.score);
      list.save(writeTo);
      out << toUtf8(word, boardCodePage(options.language)) << ";" << options.score
          << (added ? " (added)" : "") << "\n";
    } else if (options.command == WordsOptions::Command::Export) {
      std::vector<std::string> lines;
      lines.reserve(list.size());
      for (std::size_t row = 0; row < list.size(); ++row)
        lines.push_back(scoreLine(list.word(row), list.score(row), options.language));
      std::string text;
      for (const auto& line : lines) text += line + "\n";
      if (options.exportFile.empty())
        out << text;
      else
        writeFileAtomically(options.exportFile, text);
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
