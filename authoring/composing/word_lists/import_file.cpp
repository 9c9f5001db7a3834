#include "authoring/composing/word_lists/import_file.h"

#include <fcntl.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

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

// A file opened for reading, closed when it goes.
class FileHandle {
 public:
  explicit FileHandle(const fs::path& path) : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) throw FileError(describe("open", path, errno));
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
};

// Splits a file into lines a block at a time: LF ends a line, a CR before it is dropped.
class LineSplitter {
 public:
  explicit LineSplitter(const fs::path& path) : file_(path) {}

  // The next line (valid until the next call); false at the end.
  bool next(std::string_view& line) {
    for (;;) {
      std::size_t lf = buffer_.find('\n', pos_);
      if (lf != std::string::npos || atEnd_) {
        if (lf == std::string::npos) {
          if (pos_ >= buffer_.size()) return false;
          lf = buffer_.size();
        }
        std::size_t stop = (lf > pos_ && buffer_[lf - 1] == '\r') ? lf - 1 : lf;
        line = std::string_view(buffer_).substr(pos_, stop - pos_);
        pos_ = lf + 1;
        return true;
      }
      buffer_.erase(0, pos_);
      pos_ = 0;
      if (file_.readInto(buffer_, kBlock) == 0) atEnd_ = true;
    }
  }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  FileHandle file_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool atEnd_ = false;
};

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
    if (utf8 && !isValidUtf8(line)) utf8 = false;
    ++scan.lineCount;
  }
  scan.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::CodePage;
  return scan;
}

struct ImportFileReader::Impl {
  Impl(const fs::path& file, TextEncoding encoding, Language language)
      : lines(file), encoding(encoding), language(language) {
    if (encoding == TextEncoding::Utf8) {
      // A character the code page lacks becomes its substitute byte, which is no letter.
      toCodePage = openCodePageConverter(boardCodePage(language));
      if (language == Language::Serbian) toLatin = openCodePageConverter("windows-1250");
    }
  }

  LineSplitter lines;
  TextEncoding encoding;
  Language language;
  CodePageConverter toCodePage;
  CodePageConverter toLatin;
  bool first = true;
};

ImportFileReader::ImportFileReader(const fs::path& file, TextEncoding encoding, Language language)
    : impl_(std::make_unique<Impl>(file, encoding, language)) {}

ImportFileReader::~ImportFileReader() = default;

bool ImportFileReader::next(ImportLine& line) {
  std::string_view raw;
  line.clear();
  if (!impl_->lines.next(raw)) return false;
  if (impl_->encoding == TextEncoding::CodePage) {
    line.text.assign(raw);
    return true;
  }
  if (impl_->first && raw.starts_with(kByteOrderMark)) raw.remove_prefix(kByteOrderMark.size());
  impl_->first = false;
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(raw.data(), static_cast<int32_t>(raw.size())));
  fromUnicode(text, impl_->toCodePage.get(), line.text);
  if (impl_->toLatin) fromUnicode(text, impl_->toLatin.get(), line.latin);
  return true;
}

}  // namespace gw
