// crossword.conf's "Edit" section: any bytes as the file. Reading never fails; writing the
// list's order back keeps it and leaves the other sections alone.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "authoring/settings/compose_settings.h"
#include "authoring/settings/edit_settings.h"
#include "authoring/settings/folder_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const gw::EditSettings read = gw::parseEditSettings(text);
  std::string written;
  try {
    written = gw::withSortByNumber(text, !read.sortByNumber);
  } catch (const std::exception&) {
    return 0;  // reported to the author as a write error
  }
  if (gw::parseEditSettings(written).sortByNumber == read.sortByNumber) std::abort();
  if (gw::parseFolderSettings(written) != gw::parseFolderSettings(text)) std::abort();
  if (gw::parseComposeSettings(written).noRepeatedWords != gw::parseComposeSettings(text).noRepeatedWords)
    std::abort();
  return 0;
}
