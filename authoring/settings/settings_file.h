#pragma once
// crossword.conf as a file: its name, reading its text (a missing or unreadable file reads as
// empty, so the defaults apply) and writing it back atomically with one section changed.
#include <array>
#include <filesystem>
#include <string>

#include "authoring/settings/compose_settings.h"
#include "authoring/settings/edit_settings.h"
#include "authoring/settings/folder_settings.h"

namespace gw {

inline constexpr const char* kSettingsFileName = "crossword.conf";

std::string readSettingsText(const std::filesystem::path& file);

// The four "Folders" values in key order.
FolderValues readFolderSettings(const std::filesystem::path& file);
// Writes the four keys, keeping whatever else the file holds; creates the file's folder if
// needed. Throws FileError.
void writeFolderSettings(const std::filesystem::path& file, const std::array<std::string, 4>& folders);

ComposeSettings readComposeOptions(const std::filesystem::path& file);
// Writes "No repeated words", keeping whatever else the file holds. Throws FileError.
void writeNoRepeatedWords(const std::filesystem::path& file, bool noRepeatedWords);
// Writes "Minimum word score", keeping whatever else the file holds. Throws FileError.
void writeMinWordScore(const std::filesystem::path& file, int minWordScore);

EditSettings readEditOptions(const std::filesystem::path& file);
// Writes "Sort by number", keeping whatever else the file holds. Throws FileError.
void writeSortByNumber(const std::filesystem::path& file, bool sortByNumber);

}  // namespace gw
