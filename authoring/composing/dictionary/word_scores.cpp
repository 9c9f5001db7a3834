#include "authoring/composing/dictionary/word_scores.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <vector>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/letters.h"

namespace gw {

namespace {

constexpr std::uint64_t kMaxScoreFileBytes = 256ull << 20;
constexpr std::size_t kLinesNamed = 5;  // a message names this many bad lines at most

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::filesystem::path scoreFileFor(const std::filesystem::path& wordFile) {
  std::filesystem::path scores = wordFile;
  scores.replace_extension(".scores");
  return scores;
}

ScoredText splitScore(std::string_view line) {
  ScoredText out;
  out.text = line;
  const std::size_t semicolon = line.rfind(';');
  if (semicolon == std::string_view::npos) return out;
  out.text = line.substr(0, semicolon);
  const std::string_view number = trimmed(line.substr(semicolon + 1));
  int value = -1;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || error != std::errc() || end != number.data() + number.size() || value < 0 ||
      value > kMaxWordScore)
    out.badScore = true;
  else
    out.score = value;
  return out;
}

void WordScores::set(std::string_view word, int score) {
  score = std::clamp(score, 0, kMaxWordScore);
  if (score == kDefaultWordScore) {
    if (auto it = scores_.find(word); it != scores_.end()) scores_.erase(it);
  } else if (auto it = scores_.find(word); it != scores_.end()) {
    it->second = static_cast<std::uint8_t>(score);
  } else {
    scores_.emplace(std::string(word), static_cast<std::uint8_t>(score));
  }
}

WordScores WordScores::load(const std::filesystem::path& scoreFile, Language language) {
  WordScores scores;
  std::error_code ec;
  if (std::filesystem::status(scoreFile, ec).type() == std::filesystem::file_type::not_found) return scores;
  if (std::filesystem::is_directory(scoreFile, ec))
    throw FileError("Cannot read \"" + scoreFile.string() + "\": it is a folder");
  const std::string bytes = readWholeFile(scoreFile, kMaxScoreFileBytes);
  std::vector<std::size_t> badLines;
  std::size_t badCount = 0;
  std::size_t lineNumber = 0;
  std::string_view text(bytes);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty()) continue;
    const ScoredText split = splitScore(line);
    std::string word;
    bool good = split.score.has_value() && !trimmed(split.text).empty();
    if (good) {
      const std::string_view utf8 = trimmed(split.text);
      try {
        word = isAscii(utf8) ? std::string(utf8) : fromUtf8(utf8, boardCodePage(language));
      } catch (const FormatError&) {
        good = false;
      }
      for (char& c : word) c = upperCaseLetter(c, language);
      good =
          good && std::all_of(word.begin(), word.end(), [&](char c) { return isBoardLetter(c, language); });
    }
    if (!good) {
      if (++badCount <= kLinesNamed) badLines.push_back(lineNumber);
      continue;
    }
    scores.set(word, *split.score);
  }
  if (badCount > 0) {
    std::string message =
        "\"" + scoreFile.string() + "\" is not a score file of WORD;SCORE lines (0 to 100): line";
    message += badCount > 1 ? "s " : " ";
    for (std::size_t i = 0; i < badLines.size(); ++i)
      message += (i ? ", " : "") + std::to_string(badLines[i]);
    if (badCount > badLines.size()) message += " and " + std::to_string(badCount - badLines.size()) + " more";
    throw FileError(message);
  }
  return scores;
}

std::string scoreLine(std::string_view word, int score, Language language) {
  std::string line = isAscii(word) ? std::string(word) : toUtf8(word, boardCodePage(language));
  line += ';';
  line += std::to_string(score);
  return line;
}

std::string joinScoreLines(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += '\n';
  }
  return out;
}

}  // namespace gw
