// crossword.conf's "Compose" section: any bytes as the file. Reading never fails and gives
// a lane count in range; writing the option back keeps it and leaves the other keys alone.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "authoring/settings/compose_settings.h"
#include "authoring/settings/composing_view_settings.h"
#include "authoring/settings/folder_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const gw::ComposeSettings read = gw::parseComposeSettings(text);
  if (read.quickFillLanes < 1 || read.quickFillLanes > gw::kMostQuickFillLanes) std::abort();
  const gw::ComposingViewSettings view = gw::parseComposingViewSettings(text);
  if (view.cellSize < gw::kSmallestCellSize || view.cellSize > gw::kLargestCellSize) std::abort();

  std::string written;
  try {
    written = gw::withNoRepeatedWords(text, !read.noRepeatedWords);
  } catch (const std::exception&) {
    return 0;  // reported to the author as a write error
  }
  const gw::ComposeSettings back = gw::parseComposeSettings(written);
  if (back.noRepeatedWords == read.noRepeatedWords || back.quickFillLanes != read.quickFillLanes)
    std::abort();
  if (gw::parseFolderSettings(written) != gw::parseFolderSettings(text)) std::abort();
  return 0;
}
