#pragma once
// Reading a text file to import words from. On Linux such files are usually UTF-8: a file
// that is valid UTF-8 (with or without a byte order mark) is converted line by line to the
// code page of the language; any other file is taken as the code page's bytes.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "common/language.h"

namespace gw {

enum class TextEncoding { CodePage, Utf8 };

struct ImportFileScan {
  std::int64_t lineCount = 0;  // a last line without a line break counts too
  TextEncoding encoding = TextEncoding::Utf8;
};

// Counts the lines of a file and tells its encoding. Throws FileError.
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

// Reads a file line by line (LF or CR LF), a block at a time, and closes it when it goes.
class ImportFileReader : public ImportLineSource {
 public:
  // Opens the file. Throws FileError.
  ImportFileReader(const std::filesystem::path& file, TextEncoding encoding, Language language);
  ~ImportFileReader() override;

  bool next(ImportLine& line) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace gw
