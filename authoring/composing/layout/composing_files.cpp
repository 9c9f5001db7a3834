#include "authoring/composing/layout/composing_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <tuple>

#include "common/byte_io.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/letters.h"

namespace gw {

namespace {
constexpr std::string_view kNumberBaseTag = "GWRN";
}  // namespace

std::string serializePattern(const Layout& layout) {
  ByteWriter w;
  w.i32(layout.rows);
  w.i32(layout.columns);
  w.i32(static_cast<std::int32_t>(layout.language));
  for (int i = 0; i < kBoardCells; ++i) {
    w.u8(layout.board.at(i).length);
    w.u8(static_cast<std::uint8_t>(layout.board.at(i).character));
  }
  return w.take();
}

Layout parsePattern(std::string_view bytes) {
  // The size is fixed: a short file is reported as such before any field is judged.
  if (bytes.size() < kPatternFileSize)
    throw FormatError("The pattern file ends early (" + std::to_string(bytes.size()) +
                      " bytes; a pattern file has " + std::to_string(kPatternFileSize) + ").");
  ByteReader r(bytes, "pattern file");
  Layout layout;
  layout.rows = r.i32("row count");
  layout.columns = r.i32("column count");
  std::int32_t language = r.i32("language");
  if (layout.rows < 1 || layout.rows > kBoardSide || layout.columns < 1 || layout.columns > kBoardSide)
    throw FormatError("The pattern file holds a board size out of range (" + std::to_string(layout.rows) +
                      " rows, " + std::to_string(layout.columns) + " columns; at most 41 each).");
  if (!isKnownLanguage(language))
    throw FormatError("The pattern file holds an unknown language code (" + std::to_string(language) + ").");
  layout.language = static_cast<Language>(language);
  for (int i = 0; i < kBoardCells; ++i) {
    BoardCell& c = layout.board.at(i);
    c.length = r.u8("cells");
    c.character = static_cast<char>(r.u8("cells"));
    if (c.length > 1)
      throw FormatError("The pattern file holds a damaged cell (length " + std::to_string(c.length) +
                        " at byte " + std::to_string(r.position() - 2) + ").");
  }
  if (!r.atEnd())
    throw FormatError("The pattern file is too long (" + std::to_string(bytes.size()) +
                      " bytes; a pattern file has " + std::to_string(kPatternFileSize) + ").");
  // A fixed cell is matched literally by the search, so it must be a letter a word can hold
  // ('.' would match anything). Cells outside the board are never read.
  for (int row = 0; row < layout.rows; ++row)
    for (int column = 0; column < layout.columns; ++column)
      if (layout.board.isLetter(row, column) &&
          !isBoardLetter(layout.board.cell(row, column).character, layout.language))
        throw FormatError("The pattern file holds a fixed cell that is not a letter of the " +
                          std::string(languageName(layout.language)) + " alphabet (row " +
                          std::to_string(row + 1) + ", column " + std::to_string(column + 1) + ").");
  return layout;
}

Layout readPatternFile(const std::filesystem::path& path) {
  // One byte more than a pattern file, so that a longer one is reported as too long by the parser.
  return parsePattern(readWholeFile(path, kPatternFileSize + 1));
}

void writePatternFile(const std::filesystem::path& path, const Layout& layout) {
  writeFileAtomically(path, serializePattern(layout));
}

std::string serializeState(const SearchState& state) {
  ByteWriter w;
  w.i32(state.depth);
  w.i32(static_cast<std::int32_t>(state.slots.size()));
  w.i32(state.resultCount);
  for (const Slot& s : state.slots) {
    w.i8(s.length);
    w.u8(s.row);
    w.u8(s.column);
    w.zeros(1);
    w.i32(s.candidateIndex);
    w.zeros(4);  // where the in-memory list reference lived; readers ignore it
    w.u8(static_cast<std::uint8_t>(s.direction));
    w.zeros(3);
    w.i32(s.candidateCount());
    w.bytes(
        std::string_view(s.candidates).substr(0, static_cast<std::size_t>(s.candidateCount()) * s.length));
  }
  if (state.numberBase != 0) {
    w.bytes(kNumberBaseTag);
    w.i32(state.numberBase);
  }
  return w.take();
}

namespace {

[[noreturn]] void outOfRange(const std::string& what) {
  throw FormatError("The state file holds " + what + ".");
}

bool sameSlotsAsLayout(const std::vector<Slot>& slots, const Layout& layout) {
  std::vector<Slot> derived = deriveSlots(layout);
  if (derived.size() != slots.size()) return false;
  auto key = [](const Slot& s) {
    return std::tuple(static_cast<int>(s.direction), static_cast<int>(s.row), static_cast<int>(s.column),
                      static_cast<int>(s.length));
  };
  std::vector<std::tuple<int, int, int, int>> a, b;
  for (const Slot& s : derived) a.push_back(key(s));
  for (const Slot& s : slots) b.push_back(key(s));
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

// Every candidate of the slot holds the layout's fixed letters where the slot crosses them.
bool wordsKeepFixedLetters(const Slot& slot, const Layout& layout) {
  for (int k = 0; k < slot.length; ++k) {
    const BoardCell& cell = layout.board.at(slot.cellIndex(k));
    if (cell.length == 0 || cell.character == kIsle) continue;
    for (int n = 0; n < slot.candidateCount(); ++n)
      if (slot.candidate(n)[static_cast<std::size_t>(k)] != cell.character) return false;
  }
  return true;
}

}  // namespace

namespace {

constexpr std::size_t kStateHeaderSize = 12;

// Reads and checks the depth, slot count and result count; returns the slot count.
std::int32_t readStateHeader(ByteReader& r, SearchState& st) {
  st.depth = r.i32("depth");
  std::int32_t count = r.i32("slot count");
  st.resultCount = r.i32("result count");
  if (count < 1 || count > kMaxSlots) outOfRange("a slot count out of range (" + std::to_string(count) + ")");
  // The last slot is never placed: its word is fixed by the slots that cross it.
  if (st.depth < 0 || st.depth > count - 1)
    outOfRange("a depth out of range (" + std::to_string(st.depth) + ")");
  if (st.resultCount < 0) outOfRange("a negative result count");
  // The next result would need a number past the largest one.
  if (st.resultCount == std::numeric_limits<std::int32_t>::max())
    outOfRange("a result count too large to number another result");
  return count;
}

// The first bytes of a regular file, so that a damaged header is found before a large file is read.
std::string readFileStart(const std::filesystem::path& path, std::size_t size) {
  std::string head(size, '\0');
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return readWholeFile(path, size);  // its message names the file and the cause
  struct stat info {};
  ssize_t n = -1;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) n = ::pread(fd, head.data(), size, 0);
  ::close(fd);
  if (n < 0) return {};
  head.resize(static_cast<std::size_t>(n));
  return head;
}

}  // namespace

SearchState parseState(std::string_view bytes, const Layout& layout) {
  ByteReader r(bytes, "state file");
  SearchState st;
  const std::int32_t count = readStateHeader(r, st);
  r.requireRoom(static_cast<std::uint64_t>(count), kSlotRecordSize + 4, "slots");
  st.slots.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    Slot s;
    s.length = r.i8("slot length");
    s.row = r.u8("slot row");
    s.column = r.u8("slot column");
    r.skip(1, "slot");
    s.candidateIndex = r.i32("candidate index");
    r.skip(4, "slot");
    std::uint8_t direction = r.u8("slot direction");
    r.skip(3, "slot");
    int across = direction == 0 ? s.length : 1;
    int down = direction == 0 ? 1 : s.length;
    if (s.length < 1 || direction > 1 || s.column + across > layout.columns || s.row + down > layout.rows)
      outOfRange("a slot that does not fit the layout (position " + std::to_string(i) + ")");
    s.direction = static_cast<Direction>(direction);
    std::int32_t n = r.i32("candidate count");
    if (n < 0) outOfRange("a negative candidate count (position " + std::to_string(i) + ")");
    if (n == 0) {
      // A list written empty below the depth ends the placed part there.
      if (i < st.depth) st.depth = i;
    } else {
      r.requireRoom(static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(s.length), "candidate words");
      std::string_view words = r.bytes(static_cast<std::uint64_t>(n) * s.length, "candidate words");
      if (i <= st.depth) {
        if (words.find(kIsle) != std::string_view::npos)
          outOfRange("a candidate word with an isle in it (position " + std::to_string(i) + ")");
        s.candidates.assign(words);
      } else {
        s.candidateIndex = -1;
      }
    }
    st.slots.push_back(std::move(s));
  }
  if (r.remaining() == kNumberBaseTag.size() + 4 &&
      bytes.substr(r.position(), kNumberBaseTag.size()) == kNumberBaseTag) {
    r.skip(kNumberBaseTag.size(), "result numbering");
    st.numberBase = r.i32("result numbering");
    if (st.numberBase < 0 || st.numberBase > std::numeric_limits<std::int32_t>::max() - st.resultCount - 1)
      outOfRange("a result numbering out of range (" + std::to_string(st.numberBase) + ")");
  }
  if (!r.atEnd()) throw FormatError("The state file has bytes after its last slot.");
  for (int i = 1; i <= st.depth; ++i) {
    const Slot& s = st.slots[static_cast<std::size_t>(i - 1)];
    bool ok =
        i < st.depth ? s.hasCurrentWord() : s.candidateIndex >= -1 && s.candidateIndex <= s.candidateCount();
    if (!ok) outOfRange("a candidate index out of range (position " + std::to_string(i) + ")");
  }
  if (!sameSlotsAsLayout(st.slots, layout))
    throw FormatError("The state file does not belong to this layout: its slots differ from the layout's.");
  // A layout with the same slots but other fixed letters: its words would ignore those letters.
  for (int i = 1; i <= st.depth; ++i) {
    const Slot& s = st.slots[static_cast<std::size_t>(i - 1)];
    if (!wordsKeepFixedLetters(s, layout))
      throw FormatError("The state file does not belong to this layout: the words at position " +
                        std::to_string(i) + " disagree with the layout's fixed letters.");
  }
  return st;
}

SearchState readStateFile(const std::filesystem::path& path, const Layout& layout) {
  const std::string head = readFileStart(path, kStateHeaderSize);
  if (head.size() == kStateHeaderSize) {
    ByteReader r(head, "state file");
    SearchState st;
    readStateHeader(r, st);
  }
  const std::string bytes = readWholeFile(path, kMaxStateFileBytes);
  try {
    return parseState(bytes, layout);
  } catch (const std::bad_alloc&) {
    throw FileError(outOfMemoryMessage(path));
  }
}

void writeStateFile(const std::filesystem::path& path, const SearchState& state) {
  writeFileAtomically(path, serializeState(state));
}

std::filesystem::path stateFileFor(const std::filesystem::path& patternFile) {
  return withExtension(patternFile, ".TMP");
}

}  // namespace gw
