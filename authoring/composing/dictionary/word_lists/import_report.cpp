#include "authoring/composing/dictionary/word_lists/import_report.h"

#include "authoring/composing/dictionary/word_lists/word_import.h"
#include "common/codepage.h"

namespace gw {

namespace {

constexpr std::size_t kShownCharacters = 40;

// What the skipped lines of each reason are, in the order of SkippedLine (as reasons_).
constexpr std::array<const char*, 3> kReasonTexts = {"longer than 40 characters",
                                                     "without letters of the language",
                                                     "with a score that is no whole number from 0 to 100"};

}  // namespace

void ImportReport::skipped(SkippedLine reason, std::int64_t lineNumber, std::string_view line) {
  Reason& r = reasons_[static_cast<std::size_t>(reason)];
  ++r.count;
  if (r.first.size() >= kLinesShown) return;
  std::string shown = toUtf8(line.substr(0, kShownCharacters), boardCodePage(language_));
  if (line.size() > kShownCharacters) shown += "...";
  r.first.push_back("line " + std::to_string(lineNumber) + ": \"" + shown + "\"");
}

std::int64_t ImportReport::count(SkippedLine reason) const {
  return reasons_[static_cast<std::size_t>(reason)].count;
}

bool ImportReport::anySkipped() const {
  for (const Reason& r : reasons_)
    if (r.count > 0) return true;
  return false;
}

std::string ImportReport::text() const {
  if (!anySkipped()) return {};
  std::string out;
  for (std::size_t reason = 0; reason < reasons_.size(); ++reason) {
    const Reason& r = reasons_[reason];
    if (r.count == 0) continue;
    out +=
        "Skipped " + std::to_string(r.count) + (r.count == 1 ? " line " : " lines ") + kReasonTexts[reason];
    for (std::size_t i = 0; i < r.first.size(); ++i) out += (i ? ", " : ": ") + r.first[i];
    if (r.count > static_cast<std::int64_t>(r.first.size())) out += ", ...";
    out += "\n";
  }
  if (notAdded_ > 0) out += std::to_string(notAdded_) + " words were listed already.\n";
  return out;
}

}  // namespace gw
