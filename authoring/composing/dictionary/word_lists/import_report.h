#pragma once
// What an import skipped and why: counts by reason and the first lines of each, for the
// dictionary editor's message and the command line.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/language.h"

namespace gw {

enum class SkippedLine;

class ImportReport {
 public:
  static constexpr std::size_t kLinesShown = 3;

  explicit ImportReport(Language language) : language_(language) {}

  // A line that gave no word (its text in code-page bytes).
  void skipped(SkippedLine reason, std::int64_t lineNumber, std::string_view line);
  // Words that were listed already (or repeated in the file).
  void notAdded(std::int64_t words) { notAdded_ += words; }

  std::int64_t count(SkippedLine reason) const;
  std::int64_t notAdded() const { return notAdded_; }
  // Whether any line gave no word.
  bool anySkipped() const;
  // One line per reason, "3 lines longer than 40 characters: 4 "...", 9 "..."", UTF-8;
  // empty when nothing was skipped.
  std::string text() const;

 private:
  struct Reason {
    std::int64_t count = 0;
    std::vector<std::string> first;  // "line N: TEXT" in UTF-8
  };
  Language language_;
  std::array<Reason, 3> reasons_;
  std::int64_t notAdded_ = 0;
};

}  // namespace gw
