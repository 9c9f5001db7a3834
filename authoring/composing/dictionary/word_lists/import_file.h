#pragma once
// Reading a text file to import words from. On Linux such files are usually UTF-8, but
// lists pasted together mix encodings, so each line is judged alone: a line that is valid
// UTF-8 (after a byte order mark on the first) is converted to the code page of the
// language, any other line is taken as the code page's bytes. LF, CR LF and CR alone end a
// line. Only regular files of at most kMaxImportFileBytes are read, and lines longer than
// kMaxImportLineBytes are skipped and counted without being held in memory. A file with
// control characters that no text holds (NUL, escape, ...) is binary and refused.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "common/language.h"

namespace gw {

enum class TextEncoding { CodePage, Utf8 };

inline constexpr std::uint64_t kMaxImportFileBytes = 1ull << 30;
// Far beyond a word of 40 characters in any encoding, so that only junk is cut.
inline constexpr std::size_t kMaxImportLineBytes = 4096;

struct ImportFileScan {
  std::int64_t lineCount = 0;  // lines the reader hands on; a last line without a line break counts too
  std::int64_t longLines = 0;  // lines over kMaxImportLineBytes, skipped
  TextEncoding encoding = TextEncoding::Utf8;  // CodePage when some line is no valid UTF-8
};

// Counts the lines of a file and tells its encoding. Throws FileError (also for a file
// that is not a regular file, too large, or binary).
ImportFileScan scanImportFile(const std::filesystem::path& file);

// One line of an import file in code-page bytes, without its line break.
struct ImportLine {
  std::string text;   // in the language's code page
  std::string latin;  // Serbian from UTF-8 only: the line in Windows-1250, for Serbian Latin
  void clear() {
    text.clear();
    latin.clear();
  }
};

// Where an import takes its lines from.
class ImportLineSource {
 public:
  virtual ~ImportLineSource() = default;
  // The next line; false at the end. Throws FileError when reading fails.
  virtual bool next(ImportLine& line) = 0;
};

// Reads a file line by line, a block at a time, and closes it when it goes.
class ImportFileReader : public ImportLineSource {
 public:
  // Opens the file. Throws FileError. Each line's encoding is judged on its own; `encoding`
  // is what the scan found and is kept for callers that show it.
  ImportFileReader(const std::filesystem::path& file, TextEncoding encoding, Language language);
  ~ImportFileReader() override;

  bool next(ImportLine& line) override;
  // Lines over kMaxImportLineBytes skipped so far.
  std::int64_t longLines() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace gw
