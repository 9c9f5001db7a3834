// crossword.conf: any bytes as the file. Reading never fails; writing the four folders
// back keeps them exactly (for names the format can hold) and keeps them in order.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "authoring/settings/folder_settings.h"

namespace {

// A folder name the format holds: no line break, no NUL, no blank at either end.
std::string folderFrom(std::string_view bytes) {
  std::string name;
  for (char c : bytes) {
    if (c != '\r' && c != '\n' && c != '\0') name += c;
  }
  const auto first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const gw::FolderValues read = gw::parseFolderSettings(text);

  // The folders written are those read (or pieces of the input), so odd bytes reach the writer.
  std::array<std::string, 4> folders;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    folders[i] =
        folderFrom(read[i] ? std::string_view(*read[i]) : text.substr(0, std::min<std::size_t>(size, i * 7)));
  }
  std::string written;
  try {
    written = gw::withFolderSettings(text, folders);
  } catch (const std::exception&) {
    return 0;  // reported to the author as a write error
  }
  const gw::FolderValues back = gw::parseFolderSettings(written);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (!back[i] || *back[i] != folders[i]) std::abort();
  }
  // In order: each key stands after the one before it.
  std::size_t at = 0;
  for (const char* key : gw::kFolderKeys) {
    at = written.find(std::string("\n") + key + "=", at);
    if (at == std::string::npos) std::abort();
  }
  return 0;
}
