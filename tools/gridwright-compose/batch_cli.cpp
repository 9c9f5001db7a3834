#include "batch_cli.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/first_fill_result.h"
#include "authoring/composing/search/first_fill_search.h"
#include "authoring/composing/layout/layout_text.h"
#include "common/file_io.h"

namespace gw {
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint64_t kStepsPerTurn = 256;
constexpr std::uint64_t kMaxTextLayoutBytes = 64 << 10;

struct Job {
  fs::path file;     // as given, or found in a given folder
  fs::path pattern;  // the name its result is numbered after
  Layout layout;
  std::string error;  // the layout could not be read
  // The outcome.
  std::string status = "error";
  double seconds = 0;
  std::uint64_t seed = 0;
  std::uint64_t steps = 0;
  fs::path result;
};

Language languageCode(const std::string& code) {
  if (code == "de") return Language::German;
  if (code == "sr") return Language::Serbian;
  return Language::English;
}

std::vector<fs::path> layoutFiles(const ComposeOptions& options) {
  std::vector<fs::path> given{options.patternFile};
  for (const std::string& more : options.moreLayouts) given.emplace_back(more);
  std::vector<fs::path> files;
  for (const fs::path& p : given) {
    std::error_code ec;
    if (!fs::is_directory(p, ec)) {
      files.push_back(p);
      continue;
    }
    std::vector<fs::path> inFolder;
    for (const fs::directory_entry& e : fs::directory_iterator(p, ec))
      if (e.path().extension() == ".txt" || e.path().extension() == ".C_WM") inFolder.push_back(e.path());
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  return files;
}

void readLayout(Job& job, const ComposeOptions& options) {
  try {
    if (job.file.extension() == ".txt") {
      if (options.language.empty()) throw std::runtime_error("a text layout needs --language en, de or sr");
      job.layout =
          parseTextLayout(readWholeFile(job.file, kMaxTextLayoutBytes), languageCode(options.language));
      job.pattern = fs::path(job.file).replace_extension(".C_WM");
    } else {
      job.layout = readPatternFile(job.file);
      job.pattern = job.file;
    }
  } catch (const std::exception& e) {
    job.error = e.what();
  }
}

std::string jsonString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void fill(Job& job, const Dictionary& dictionary, const ComposeOptions& options, const ComposingFiles& files,
          const volatile std::sig_atomic_t* stopFlag, std::mutex& writing) {
  const Clock::time_point started = Clock::now();
  const std::vector<Slot> slots = deriveSlots(job.layout);
  job.seed = options.seed ? *options.seed : newFirstFillSeed();
  if (firstFillObstacle(job.layout, slots, dictionary)) {
    job.status = "no fill";
    return;
  }
  FirstFillOptions fillOptions;
  fillOptions.seed = job.seed;
  fillOptions.lanes = options.lanes > 0 ? options.lanes : 1;
  fillOptions.noRepeat = options.noRepeat;
  fillOptions.learnFromRestarts = options.learn;
  FirstFillSearch search(dictionary, job.layout.board, slots, fillOptions);
  FirstFillStatus status = FirstFillStatus::Searching;
  while ((status = search.run(kStepsPerTurn)) == FirstFillStatus::Searching) {
    const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
    if ((stopFlag && *stopFlag) || (options.timeLimit > 0 && elapsed >= options.timeLimit)) {
      search.stop();
      status = search.run(0);
      break;
    }
  }
  job.steps = search.steps();
  job.seconds = std::chrono::duration<double>(Clock::now() - started).count();
  if (status == FirstFillStatus::Filled) {
    // Numbering looks at the folder: one layout's result at a time.
    std::lock_guard lock(writing);
    try {
      job.result =
          writeFillAsNextResult(job.layout, slots, search.words(), files.resultsFolder, job.pattern).file;
      job.status = "filled";
    } catch (const std::exception& e) {
      job.error = e.what();
    }
  } else {
    job.status = status == FirstFillStatus::NoFill ? "no fill" : "stopped";
  }
}

}  // namespace

bool isBatch(const ComposeOptions& options) {
  std::error_code ec;
  return !options.moreLayouts.empty() || fs::is_directory(options.patternFile, ec);
}

std::optional<std::string> batchOptionError(const ComposeOptions& options) {
  const bool batch = isBatch(options);
  if (batch && !options.firstFill) return "several layouts or a folder go with --first-fill";
  if (batch && (!options.textLayout.empty() || options.resume || !options.part.whole()))
    return "--layout, --continue and --part take one layout";
  if (!batch && (options.jobs != 1 || !options.summaryFile.empty()))
    return "--jobs and --summary go with several layouts or a folder";
  return std::nullopt;
}

int runBatch(const ComposeOptions& options, const ComposingFiles& files, std::ostream& out, std::ostream& err,
             const volatile std::sig_atomic_t* stopFlag) {
  std::vector<Job> jobs;
  for (const fs::path& file : layoutFiles(options)) {
    Job job;
    job.file = file;
    readLayout(job, options);
    jobs.push_back(std::move(job));
  }
  // Each language's word list once, before the searches share it.
  std::map<Language, std::unique_ptr<Dictionary>> dictionaries;
  for (const Job& job : jobs) {
    if (!job.error.empty() || dictionaries.count(job.layout.language)) continue;
    auto dictionary = std::make_unique<Dictionary>();
    dictionary->load(files.wordFile(job.layout.language), job.layout.language);
    dictionaries.emplace(job.layout.language, std::move(dictionary));
  }

  std::atomic<std::size_t> next{0};
  std::mutex writing;
  auto work = [&] {
    for (std::size_t i; (i = next++) < jobs.size();)
      if (jobs[i].error.empty())
        fill(jobs[i], *dictionaries.at(jobs[i].layout.language), options, files, stopFlag, writing);
  };
  const int threads = std::max(1, std::min(options.jobs, static_cast<int>(jobs.size())));
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();

  std::ofstream summary;
  if (!options.summaryFile.empty()) {
    summary.open(options.summaryFile, std::ios::binary | std::ios::trunc);
    if (!summary) err << "Cannot write the summary file \"" << options.summaryFile << "\".\n";
  }
  bool failed = !options.summaryFile.empty() && !summary;
  for (const Job& job : jobs) {
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.3f", job.seconds);
    if (!job.error.empty()) {
      failed = true;
      err << job.file.string() << ": " << job.error << '\n';
    }
    out << job.file.string() << '\t' << (job.error.empty() ? job.status : "error") << '\t' << secs
        << " s\tseed " << job.seed << '\t' << job.steps << " words tried" << (job.result.empty() ? "" : "\t")
        << job.result.string() << '\n';
    if (summary)
      summary << "{\"layout\":" << jsonString(job.file.string())
              << ",\"filled\":" << (job.status == "filled" && job.error.empty() ? "true" : "false")
              << ",\"status\":" << jsonString(job.error.empty() ? job.status : "error")
              << ",\"seconds\":" << secs << ",\"seed\":" << job.seed << ",\"words_tried\":" << job.steps
              << ",\"result\":" << jsonString(job.result.string()) << "}\n";
  }
  return failed ? 1 : 0;
}

}  // namespace gw
