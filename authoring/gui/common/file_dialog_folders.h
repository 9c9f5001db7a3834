#pragma once
#include <QString>
namespace gw::gui {
// Starting folders of the main window's four file dialogs ("Folders" section of crossword.conf).
struct FileDialogFolders {
  QString composeOpen;  // "Make:Open"
  QString composeSave;  // "Make:Save"
  QString editOpen;     // "Edit:Open"
  QString editSave;     // "Edit:Save"
};
}  // namespace gw::gui
