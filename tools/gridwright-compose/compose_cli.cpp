#include "compose_cli.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <stdexcept>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_lock.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/composer.h"
#include "authoring/composing/search/layout_session.h"
#include "batch_cli.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/program_folder.h"
#include "first_fill_cli.h"
#include "part_cli.h"

namespace gw {
namespace fs = std::filesystem;

const char kComposeUsage[] =
    "Usage: gridwright-compose [OPTIONS] LAYOUT.C_WM\n"
    "       gridwright-compose --layout TEXT_FILE --language en|de|sr --save LAYOUT.C_WM [OPTIONS]\n"
    "\n"
    "Fills every across and down run of a crossword layout with dictionary words and writes\n"
    "every complete fill as a crossword file (LAYOUT1.C_W, LAYOUT2.C_W, ...) into the results\n"
    "folder. A stopped search (--max-results, --time-limit, Ctrl+C) is saved beside the layout\n"
    "as LAYOUT.TMP and resumed with --continue, writing exactly the files an unbroken search would.\n"
    "\n"
    "Options:\n"
    "  --results DIR         write the result files into DIR (default: the program's Make/Results)\n"
    "  --max-results N       stop once this run has written N result files\n"
    "  --time-limit SECONDS  stop after this many seconds\n"
    "  --continue            resume the search saved in LAYOUT.TMP\n"
    "  --words FILE          use this word file in place of the language's own\n"
    "  --layout TEXT_FILE    make the layout from text: one line per row, '#' an isle,\n"
    "                        '.' an empty cell, a letter a fixed letter (UTF-8)\n"
    "  --language en|de|sr   the language of a text layout (English, German, Serbian Cyrillic)\n"
    "  --save LAYOUT.C_WM    where to save the layout made from text\n"
    "  --no-compose          only save the layout made from text\n"
    "  --no-repeat           no word of two or more letters twice in one fill\n"
    "  --first-fill          find one fill fast instead of every fill in order; it is written\n"
    "                        as the layout's next result file\n"
    "  --seed N              with --first-fill: the seed of its random choices (the same seed,\n"
    "                        lanes and word list give the same fill; printed with the fill)\n"
    "  --lanes N             with --first-fill: searches run side by side (default: one per\n"
    "                        core, at most 4)\n"
    "  --learn               with --first-fill: each lane keeps what its restarts proved from\n"
    "                        the start, not only once it has long found nothing; finds\n"
    "                        fills of some dense layouts much sooner, of others later\n"
    "  --min-score N         leave out words scored under N (0 to 100; default 1: only words\n"
    "                        scored 0 are left out; a word list without a score file scores\n"
    "                        every word 50)\n"
    "  --jobs N              with --first-fill and several layouts (or a folder of .txt and\n"
    "                        .C_WM layouts): fill N layouts at once; one summary line each\n"
    "  --summary FILE        with several layouts: the summary as JSON lines in FILE\n"
    "  --part K/N            search only the K-th of N parts of the fills (the parts together\n"
    "                        write every fill once); its files are LAYOUT-KofN-.TMP and\n"
    "                        LAYOUT-KofN-1.C_W, ...; --continue resumes the part\n"
    "  --quiet               no progress line\n"
    "  --help                show this text\n"
    "\n"
    "Exit status: 0 when the search has written results (exhausted or stopped), is stopped before\n"
    "its first, or has found its fill; 1 when composing fails (\"No words\", \"No solution possible!\",\n"
    "a file error); 2 for a wrong command line; 3 when no fill exists (a search exhausted without\n"
    "any result, or a first fill that proved there is none; a part without any is 0).\n";

ComposeOptions parseComposeOptions(const std::vector<std::string>& args) {
  ComposeOptions o;
  auto value = [&](std::size_t& i) -> const std::string& {
    if (i + 1 >= args.size()) throw std::invalid_argument("option " + args[i] + " needs a value");
    return args[++i];
  };
  // Plain decimal numbers only: digits with at most one point between digits (no sign,
  // exponent, hexadecimal, "inf" or "nan"), and at most `largest`.
  auto number = [&](std::size_t& i, bool whole, double largest) {
    const std::string& name = args[i];
    const std::string& v = value(i);
    const std::size_t point = v.find('.');
    const bool digitsOnly = !v.empty() && v.find_first_not_of("0123456789.") == std::string::npos &&
                            (point == std::string::npos || (!whole && point > 0 && point + 1 < v.size() &&
                                                            v.find('.', point + 1) == std::string::npos));
    double d = 0;
    if (!digitsOnly || std::from_chars(v.data(), v.data() + v.size(), d).ec != std::errc() || d > largest)
      throw std::invalid_argument("option " + name + " needs a plain " + (whole ? "whole " : "") +
                                  "number up to " + std::to_string(static_cast<long long>(largest)) +
                                  ", not \"" + v + "\"");
    return d;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h")
      o.help = true;
    else if (a == "--results")
      o.resultsFolder = value(i);
    else if (a == "--max-results") {
      double n = number(i, true, 2147483647);
      if (n < 1) throw std::invalid_argument("--max-results needs a whole number of at least 1");
      o.maxResults = static_cast<long>(n);
    } else if (a == "--time-limit")
      o.timeLimit = number(i, false, 1e9);
    else if (a == "--continue")
      o.resume = true;
    else if (a == "--words")
      o.wordFile = value(i);
    else if (a == "--layout")
      o.textLayout = value(i);
    else if (a == "--language")
      o.language = value(i);
    else if (a == "--save")
      o.saveAs = value(i);
    else if (a == "--no-compose")
      o.compose = false;
    else if (a == "--quiet")
      o.progress = false;
    else if (a == "--no-repeat")
      o.noRepeat = true;
    else if (a == "--first-fill")
      o.firstFill = true;
    else if (a == "--learn")
      o.learn = true;
    else if (a == "--seed") {
      const std::string& name = args[i];
      const std::string& v = value(i);
      if (v.empty() || v.size() > 19 || v.find_first_not_of("0123456789") != std::string::npos)
        throw std::invalid_argument("option " + name + " needs a whole number, not \"" + v + "\"");
      o.seed = std::stoull(v);
    } else if (a == "--min-score") {
      o.minScore = static_cast<int>(number(i, true, 100));
    } else if (a == "--lanes") {
      double n = number(i, true, 64);
      if (n < 1) throw std::invalid_argument("--lanes needs a whole number from 1 to 64");
      o.lanes = static_cast<int>(n);
    } else if (a == "--part")
      o.part = parsePartOption(value(i));
    else if (a == "--jobs") {
      double n = number(i, true, 64);
      if (n < 1) throw std::invalid_argument("--jobs needs a whole number from 1 to 64");
      o.jobs = static_cast<int>(n);
    } else if (a == "--summary")
      o.summaryFile = value(i);
    else if (a.size() > 1 && a[0] == '-')
      throw std::invalid_argument("unknown option " + a);
    else if (o.patternFile.empty())
      o.patternFile = a;
    else
      o.moreLayouts.push_back(a);
  }
  if (o.help) return o;
  if (const std::optional<std::string> wrong = batchOptionError(o)) throw std::invalid_argument(*wrong);
  if (!o.firstFill && (o.seed || o.lanes || o.learn))
    throw std::invalid_argument("--seed, --lanes and --learn go with --first-fill");
  if (o.firstFill && !o.part.whole())
    throw std::invalid_argument("--part splits the exhaustive search, not --first-fill");
  if (o.firstFill && o.resume)
    throw std::invalid_argument("--first-fill finds one fill; --continue resumes the exhaustive search");
  if (!o.textLayout.empty()) {
    if (o.language != "en" && o.language != "de" && o.language != "sr")
      throw std::invalid_argument("--layout needs --language en, de or sr");
    if (o.saveAs.empty()) throw std::invalid_argument("--layout needs --save LAYOUT.C_WM");
    if (!o.patternFile.empty())
      throw std::invalid_argument("give either a layout file or --layout, not both");
    if (o.resume) throw std::invalid_argument("--continue resumes a saved layout, not a text layout");
    o.patternFile = o.saveAs;
  } else {
    if (o.patternFile.empty()) throw std::invalid_argument("no layout file given");
    if ((!o.language.empty() && !isBatch(o)) || !o.saveAs.empty() || !o.compose)
      throw std::invalid_argument("--language, --save and --no-compose go with --layout");
  }
  return o;
}

namespace {

// A text layout has at most 41 lines of 41 letters; some room for CR LF and UTF-8 letters.
constexpr std::uint64_t kMaxTextLayoutBytes = 64 << 10;

std::string formatElapsed(double seconds) {
  long s = static_cast<long>(seconds);
  char buf[32];
  if (s >= 3600)
    std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
  return buf;
}

// Reports the search on the terminal: result file names on `out`, the progress line and
// messages on `err`. Stops the search at the result limit.
class TerminalReporter : public LayoutListener, public ComposerListener {
 public:
  using Clock = std::chrono::steady_clock;

  TerminalReporter(const ComposeOptions& o, std::ostream& out, std::ostream& err)
      : options_(o), out_(out), err_(err), started_(Clock::now()) {}

  void attach(Composer* composer, const Dictionary* dictionary) {
    composer_ = composer;
    dictionary_ = dictionary;
  }

  void dictionaryLoading(Language language) override {
    if (options_.progress) err_ << "Loading " << languageName(language) << " dictionary ...\n";
  }

  void dictionaryLoaded(Language) override {
    if (dictionary_ && dictionary_->skippedWordCount() > 0)
      err_ << "Warning: " << dictionary_->skippedWordCount()
           << " words of the word list were skipped: they hold characters that are not letters of the "
              "language, or are longer than "
           << Dictionary::kMaxSlotLength << " letters.\n";
  }

  void resultWritten(const fs::path& file, int number) override {
    clearProgress();
    out_ << file.string() << '\n';
    if (written_ == 0) {
      out_ << "Result " << number << ":\n" << layoutToText(composer_->shownLayout());
    }
    out_.flush();
    ++written_;
    if (options_.maxResults > 0 && written_ >= options_.maxResults) {
      stopReason_ = "result limit reached";
      composer_->stop();
    }
  }

  void finished(ComposeOutcome outcome, const std::string& message) override {
    if (outcome == ComposeOutcome::NoWords || outcome == ComposeOutcome::NoSolution) failed_ = true;
    if (message.empty()) return;
    clearProgress();
    err_ << message << '\n';
    failed_ = true;
  }

  // Between two steps of the search: Ctrl+C and the time limit stop it, the progress line is redrawn.
  void betweenSteps(const volatile std::sig_atomic_t* stopFlag) {
    Clock::time_point now = Clock::now();
    if (stopFlag && *stopFlag) {
      stopReason_ = "interrupted";
      composer_->stop();
    } else if (options_.timeLimit > 0 && seconds(now) >= options_.timeLimit) {
      stopReason_ = "time limit reached";
      composer_->stop();
    }
    if (now - lastDrawn_ >= std::chrono::milliseconds(200)) drawProgress(now);
  }

  void finishProgress() {
    if (!composer_) return;
    drawProgress(Clock::now(), true);
    clearProgress();
  }

  bool failed() const { return failed_; }
  long written() const { return written_; }
  const std::string& stopReason() const { return stopReason_; }
  double elapsed() const { return seconds(Clock::now()); }

 private:
  double seconds(Clock::time_point now) const {
    return std::chrono::duration<double>(now - started_).count();
  }

  // On a terminal one line rewritten in place, only when its text changes; elsewhere (a log
  // file) a plain line every few seconds.
  void drawProgress(Clock::time_point now, bool last = false) {
    if (!options_.progress) return;
    if (!options_.terminal && !last && now - lastDrawn_ < std::chrono::seconds(5)) return;
    lastDrawn_ = now;
    ComposerCounters c = composer_->counters();
    std::string text = "T: " + std::to_string(c.depth) + "  M: " + std::to_string(c.deepest) +
                       "  R:" + std::to_string(c.results) + "  " + formatElapsed(seconds(now));
    if (text == shown_) return;
    if (!options_.terminal) {
      err_ << text << std::endl;
      shown_ = text;
      return;
    }
    std::string pad(shown_.size() > text.size() ? shown_.size() - text.size() : 0, ' ');
    err_ << '\r' << text << pad << std::flush;
    shown_ = text;
  }

  void clearProgress() {
    if (shown_.empty() || !options_.terminal) return;
    err_ << '\r' << std::string(shown_.size(), ' ') << '\r' << std::flush;
    shown_.clear();
  }

  const ComposeOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  Composer* composer_ = nullptr;
  const Dictionary* dictionary_ = nullptr;
  Clock::time_point started_;
  Clock::time_point lastDrawn_{};
  std::string shown_;
  std::string stopReason_;
  long written_ = 0;
  bool failed_ = false;
};

Language languageOf(const std::string& code) {
  if (code == "de") return Language::German;
  if (code == "sr") return Language::Serbian;
  return Language::English;
}

}  // namespace

int runCompose(const ComposeOptions& options, std::ostream& out, std::ostream& err,
               const volatile std::sig_atomic_t* stopFlag) {
  try {
    fs::path pattern = options.patternFile;
    if (!options.textLayout.empty()) {
      Layout layout = parseTextLayout(readWholeFile(options.textLayout, kMaxTextLayoutBytes),
                                      languageOf(options.language));
      {
        // A search of the layout being replaced would go on with results of another layout.
        LayoutLock lock(pattern);
        writePatternFile(pattern, layout);
        out << "Saved " << pattern.string() << " (" << layout.rows << " rows, " << layout.columns
            << " columns, " << languageName(layout.language) << ")\n";
        // A stopped search of the layout just replaced belongs to it, not to the new one.
        const fs::path oldState = stateFileFor(pattern);
        std::error_code stateError;
        if (fs::exists(oldState, stateError)) {
          removeFileIfExists(oldState);
          out << "Removed " << oldState.string() << ", the stopped search of the layout it replaced.\n";
        }
      }
      if (!options.compose) return 0;
    }

    // A word file named on the command line must exist; a missing language list is an
    // empty dictionary, as in the window.
    if (!options.wordFile.empty() && !fs::is_regular_file(options.wordFile)) {
      err << "Cannot open the word file \"" << options.wordFile << "\".\n";
      return 1;
    }

    fs::path state = stateFileFor(searchFileName(pattern, options.part.whole() ? "" : options.part.tag()));
    std::error_code ec;
    bool haveState = fs::exists(state, ec);
    if (options.resume && !haveState) {
      err << "There is no stopped search to continue: \"" << state.string() << "\" does not exist.\n";
      return 1;
    }
    if (!options.resume && haveState && options.progress && !options.firstFill)
      err << "\"" << state.string()
          << "\" holds a stopped search; starting afresh (--continue resumes it).\n";

    ComposingFiles files;
    if (!options.wordFile.empty()) {
      files.wordFile = [word = fs::path(options.wordFile)](Language) { return word; };
    } else {
      files.wordFile = [](Language language) {
        return programFolders().readPath(std::string(wordFileName(language)));
      };
    }
    files.resultsFolder =
        options.resultsFolder.empty() ? programFolders().resultsFolder() : fs::path(options.resultsFolder);
    fs::create_directories(files.resultsFolder, ec);
    if (ec) {
      err << "Cannot create the results folder \"" << files.resultsFolder.string() << "\": " << ec.message()
          << '\n';
      return 1;
    }

    if (options.firstFill && isBatch(options)) return runBatch(options, files, out, err, stopFlag);
    if (options.firstFill) return runFirstFill(options, files, out, err, stopFlag);

    Dictionary dictionary;
    TerminalReporter reporter(options, out, err);
    LayoutSession session(dictionary, files, &reporter);
    session.setMinWordScore(options.minScore);
    Composer composer(session, reporter);
    composer.setNoRepeat(options.noRepeat);
    if (!options.part.whole()) {
      session.setSearchTag(options.part.tag());
      composer.setPart(options.part);
    }
    reporter.attach(&composer, &dictionary);
    session.open(pattern);
    if (options.resume)
      composer.resume();  // "Continue?" is answered by --continue
    else
      composer.start();
    // The search runs in slices, so that Ctrl+C and the time limit are noticed within one.
    while (session.state() == ComposingState::Running) {
      reporter.betweenSteps(stopFlag);
      composer.run(RunBudget::forTime(std::chrono::milliseconds(50)));
    }
    reporter.finishProgress();

    if (reporter.failed()) return 1;
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.1f", reporter.elapsed());
    if (session.state() == ComposingState::Stopped) {
      err << "Stopped (" << (reporter.stopReason().empty() ? "stop" : reporter.stopReason()) << ") after "
          << secs << " s with " << composer.resultCount() << " result files in all; \""
          << session.stateFile().string() << "\" saved, --continue resumes.\n";
    } else {
      err << "Search exhausted after " << secs << " s: " << composer.resultCount() << " result files, "
          << reporter.written() << " written by this run.\n";
      // A part without fills says nothing of the others.
      if (composer.resultCount() == 0 && options.part.whole()) return kNoFillStatus;
    }
    return 0;
  } catch (const std::exception& e) {
    err << e.what() << '\n';
    return 1;
  }
}

}  // namespace gw
