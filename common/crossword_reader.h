#pragma once
// Reading a crossword file (.C_W). One parser serves both programs; what the solver
// does differently is switched on by the read mode.
//
// Every count, length and position is checked against the board and against what
// is left of the file before anything is allocated, so a short or damaged file ends
// in a CrosswordReadError and never in a read past the end.
#include <filesystem>
#include <string>
#include <string_view>

#include "common/crossword_file.h"
#include "common/errors.h"

namespace gw {

enum class CrosswordReadMode {
  Authoring,  // keeps the language and clue charset bytes as they are
  Solver,     // reads a language or clue charset other than 0, 1, 2 as 0, so play stays possible
};

inline constexpr std::string_view kCrosswordMagic = "CW10";
inline constexpr std::string_view kBadFileMessage = "Bad file!";
inline constexpr std::string_view kBadFormatPrefix = "Bad file format : ";
// A board of at most 255 x 255 cells, its clues and pictures that decode within the pixel budget
// fit easily; a longer file is refused before it is read.
inline constexpr std::uint64_t kMaxCrosswordFileBytes = 64ull << 20;

class CrosswordReadError : public FormatError {
 public:
  enum class Kind {
    TooShort,  // fewer than four bytes: what() is "Bad file!"
    BadMagic,  // the first four bytes are not "CW10": what() is "Bad file format : " + magic()
    Damaged,   // ends early or holds values that do not fit: what() says what is wrong
  };

  CrosswordReadError(Kind kind, const std::string& message, std::string magic)
      : FormatError(message), kind_(kind), magic_(std::move(magic)) {}

  Kind kind() const { return kind_; }
  // The bytes of the magic that were read (fewer than four for TooShort).
  std::string magic() const { return magic_; }
  // "Bad file format : " followed by the magic bytes read: the second message the
  // authoring program shows after "Bad file!", and what() of BadMagic.
  std::string formatMessage() const { return badFormatMessage(magic_); }

  static std::string badFormatMessage(std::string_view magic) {
    return std::string(kBadFormatPrefix) + std::string(magic);
  }

 private:
  Kind kind_;
  std::string magic_;
};

// Parses a whole crossword file. Bytes after the last picture are ignored.
// Throws CrosswordReadError.
CrosswordFile parseCrossword(std::string_view bytes, CrosswordReadMode mode);

// Reads and parses the file. Throws FileError when it cannot be read, else as parseCrossword.
CrosswordFile readCrosswordFile(const std::filesystem::path& path, CrosswordReadMode mode);

}  // namespace gw
