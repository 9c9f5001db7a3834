#pragma once
// crossword.conf: the starting folders of the main window's four file dialogs (section
// "Folders") and the composing page's options (section "Compose").
#include <filesystem>

#include "authoring/gui/app/compose_settings.h"
#include "authoring/gui/file_dialog_folders.h"
#include "common/program_folder.h"

namespace gw::gui {

inline constexpr const char* kSettingsFileName = "crossword.conf";

// Where the dialogs start when the file has no key for them: the program's "Make"
// folder for layouts and its "Data" folder for crosswords, with no trailing separator.
FileDialogFolders defaultDialogFolders(const gw::ProgramFolders& folders);

// Reads the four keys; a missing or unreadable file or a missing key gives the default,
// a key with an empty value an empty folder.
FileDialogFolders readDialogFolders(const std::filesystem::path& file, const FileDialogFolders& defaults);

// Writes the four keys as "key=value" lines in the order "Make:Open", "Make:Save",
// "Edit:Open", "Edit:Save", keeping whatever else the file holds; atomically, creating
// the file's folder if needed. Throws FileError.
void writeDialogFolders(const std::filesystem::path& file, const FileDialogFolders& folders);

// The composing options; a missing or unreadable file gives the defaults.
gw::ComposeSettings readComposeOptions(const std::filesystem::path& file);

// Writes "No repeated words", keeping whatever else the file holds; atomically. Throws FileError.
void writeNoRepeatedWords(const std::filesystem::path& file, bool noRepeatedWords);

}  // namespace gw::gui
