#include "authoring/settings/settings_file.h"

#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"

namespace gw {

namespace {

void writeSettingsText(const std::filesystem::path& file, const std::string& text) {
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  writeFileAtomically(file, text);
}

// The file's text changed by `change`; a text that cannot be made is a write error of the file.
template <typename Change>
void rewriteSettings(const std::filesystem::path& file, Change change) {
  std::string text;
  try {
    text = change(readSettingsText(file));
  } catch (const FileError&) {
    throw FileError("Cannot write the settings file " + file.string());
  }
  writeSettingsText(file, text);
}

}  // namespace

std::string readSettingsText(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return {};
  try {
    return readWholeFile(file);
  } catch (const FileError&) {
    return {};  // unreadable settings: the defaults apply
  }
}

FolderValues readFolderSettings(const std::filesystem::path& file) {
  return parseFolderSettings(readSettingsText(file));
}

void writeFolderSettings(const std::filesystem::path& file, const std::array<std::string, 4>& folders) {
  rewriteSettings(file, [&](const std::string& text) { return withFolderSettings(text, folders); });
}

ComposeSettings readComposeOptions(const std::filesystem::path& file) {
  return parseComposeSettings(readSettingsText(file));
}

void writeNoRepeatedWords(const std::filesystem::path& file, bool noRepeatedWords) {
  rewriteSettings(file, [&](const std::string& text) { return withNoRepeatedWords(text, noRepeatedWords); });
}

EditSettings readEditOptions(const std::filesystem::path& file) {
  return parseEditSettings(readSettingsText(file));
}

void writeSortByNumber(const std::filesystem::path& file, bool sortByNumber) {
  rewriteSettings(file, [&](const std::string& text) { return withSortByNumber(text, sortByNumber); });
}

void writeMinWordScore(const std::filesystem::path& file, int minWordScore) {
  rewriteSettings(file, [&](const std::string& text) { return withMinWordScore(text, minWordScore); });
}

}  // namespace gw
