#pragma once
// The starting folders of the main window's four file dialogs as crossword.conf keeps them
// (section "Folders"); the file itself is the Qt-free authoring/settings/settings_file.h.
#include <filesystem>

#include "authoring/gui/common/file_dialog_folders.h"
#include "common/program_folder.h"

namespace gw::gui {

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

}  // namespace gw::gui
