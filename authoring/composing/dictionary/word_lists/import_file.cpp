#include "authoring/composing/dictionary/word_lists/import_file.h"

#include <fcntl.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "authoring/composing/dictionary/word_lists/word_rules.h"
#include "common/code_page_converter.h"
#include "common/errors.h"

namespace gw {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string describe(const char* action, const fs::path& path, int err) {
  return std::string("Cannot ") + action + " \"" + path.string() + "\": " + std::strerror(err);
}

bool isValidUtf8(std::string_view text) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

// A regular file opened for reading, closed when it goes. A FIFO or device would block or
// never end, so it is refused before the first read.
class FileHandle {
 public:
  explicit FileHandle(const fs::path& path)
      : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    if (fd_ < 0) throw FileError(describe("open", path, errno));
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
      const int err = errno;
      ::close(fd_);
      throw FileError(describe("read", path, err));
    }
    if (!S_ISREG(info.st_mode)) {
      ::close(fd_);
      throw FileError("Cannot read \"" + path.string() + "\": it is not a regular file");
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxImportFileBytes) {
      ::close(fd_);
      throw FileError("Cannot read \"" + path.string() + "\": it is too large (more than " +
                      std::to_string(kMaxImportFileBytes) + " bytes)");
    }
  }
  ~FileHandle() { ::close(fd_); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Appends up to `max` bytes to `out`; 0 at the end. Throws FileError.
  std::size_t readInto(std::string& out, std::size_t max) {
    std::size_t at = out.size();
    out.resize(at + max);
    for (;;) {
      ssize_t n = ::read(fd_, out.data() + at, max);
      if (n >= 0) {
        out.resize(at + static_cast<std::size_t>(n));
        total_ += static_cast<std::uint64_t>(n);
        if (total_ > kMaxImportFileBytes)  // it grew while read
          throw FileError("Cannot read \"" + path_.string() + "\": it is too large (more than " +
                          std::to_string(kMaxImportFileBytes) + " bytes)");
        return static_cast<std::size_t>(n);
      }
      if (errno != EINTR) {
        int err = errno;  // EISDIR for a folder, EIO for a failing disk
        out.resize(at);
        throw FileError(describe("read", path_, err));
      }
    }
  }

 private:
  fs::path path_;
  int fd_;
  std::uint64_t total_ = 0;
};

// Splits a file into lines a block at a time: LF, CR LF or CR alone ends a line. Every byte
// is looked at once, and a line over kMaxImportLineBytes is dropped as it is read.
class LineSplitter {
 public:
  explicit LineSplitter(const fs::path& path) : file_(path) {}

  // The next line (valid until the next call); false at the end.
  bool next(std::string_view& line) {
    for (;;) {
      const std::size_t end = buffer_.find_first_of("\r\n", scan_);
      if (end != std::string::npos) {
        // A CR at the end of the block may be the first half of CR LF.
        if (buffer_[end] == '\r' && end + 1 == buffer_.size() && !atEnd_) {
          scan_ = end;
          readMore();
          continue;
        }
        const std::size_t after =
            end + (buffer_[end] == '\r' && end + 1 < buffer_.size() && buffer_[end + 1] == '\n' ? 2 : 1);
        const bool skipped = skipping_ || end - pos_ > kMaxImportLineBytes;
        if (!skipping_ && skipped) ++longLines_;
        line = std::string_view(buffer_).substr(pos_, end - pos_);
        pos_ = scan_ = after;
        skipping_ = false;
        if (skipped) continue;
        return true;
      }
      if (atEnd_) {
        if (pos_ >= buffer_.size() || skipping_) return false;
        if (buffer_.size() - pos_ > kMaxImportLineBytes) {
          ++longLines_;
          pos_ = scan_ = buffer_.size();
          return false;
        }
        line = std::string_view(buffer_).substr(pos_);
        pos_ = scan_ = buffer_.size();
        return true;
      }
      if (!skipping_ && buffer_.size() - pos_ > kMaxImportLineBytes) {
        skipping_ = true;
        ++longLines_;
      }
      if (skipping_) pos_ = buffer_.size();  // the rest of a long line is never kept
      scan_ = buffer_.size();
      readMore();
    }
  }

  std::int64_t longLines() const { return longLines_; }

 private:
  void readMore() {
    buffer_.erase(0, pos_);
    scan_ -= pos_;
    pos_ = 0;
    if (file_.readInto(buffer_, kBlock) == 0) atEnd_ = true;
  }

  static constexpr std::size_t kBlock = 1 << 16;
  FileHandle file_;
  std::string buffer_;
  std::size_t pos_ = 0;   // where the current line starts
  std::size_t scan_ = 0;  // bytes before it were searched for a line end already
  bool atEnd_ = false;
  bool skipping_ = false;  // within a line over the limit
  std::int64_t longLines_ = 0;
};

// Control characters that no word list holds: a file with one is binary. Tab, form feed,
// vertical tab and the DOS end-of-file mark pass.
bool isBinaryByte(unsigned char c) {
  return (c < 0x20 && c != '\t' && c != '\f' && c != '\v' && c != 0x1A) || c == 0x7F;
}

bool hasNonAscii(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Past Latin-1, a sign that no code page holds (→, emoji) becomes a blank, which no word
// keeps; a letter (ł, ő, ș) is spelt in ASCII, except in Serbian, whose Cyrillic letters
// are there. Latin-1 stays for the code page and the word rules, which keep German umlauts.
icu::UnicodeString spelledBeyondLatin1(const icu::UnicodeString& text, bool spellLetters) {
  icu::UnicodeString out;
  for (int32_t i = 0; i < text.length();) {
    const UChar32 c = text.char32At(i);
    i += U16_LENGTH(c);
    if (c <= 0xFF || (!spellLetters && u_isalpha(c))) {
      out.append(c);
      continue;
    }
    if (!u_isalpha(c)) {
      out.append(static_cast<UChar32>(' '));
      continue;
    }
    const std::string spelt = spellInLatinAscii(icu::UnicodeString(c));
    out.append(icu::UnicodeString::fromUTF8(spelt));
  }
  return out;
}

void fromUnicode(const icu::UnicodeString& text, UConverter* conv, std::string& out) {
  out.resize(static_cast<std::size_t>(text.length()) * 2 + 4);
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = text.extract(out.data(), static_cast<int32_t>(out.size()), conv, status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) n = 0;
  out.resize(static_cast<std::size_t>(std::max(n, 0)));
}

}  // namespace

ImportFileScan scanImportFile(const fs::path& file) {
  ImportFileScan scan;
  LineSplitter lines(file);
  std::string_view line;
  bool utf8 = true;
  while (lines.next(line)) {
    if (scan.lineCount == 0 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    if (const auto bad = std::find_if(line.begin(), line.end(), [](char c) { return isBinaryByte(c); });
        bad != line.end()) {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(*bad));
      throw FileError("Cannot import \"" + file.string() + "\": it is no text file (line " +
                      std::to_string(scan.lineCount + scan.longLines + 1) + " holds the control character " +
                      code + "). Nothing was imported.");
    }
    if (utf8 && !isValidUtf8(line)) utf8 = false;
    ++scan.lineCount;
  }
  scan.longLines = lines.longLines();
  scan.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::CodePage;
  return scan;
}

struct ImportFileReader::Impl {
  Impl(const fs::path& file, Language language) : lines(file), language(language) {
    // A character the code page lacks becomes its substitute byte, which the word rules
    // count as a letter they cannot spell.
    toCodePage = openCodePageConverter(boardCodePage(language));
    if (language == Language::Serbian) toLatin = openCodePageConverter("windows-1250");
  }

  LineSplitter lines;
  Language language;
  CodePageConverter toCodePage;
  CodePageConverter toLatin;
  bool first = true;
};

ImportFileReader::ImportFileReader(const fs::path& file, TextEncoding, Language language)
    : impl_(std::make_unique<Impl>(file, language)) {}

std::int64_t ImportFileReader::longLines() const { return impl_->lines.longLines(); }

ImportFileReader::~ImportFileReader() = default;

bool ImportFileReader::next(ImportLine& line) {
  std::string_view raw;
  line.clear();
  if (!impl_->lines.next(raw)) return false;
  if (impl_->first && raw.starts_with(kByteOrderMark)) raw.remove_prefix(kByteOrderMark.size());
  impl_->first = false;
  if (!hasNonAscii(raw) || !isValidUtf8(raw)) {
    line.text.assign(raw);
    return true;
  }
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(raw.data(), static_cast<int32_t>(raw.size())));
  text = spelledBeyondLatin1(text, impl_->language != Language::Serbian);
  fromUnicode(text, impl_->toCodePage.get(), line.text);
  if (impl_->toLatin) fromUnicode(text, impl_->toLatin.get(), line.latin);
  return true;
}

}  // namespace gw
