// The authoring program's open: parse, prepare definitions, attach clues, decode pictures,
// and on success save the result again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/definitions/crossword_document.h"
#include "authoring/definitions/prepare_definitions.h"
#include "common/crossword_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  gw::CrosswordDocument dm;
  try {
    dm.openBytes(bytes, "fuzz.C_W");
  } catch (const gw::CrosswordOpenError& e) {
    // A refused file leaves the document as created and says why.
    if (e.messages().empty() || dm.isOpen() || dm.rows() != 0 || !dm.definitions().empty()) __builtin_trap();
    return 0;
  }
  if (!dm.isOpen() || dm.isModified()) __builtin_trap();
  if (dm.definitions().size() != gw::findBoardRuns(dm.board(), dm.rows(), dm.columns()).size())
    __builtin_trap();
  // What was opened reads back as it is.
  const gw::CrosswordFile saved = dm.toCrosswordFile();
  if (gw::parseCrossword(gw::serializeCrossword(saved), gw::CrosswordReadMode::Authoring) != saved)
    __builtin_trap();
  return 0;
}
