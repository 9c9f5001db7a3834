#include "authoring/composing/dictionary/word_scores.h"

#include <algorithm>
#include <array>
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

// When `text` starts with a line of ASCII letters of the language, ';' and a score of one to three
// digits (0 to 100), ended by LF or the end: the position of its ';'.
std::optional<std::size_t> plainLine(std::string_view text, const std::array<char, 256>& upper,
                                     const std::array<bool, 256>& letter) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80 || !letter[byte] || static_cast<unsigned char>(upper[byte]) >= 0x80) break;
    ++i;
  }
  if (i == 0 || i >= text.size() || text[i] != ';') return std::nullopt;
  const std::size_t semicolon = i++;
  int score = 0, digits = 0;
  for (; i < text.size() && text[i] != '\n'; ++i, ++digits) {
    if (text[i] < '0' || text[i] > '9' || digits == 3) return std::nullopt;
    score = score * 10 + (text[i] - '0');
  }
  if (digits == 0 || score > kMaxWordScore) return std::nullopt;
  return semicolon;
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

void readScoreFile(const std::filesystem::path& scoreFile, Language language,
                   const std::function<void(std::string_view word, int score)>& take) {
  std::string bytes;
  readScoreFile(scoreFile, language, bytes, take);
}

void readScoreFile(const std::filesystem::path& scoreFile, Language language, std::string& bytes,
                   const std::function<void(std::string_view word, int score)>& take) {
  bytes.clear();
  std::error_code ec;
  if (std::filesystem::status(scoreFile, ec).type() == std::filesystem::file_type::not_found) return;
  if (std::filesystem::is_directory(scoreFile, ec))
    throw FileError("Cannot read \"" + scoreFile.string() + "\": it is a folder");
  bytes = readWholeFile(scoreFile, kMaxScoreFileBytes);
  std::vector<std::size_t> badLines;
  std::size_t badCount = 0;
  std::size_t lineNumber = 0;
  std::string word;  // reused: a line's word costs no allocation
  // Per byte, as the language upper-cases it and whether that is a letter of its boards.
  std::array<char, 256> upper{};
  std::array<bool, 256> letter{};
  for (int b = 0; b < 256; ++b) {
    upper[static_cast<std::size_t>(b)] = upperCaseLetter(static_cast<char>(b), language);
    letter[static_cast<std::size_t>(b)] = isBoardLetter(upper[static_cast<std::size_t>(b)], language);
  }
  std::string_view text(bytes);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    ++lineNumber;
    // The usual line, "WORD;SCORE" of ASCII letters and a number then LF, in one pass; any
    // other goes the general way below.
    if (std::optional<std::size_t> length = plainLine(text, upper, letter)) {
      const std::size_t semicolon = *length;
      char* at = bytes.data() + (text.data() - bytes.data());
      int score = 0;
      std::size_t i = semicolon + 1;
      for (; i < text.size() && text[i] != '\n'; ++i) score = score * 10 + (text[i] - '0');
      for (std::size_t k = 0; k < semicolon; ++k) at[k] = upper[static_cast<unsigned char>(at[k])];
      take(text.substr(0, semicolon), score);
      text.remove_prefix(std::min(i + 1, text.size()));
      continue;
    }
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty()) continue;
    const ScoredText split = splitScore(line);
    const std::string_view utf8 = trimmed(split.text);
    bool good = split.score.has_value() && !utf8.empty();
    std::string_view taken = utf8;
    if (good) {
      // ASCII (every English word) is upper-cased where it lies, anything else is converted
      // from UTF-8 to the code page.
      char* at = bytes.data() + (utf8.data() - bytes.data());
      std::size_t i = 0;
      for (; good && i < utf8.size() && static_cast<unsigned char>(at[i]) < 0x80; ++i) {
        const auto byte = static_cast<unsigned char>(at[i]);
        at[i] = upper[byte];
        good = letter[byte];
      }
      if (good && i < utf8.size()) {
        try {
          word = fromUtf8(utf8, boardCodePage(language));
        } catch (const FormatError&) {
          good = false;
        }
        for (std::size_t k = 0; good && k < word.size(); ++k) {
          const auto byte = static_cast<unsigned char>(word[k]);
          word[k] = upper[byte];
          good = letter[byte];
        }
        taken = word;
      }
    }
    if (!good) {
      if (++badCount <= kLinesNamed) badLines.push_back(lineNumber);
      continue;
    }
    take(taken, *split.score);
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
}

WordScores WordScores::load(const std::filesystem::path& scoreFile, Language language) {
  WordScores scores;
  readScoreFile(scoreFile, language, [&](std::string_view word, int score) { scores.set(word, score); });
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
